#include "TestFiles.h"

#include <QFile>

#include <cerrno>
#include <cstring>

#include <sys/mount.h>

ScratchMount::ScratchMount()
{
    if (!dir_.isValid()) {
        reason_ = QStringLiteral("no temporary folder");
        return;
    }
    const QByteArray target = QFile::encodeName(dir_.path());
    if (::mount("tmpfs", target.constData(), "tmpfs", 0, "size=16m") != 0) {
        reason_ = QStringLiteral("mounting a tmpfs is not allowed here: ") + QString::fromLocal8Bit(std::strerror(errno));
        return;
    }
    mounted_ = true;
}

ScratchMount::~ScratchMount()
{
    if (mounted_)
        ::umount2(QFile::encodeName(dir_.path()).constData(), MNT_DETACH);
}

bool ScratchMount::makeReadOnly()
{
    const QByteArray target = QFile::encodeName(dir_.path());
    return ::mount("tmpfs", target.constData(), "tmpfs", MS_REMOUNT | MS_RDONLY, "size=16m") == 0;
}
