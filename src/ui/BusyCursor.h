#pragma once

#include <QCursor>
#include <QGuiApplication>

//! The busy cursor over every window of the program, boxes included, while it lives; the
//! cursor each control had before comes back when it ends, whichever way the work ends.
class BusyCursor
{
public:
    BusyCursor() { QGuiApplication::setOverrideCursor(QCursor(Qt::WaitCursor)); }
    ~BusyCursor() { QGuiApplication::restoreOverrideCursor(); }
    BusyCursor(const BusyCursor&) = delete;
    BusyCursor& operator=(const BusyCursor&) = delete;
};
