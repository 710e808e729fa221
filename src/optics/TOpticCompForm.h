#pragma once

#include "ui_TOpticCompForm.h"

#include <QWidget>

//! Compression: the telescope's focal length times the compressor's rated ratio.
class TOpticCompForm : public QWidget, public Ui::TOpticCompForm
{
public:
    explicit TOpticCompForm(QWidget* parent = nullptr);

    void Button3Click();
    void Button2Click();
};
