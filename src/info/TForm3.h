#pragma once

#include "ui_TForm3.h"

#include <QWidget>

#include <functional>

//! Help: how the exposure calculator arrives at its suggestion.
class TForm3 : public QWidget, public Ui::TForm3
{
public:
    explicit TForm3(QWidget* parent = nullptr);

    void Button1Click();

    //! Brings the exposure calculator to the front after OK; the window set provides it.
    void SetExposureCalculatorOpener(std::function<void()> opener) { m_openCalculator = std::move(opener); }

private:
    std::function<void()> m_openCalculator;
};
