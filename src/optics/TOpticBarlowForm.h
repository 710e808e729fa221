#pragma once

#include "ui_TOpticBarlowForm.h"

#include <QWidget>

//! Negative projection with a Barlow lens at a distance from the film.
class TOpticBarlowForm : public QWidget, public Ui::TOpticBarlowForm
{
public:
    explicit TOpticBarlowForm(QWidget* parent = nullptr);

    void Button3Click();
    void Button2Click();
};
