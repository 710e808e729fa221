#pragma once

#include "ui_TForm1.h"

#include <QMainWindow>

//! The exposure calculator. It holds no numbers of its own: every recalculation reads the
//! five box texts afresh and writes the suggested exposure back as text.
class TForm1 : public QMainWindow, public Ui::TForm1
{
public:
    explicit TForm1(QWidget* parent = nullptr);

    void Recalculate();
    void FormActivate();
    void Button1Click();
    void Button2Click();
    void Print1Click();
    void Exit1Click();
    void Howtousethisprogram1Click();
    void Instructions1Click();
    void About1Click();

    //! Puts an f-ratio computed elsewhere into FRatioBox. It is not calculated with now:
    //! the window picks it up when it next becomes active.
    void WriteFRatio(const QString& text);

protected:
    bool event(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    //! Whether this is the program's active window, as far as FormActivate is concerned: it
    //! stays so while the user is in another application or answers a message box, and ends
    //! when another window of the program becomes active or this one is hidden.
    bool m_isActiveForm = false;
};
