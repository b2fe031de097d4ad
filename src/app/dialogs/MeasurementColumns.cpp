#include "app/dialogs/MeasurementColumns.h"

#include "platform/Format.h"

std::string ReadingColumn::Heading() const
{
    return FormatString("%d%c", channel + 1, reading);
}

std::vector<ReadingColumn> ReadingColumns(const LoggerUnit& unit)
{
    std::vector<ReadingColumn> columns;
    for (int ch = 0; ch < ChannelCount; ++ch) {
        if (unit.m_channels[ch].m_nVwType > 0)
            columns.push_back({ch, 'A'});
        if (unit.m_channels[ch].m_nAnalogType > 0)
            columns.push_back({ch, 'B'});
    }
    return columns;
}

int TableColumnOf(const std::vector<ReadingColumn>& columns, int channel, char reading)
{
    for (size_t i = 0; i < columns.size(); ++i) {
        if (columns[i].channel == channel && columns[i].reading == reading)
            return static_cast<int>(i) + 1;
    }
    return -1;
}

int SelectColumnOffset(const LoggerUnit& unit, int ch, int kind)
{
    int offset = 0;
    for (int below = 0; below < ch && below < ChannelCount; ++below) {
        offset += unit.m_channels[below].m_nVwType > 0 ? 1 : 0;
        offset += unit.m_channels[below].m_nAnalogType > 0 ? 1 : 0;
    }
    if (kind == 2 && ch >= 0 && ch < ChannelCount && unit.m_channels[ch].m_nVwType > 0)
        ++offset;
    return offset;
}
