#include "ErrorDisplay.h"

#include "Messages.h"
#include "Version.h"

using namespace Qt::StringLiterals;

QString ApplicationTitle()
{
    return QStringLiteral(SPIELDEX_APPLICATION_TITLE);
}

QString ErrorText(const std::exception &error)
{
    return QString::fromUtf8(error.what());
}

void ShowErrorDisplay(const QString &message)
{
    ShowErrorBox(ApplicationTitle(), message);
}
