#pragma once

#include "ui_TOpticForm2.h"

#include <QWidget>

//! The configuration choice, first step of the optical wizard. The choice is held nowhere
//! but in its seven radio buttons, which the later steps read.
class TOpticForm2 : public QWidget, public Ui::TOpticForm2
{
public:
    explicit TOpticForm2(QWidget* parent = nullptr);

    void Button3Click();
    void Button2Click();
    void Panel1Click();
    void Label5Click();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
};
