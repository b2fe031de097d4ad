#include "app/DownloadNotes.h"

#include "platform/Format.h"

namespace DownloadNotes {

namespace {

const char* Records(long long count)
{
    return count == 1 ? "record" : "records";
}

} // namespace

std::string LineLost(int loggerId, LineLostAt at)
{
    switch (at) {
    case LineLostAt::Count:
        return FormatString("The line went away while logger ID %d was asked for its record "
                            "count; nothing was read from it.",
            loggerId);
    case LineLostAt::Records:
        return FormatString("The line went away while logger ID %d's records were being "
                            "received; its memory was kept.",
            loggerId);
    case LineLostAt::EraseCount:
        return FormatString("The line went away while logger ID %d was counted again before "
                            "its erase; its memory was kept.",
            loggerId);
    case LineLostAt::Erase:
        return FormatString("The line went away during logger ID %d's erase; all its records "
                            "are on disk, and its memory may have been erased.",
            loggerId);
    case LineLostAt::AfterErase:
        break;
    }
    return FormatString("The line went away after logger ID %d's memory was erased; all its "
                        "records are on disk.",
        loggerId);
}

std::string NotRead(const std::vector<int>& loggerIds)
{
    if (loggerIds.empty())
        return {};
    if (loggerIds.size() == 1)
        return FormatString("Logger ID %d was not read.", loggerIds.front());
    std::string ids;
    for (size_t i = 0; i < loggerIds.size(); ++i) {
        const char* separator = i == 0 ? "" : i + 1 == loggerIds.size() ? " and " : ", ";
        ids += FormatString("%s%d", separator, loggerIds[i]);
    }
    return FormatString("Logger IDs %s were not read.", ids.c_str());
}

std::string NoResponse(int loggerId)
{
    return FormatString("No response from logger ID %d.", loggerId);
}

std::string NotArrived(int loggerId, long long records)
{
    return FormatString("Logger ID %d: %lld %s did not arrive; its memory was kept.", loggerId,
        records, Records(records));
}

std::string SentOf(int loggerId, int sent, int count)
{
    return FormatString(
        "Logger ID %d sent %d of %d records; its memory was kept.", loggerId, sent, count);
}

std::string Repeated(int loggerId, int repeats, int different, int count)
{
    const int shortBy = count - different;
    const std::string twice = repeats == 1 ? std::string("one of them twice")
                                           : FormatString("%d of them more than once", repeats);
    return FormatString("Logger ID %d sent %d different records of the %d it counted, %s: %d %s "
                        "may not have arrived; its memory was kept.",
        loggerId, different, count, twice.c_str(), shortBy, Records(shortBy));
}

std::string OverCapacity(int loggerId)
{
    return FormatString(
        "Logger ID %d holds more records than one download reads; its memory was kept.", loggerId);
}

std::string MoreThanCounted(int loggerId)
{
    return FormatString(
        "Logger ID %d sent more records than it counted; its memory was kept.", loggerId);
}

std::string Damaged(int loggerId, int lines, int count)
{
    if (lines == 1) {
        return FormatString("Logger ID %d: a damaged line came with its %d counted records; it "
                            "may be a record, so its memory was kept.",
            loggerId, count);
    }
    return FormatString("Logger ID %d: %d damaged lines came with its %d counted records; they may "
                        "be records, so its memory was kept.",
        loggerId, lines, count);
}

std::string ForeignLines(int loggerId, int lines)
{
    if (lines == 1) {
        return FormatString("Logger ID %d: a line of another logger came among its records; it "
                            "is in the raw file as it came, not in the table.",
            loggerId);
    }
    return FormatString("Logger ID %d: %d lines of other loggers came among its records; they "
                        "are in the raw file as they came, not in the table.",
        loggerId, lines);
}

std::string CountChanged(int loggerId)
{
    return FormatString(
        "Logger ID %d: its record count changed during the download; its memory was kept.",
        loggerId);
}

std::string RawFileChanged(int loggerId, const std::string& path)
{
    return FormatString("Logger ID %d: the raw file %s no longer holds every record of this "
                        "download; its memory was kept.",
        loggerId, path.c_str());
}

std::string EraseUnanswered(int loggerId)
{
    return FormatString(
        "Logger ID %d did not answer the erase; its memory may still hold its records.", loggerId);
}

} // namespace DownloadNotes
