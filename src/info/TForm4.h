#pragma once

#include "ui_TForm4.h"

#include <QWidget>

//! Help: what the exposure calculator needs to know and how exact its suggestion is.
class TForm4 : public QWidget, public Ui::TForm4
{
public:
    explicit TForm4(QWidget* parent = nullptr);

    void Button1Click();
};
