#pragma once

#include "ui_TForm3.h"

#include <QWidget>

//! Help: how the exposure calculator arrives at its suggestion.
class TForm3 : public QWidget, public Ui::TForm3
{
public:
    explicit TForm3(QWidget* parent = nullptr);

    void Button1Click();
};
