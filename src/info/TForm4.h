#pragma once

#include "ui_TForm4.h"

#include <QWidget>

#include <functional>

//! Help: what the exposure calculator needs to know and how exact its suggestion is.
class TForm4 : public QWidget, public Ui::TForm4
{
public:
    explicit TForm4(QWidget* parent = nullptr);

    void Button1Click();

    //! Brings the exposure calculator to the front after OK; the window set provides it.
    void SetExposureCalculatorOpener(std::function<void()> opener) { m_openCalculator = std::move(opener); }

private:
    std::function<void()> m_openCalculator;
};
