#include "ErrorDisplay.h"

#include "Messages.h"

using namespace Qt::StringLiterals;

QString ApplicationTitle()
{
    return u"Spieldex 2.0"_s;
}

QString ErrorText(const std::exception &error)
{
    return QString::fromUtf8(error.what());
}

void ShowErrorDisplay(const QString &message)
{
    ShowMessage({ApplicationTitle(), message, MessageIcon::Error, MessageButtons::Ok, MessageAnswer::Ok});
}
