#include "data/CsvFile.h"

#include "data/AccFile.h"
#include "data/CsvRowWriter.h"
#include "data/DataFilePaths.h"
#include "data/DataRecordList.h"
#include "platform/DebugTrace.h"
#include "platform/Utf8Text.h"

#include <QSaveFile>

#include <string>

namespace {

// Table text is handed to the file in pieces of about this size.
constexpr size_t WriteChunkSize = 64 * 1024;

bool Drain(QSaveFile& file, std::string& pending)
{
    const auto size = static_cast<qint64>(pending.size());
    const bool written = file.write(pending.data(), size) == size;
    pending.clear();
    return written;
}

std::vector<DataRecord> PrepareRecords(std::string_view text, bool traces)
{
    std::vector<DataRecord> records = ReadDataRecords(text, traces);
    const int count = static_cast<int>(records.size());
    if (traces)
        DebugTrace("Memory receive 2 [%d]\r\n", count);
    SortDataRecords(records);
    if (traces)
        DebugTrace("Memory receive 3 [%d]\r\n", count);
    MarkDuplicates(records);
    if (traces)
        DebugTrace("Memory receive 3 [%d]\r\n", count);
    return records;
}

bool WriteTable(const std::string& path, const std::vector<DataRecord>& records,
    const UsedSlots& used, int dateFormat, EventPump& pump)
{
    // A path that is not UTF-8 would name another file.
    if (!IsUtf8Text(path))
        return false;
    QSaveFile file(QFile::decodeName(path.c_str()));
    if (!file.open(QIODevice::WriteOnly))
        return false;
    CsvRowWriter writer(used, dateFormat);
    std::string pending;
    pending.reserve(2 * WriteChunkSize);
    writer.WriteHeader(pending);
    for (const DataRecord& record : records) {
        pump.Poll();
        writer.Add(record, pending);
        if (pending.size() >= WriteChunkSize && !Drain(file, pending)) {
            file.cancelWriting();
            return false;
        }
    }
    writer.Finish(pending);
    // commit() would rename a file whose buffered tail never reached the disk.
    if (!Drain(file, pending) || !file.flush()) {
        file.cancelWriting();
        return false;
    }
    return file.commit();
}

} // namespace

bool RebuildCsvFile(
    const LoggerRecord& record, int loggerId, const AccFile& raw, const CsvBuildOptions& options)
{
    // Handlers that run during the build may change the record; what it needs is taken now.
    const std::string tablePath = CsvFilePath(record, loggerId);
    const int dateFormat = record.m_nDateFormat;

    std::string text;
    if (!raw.ReadAll(text))
        return false;
    EventPump pump(options.eventIntervalMs);
    const std::vector<DataRecord> records = PrepareRecords(text, options.downloadTraces);
    const UsedSlots used = FindUsedSlots(records, pump);
    return WriteTable(tablePath, records, used, dateFormat, pump);
}
