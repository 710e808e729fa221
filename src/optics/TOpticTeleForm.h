#pragma once

#include "ui_TOpticTeleForm.h"

#include <QWidget>

//! Teleconverter: the telescope's focal length times the converter's rated magnification.
class TOpticTeleForm : public QWidget, public Ui::TOpticTeleForm
{
public:
    explicit TOpticTeleForm(QWidget* parent = nullptr);

    void Button3Click();
    void Button2Click();
};
