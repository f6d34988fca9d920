#include "Misc.h"

#include "CommandLine.h"

#include <QDir>

namespace {

constexpr qsizetype kMaxPathCharacters = 255;

QString programFolder;
int editModeFlag = 0;
QString searchText;

int CaptureFolder()
{
    const std::optional<QString> folder = ProgramFolderOf(RunningProgramPath());
    if (!folder)
        return 0;
    programFolder = *folder;
    return 1;
}

int EnterFolder()
{
    QDir::setCurrent(programFolder); // a failure is not reported
    return 0;
}

} // namespace

std::optional<QString> ProgramFolderOf(const QString &programPath)
{
    if (programPath.toUcs4().size() > kMaxPathCharacters)
        return std::nullopt;
    for (qsizetype i = programPath.size() - 1; i >= 0; --i) {
        if (!IsPathSeparator(programPath.at(i)))
            continue;
        const bool isRoot = i == 0 || (i == 2 && programPath.at(1) == u':');
        return programPath.left(isRoot ? i + 1 : i);
    }
    return programPath;
}

void SetProgramFolder(const QString &folder)
{
    programFolder = folder;
}

int ProgramFolder(int op)
{
    switch (op) {
    case pfCapture:
        return CaptureFolder();
    case pfEnter:
        return EnterFolder();
    default:
        return 0;
    }
}

int EditModeFlag(unsigned op)
{
    if (op == emNormal || op == emEdit)
        editModeFlag = int(op);
    return editModeFlag;
}

QString SearchTextStore(int op, const QString &text)
{
    switch (op) {
    case stClear:
        searchText.clear();
        return {};
    case stStore:
        searchText = text;
        return {};
    case stFetch:
        return searchText;
    default:
        return {};
    }
}
