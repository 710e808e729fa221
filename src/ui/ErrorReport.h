#pragma once

#include <QObject>

#include <exception>
#include <utility>

//! Shows the error box: the message (full-stop rule applied), caption
//! "Orvalis Exposure Calculator", an error icon and OK.
void ShowErrorReport(const char* message) noexcept;

//! Runs one event handler. Whatever it throws ends the handler here, at its own boundary,
//! and is reported in the error box: an exception must never unwind through Qt's
//! signal or event code. The program then goes on with the state the handler left.
template <typename Handler>
void Guarded(Handler&& handler) noexcept
{
    try {
        std::forward<Handler>(handler)();
    } catch (const std::exception& error) {
        ShowErrorReport(error.what());
    } catch (...) {
        ShowErrorReport("Unexpected error");
    }
}

//! connect() for the program's handlers: `handler` is a member without arguments that runs
//! through Guarded whenever `signal` fires.
template <typename Sender, typename Signal, typename Receiver>
QMetaObject::Connection ConnectHandler(Sender* sender, Signal signal, Receiver* receiver, void (Receiver::*handler)())
{
    return QObject::connect(sender, signal, receiver, [receiver, handler] { Guarded([&] { (receiver->*handler)(); }); });
}
