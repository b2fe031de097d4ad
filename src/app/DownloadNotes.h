#pragma once

#include <string>
#include <vector>

// The texts a download tells the operator about one logger, each naming it: why its memory was
// kept, and where the line went away.
namespace DownloadNotes {

// Where in a logger's turn the line went away; each leaves its memory in another state.
enum class LineLostAt
{
    Count, // its record count was asked for: nothing was read from it
    Records, // its records were coming: none was erased
    EraseCount, // it was counted again before its erase: nothing was erased
    Erase, // "memory init" went out unanswered: it may have been erased
    AfterErase // it answered the erase
};

std::string LineLost(int loggerId, LineLostAt at);
// The loggers of the line never reached; "" when there are none.
std::string NotRead(const std::vector<int>& loggerIds);

std::string NoResponse(int loggerId);
std::string NotArrived(int loggerId, long long records);
std::string SentOf(int loggerId, int sent, int count);
// Records that came more than once while the different ones fell short of the count: a repeat
// may stand for a record that never came, or the memory may hold a record twice.
std::string Repeated(int loggerId, int repeats, int different, int count);
std::string OverCapacity(int loggerId);
std::string MoreThanCounted(int loggerId);
// Lines that may be damaged records came with all the records a logger counted.
std::string Damaged(int loggerId, int lines, int count);
std::string ForeignLines(int loggerId, int lines);
// What the erase found: a count other than the records read, a raw file that no longer holds
// them, no answer to "memory init".
std::string CountChanged(int loggerId);
std::string RawFileChanged(int loggerId, const std::string& path);
std::string EraseUnanswered(int loggerId);

} // namespace DownloadNotes
