#pragma once

#include <QString>
#include <stdexcept>

// The engine's error: carries the German text the user will read.
class EDatabaseError : public std::runtime_error {
public:
    explicit EDatabaseError(const QString &message)
        : std::runtime_error(message.toStdString()), message_(message) {}
    const QString &message() const noexcept { return message_; }

private:
    QString message_;
};
