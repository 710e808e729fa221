#pragma once

#include "ui_TIntroForm.h"

#include <QWidget>

//! The introduction for new users: a long text and the way to the maker's web page.
class TIntroForm : public QWidget, public Ui::TIntroForm
{
public:
    explicit TIntroForm(QWidget* parent = nullptr);

    void Button1Click();
    void Button2Click();
};
