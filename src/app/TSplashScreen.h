#pragma once

#include "ui_TSplashScreen.h"

#include <QTimer>
#include <QWidget>

//! The splash window: the companion book's cover, on top of everything for four seconds.
class TSplashScreen : public QWidget, public Ui::TSplashScreen
{
public:
    explicit TSplashScreen(QWidget* parent = nullptr);

    void Timer1Timer();

    QTimer* Timer1;
};
