// libFuzzer target: arbitrary bytes as a table file, read by the program's own table reader.
// Each input ends in a table or in the reader's German message, never anywhere else.
#include "TableFile.h"
#include "UserErrors.h"

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <cstddef>
#include <cstdint>
#include <cstdlib>

namespace {

const QString &TablePath()
{
    static QTemporaryDir dir;
    static const QString path = dir.filePath(QStringLiteral("spdex_d.cds"));
    return path;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const QString &path = TablePath();
    {
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
            std::abort();
        file.write(reinterpret_cast<const char *>(data), qint64(size));
    }
    try {
        const TableData table = ReadTableFile(path);
        if (table.records.fieldCount() != int(table.fields.size()))
            std::abort();
    } catch (const EUserError &error) {
        if (error.message().isEmpty())
            std::abort();
    }
    return 0;
}
