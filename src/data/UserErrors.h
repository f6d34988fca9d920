#pragma once

#include <QString>
#include <stdexcept>

// An error the user reads: carries its German text; what() is the same in UTF-8.
class EUserError : public std::runtime_error {
public:
    explicit EUserError(const QString &message) : std::runtime_error(message.toStdString()), message_(message) {}
    const QString &message() const noexcept { return message_; }

private:
    QString message_;
};

// A value as an error text quotes it: whole when short, else its beginning and "…", so that
// a huge value costs the message no more than a glance (and never half a character).
inline QString ValueExcerpt(QStringView value, qsizetype keep = 40)
{
    if (value.size() <= keep)
        return value.toString();
    if (value.at(keep - 1).isHighSurrogate())
        --keep;
    return value.left(keep).toString() + QStringLiteral("…");
}

// The engine's error.
class EDatabaseError : public EUserError {
public:
    using EUserError::EUserError;
};

// A file the program needs cannot be read (the screenshot loader's fallback picture).
class EFileError : public EUserError {
public:
    using EUserError::EUserError;
};
