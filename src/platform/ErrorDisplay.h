#pragma once

#include <QObject>
#include <QString>

#include <exception>

// The application's title: on the task bar and above the error display.
QString ApplicationTitle();

// The application's error display: a box with the error's text under the application's
// title, error icon; the program goes on afterwards.
void ShowErrorDisplay(const QString &message);

// The text of an error as the user reads it.
QString ErrorText(const std::exception &error);

// Runs a handler so that no error crosses the window framework's own frames: an error
// that leaves it is shown by the error display.
template <class Handler>
void RunGuarded(Handler &&handler) noexcept
{
    try {
        handler();
    } catch (const std::exception &error) {
        ShowErrorDisplay(ErrorText(error));
    } catch (...) {
        ShowErrorDisplay(QStringLiteral("Unbekannter Fehler"));
    }
}

// Connects a signal to a handler of the receiver, run through the guard above; the
// handler takes the signal's arguments or fewer.
template <class Sender, class Signal, class Receiver, class... Args>
QMetaObject::Connection ConnectGuarded(Sender *sender, Signal signal, Receiver *receiver,
                                       void (Receiver::*handler)(Args...))
{
    return QObject::connect(sender, signal, receiver, [receiver, handler](Args... args) {
        RunGuarded([&] { (receiver->*handler)(args...); });
    });
}
