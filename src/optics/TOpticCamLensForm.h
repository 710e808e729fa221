#pragma once

#include "ui_TOpticCamLensForm.h"

#include <QWidget>

//! Camera lens alone: it supplies focal length and aperture itself; the telescope window is skipped.
class TOpticCamLensForm : public QWidget, public Ui::TOpticCamLensForm
{
public:
    explicit TOpticCamLensForm(QWidget* parent = nullptr);

    void Button3Click();
    void Button2Click();
};
