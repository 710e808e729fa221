#pragma once

#include "ui_TStartForm.h"

#include <QMainWindow>

//! The start window: the program's main window and the hub of the calculators.
//! Closing it, in whatever way, ends the program.
class TStartForm : public QMainWindow, public Ui::TStartForm
{
public:
    explicit TStartForm(QWidget* parent = nullptr);

    void Button4Click();
    void Button1Click();
    void Button2Click();
    void Button3Click();
    void OpenJob1Click();
    void SaveJob1Click();
    void Exit1Click();
    void Tonight1Click();
    void TargetsTonight1Click();
    void AboutOrvalisCalculator1Click();

protected:
    void closeEvent(QCloseEvent* event) override;
};
