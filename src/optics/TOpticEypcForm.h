#pragma once

#include "ui_TOpticEypcForm.h"

#include <QWidget>

//! Eyepiece projection: the eyepiece projects the telescope's image onto the film.
class TOpticEypcForm : public QWidget, public Ui::TOpticEypcForm
{
public:
    explicit TOpticEypcForm(QWidget* parent = nullptr);

    void Button3Click();
    void Button2Click();
};
