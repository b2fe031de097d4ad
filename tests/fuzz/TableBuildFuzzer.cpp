// A raw file of any content rebuilt into a table: every row has as many fields as the heading,
// whatever the date style.

#include "data/AccFile.h"
#include "data/CsvFile.h"
#include "data/DataFilePaths.h"
#include "record/LoggerRecord.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdint>
#include <cstdlib>

namespace {

QTemporaryDir* g_dir = nullptr;

long long Fields(const QByteArray& line)
{
    return std::count(line.begin(), line.end(), ',') + 1;
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv)
{
    new QCoreApplication(*argc, *argv);
    g_dir = new QTemporaryDir;
    if (!g_dir->isValid())
        std::abort();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    LoggerRecord record{};
    SetFieldText(record.m_szName, "Fuzz");
    SetFieldText(record.m_szDataFolder, g_dir->path().toStdString() + "/");
    // The first byte picks the date style, outside 0..5 too.
    record.m_nDateFormat = size > 0 ? data[0] % 9 - 1 : 0;
    QDir().mkpath(QString::fromStdString(LoggerFolderPath(record)));
    const std::string rawPath = AccFilePath(record, 1);
    {
        QFile raw(QString::fromStdString(rawPath));
        if (!raw.open(QIODevice::WriteOnly))
            std::abort();
        if (size > 1)
            raw.write(reinterpret_cast<const char*>(data + 1), static_cast<qint64>(size - 1));
    }
    AccFile raw(rawPath);
    if (!raw.Open() || !RebuildCsvFile(record, 1, raw))
        std::abort();
    QFile table(QString::fromStdString(CsvFilePath(record, 1)));
    if (!table.open(QIODevice::ReadOnly))
        std::abort();
    const QList<QByteArray> lines = table.readAll().split('\n');
    const long long columns = Fields(lines.value(0).chopped(lines.value(0).endsWith('\r') ? 1 : 0));
    for (QByteArray line : lines) {
        if (line.endsWith('\r'))
            line.chop(1);
        if (!line.isEmpty() && Fields(line) != columns)
            std::abort();
    }
    return 0;
}
