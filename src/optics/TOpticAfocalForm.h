#pragma once

#include "ui_TOpticAfocalForm.h"

#include <QWidget>

//! Afocal coupling: the camera with its own lens aimed into the eyepiece.
class TOpticAfocalForm : public QWidget, public Ui::TOpticAfocalForm
{
public:
    explicit TOpticAfocalForm(QWidget* parent = nullptr);

    void Button3Click();
    void Button2Click();
};
