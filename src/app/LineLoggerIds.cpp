#include "app/LineLoggerIds.h"

std::vector<int> LineLoggerIds(const LoggerRecord& record)
{
    std::vector<int> ids;
    for (int id = 1; id <= MaxLoggerIds; ++id) {
        if (IsLoggerIdUsed(record, id))
            ids.push_back(id);
    }
    return ids;
}
