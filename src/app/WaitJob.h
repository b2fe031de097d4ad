#pragma once

#include "app/JobProgress.h"
#include "app/MeasuredReading.h"
#include "record/LoggerRecord.h"

#include <string>
#include <vector>

// What a wait popup's caller asks for (see WaitMode for the modes). logger is the 0-based
// index in Measure, MeasureForGraph and WriteChannels, the logger ID in FormatMemory,
// ReadChannels and Reset; channel is 0..15 or -1 (all) in Measure, 0..15 in MeasureForGraph.
struct WaitJobRequest
{
    int mode = -1;
    int logger = -1;
    int channel = -1;
    int kind = -1; // Measure of one channel: 0 both readings, 1 A only, 2 B only
    bool saveManualReading = false; // Measure: the logger stores the readings itself
};

struct WaitJobResult
{
    bool ran = false; // false: mode or arguments out of range, nothing sent, no record touched
    std::vector<std::string> lines; // the result lines of the mode
    std::vector<MeasuredReading> readings; // measuring modes: one per line, same order
    bool replyMissing = false; // a measuring read or a "channel" command got no reply
    bool saveOnFailed = false; // Measure: all three "save on" went unanswered
};

// One logger job of several commands on g_port, run to its end on the current record. The
// link's waits run events meanwhile; the job keeps its state in itself.
class CWaitJob final
{
public:
    CWaitJob(const WaitJobRequest& request, JobProgress progress);

    WaitJobResult Run();

    // Seconds waited for the line read after a manual measurement, before "save on".
    static constexpr int TrailingReadSec = 1;
    static constexpr int SaveOnAttempts = 3;

private:
    bool ArgumentsValid() const;
    const ChannelConfig& Channel(int index, int ch) const;
    void AddReading(const MeasureReply& reply, int ch, char reading, int analogType);
    MeasureReply ReadA(int id, int ch, int vwType);
    MeasureReply ReadB(int id, int ch, int analogType);

    void ScanChannels();
    void Measure();
    void MeasureChannel();
    void MeasureEveryChannel();
    void SaveOn(int id);
    void MeasureForGraph();
    void FormatMemory();
    void WriteChannels();
    void ReadChannels();
    void Reset();

    WaitJobRequest m_request;
    JobProgress m_progress;
    WaitJobResult m_result;
};
