#pragma once

#include "ui_TForm2.h"

#include <QWidget>

//! The About window: the program's name and version, a note on the companion book, and the
//! way to the maker's web page.
class TForm2 : public QWidget, public Ui::TForm2
{
public:
    explicit TForm2(QWidget* parent = nullptr);

    void Button2Click();
    void Button1Click();

    //! Asks whether to go on the web, and if so asks the desktop to open the maker's web page.
    //! It uses nothing of the window, so the introduction calls it as well.
    static void JumpToWeb();
};
