#include "app/dialogs/ChannelTypeLists.h"
#include "app/dialogs/LoggerIdCombo.h"

#include <QComboBox>

#include <gtest/gtest.h>

namespace {

// A single logger offers 1; a network its IDs, the first chosen; typed text is an ID only when
// it names an entry; no record, no ID.
TEST(LoggerIdComboTest, OffersTheLineIdsAndReadsOnlyAListedEntry)
{
    LoggerRecord record = NewLoggerRecord("net", "/tmp/");
    QComboBox combo;
    combo.setEditable(true);
    FillLoggerIdCombo(&combo, &record);
    EXPECT_TRUE(combo.count() == 1 && SelectedLoggerId(&combo) == 1);
    record.m_bSingle = 0;
    record.m_bLoggerUsed[1] = record.m_bLoggerUsed[2] = record.m_bLoggerUsed[6] = 1;
    FillLoggerIdCombo(&combo, &record);
    EXPECT_TRUE(combo.count() == 3 && SelectedLoggerId(&combo) == 2);
    for (const auto& [typed, id] : {std::pair{"7", 7}, {"5", -1}, {"", -1}}) {
        combo.setEditText(QString::fromLatin1(typed));
        EXPECT_EQ(SelectedLoggerId(&combo), id) << typed;
    }
    FillLoggerIdCombo(&combo, nullptr);
    EXPECT_EQ(SelectedLoggerId(&combo), -1);
}

// No selection: VW off, analog RTD when checked; a type the list lacks shows no entry.
TEST(ChannelTypeListsTest, ShownAndStoredTypesRoundTrip)
{
    using namespace ChannelTypeLists;
    for (int type = 0; type <= 4; ++type) {
        const ShownType vw = ShowVw(type);
        EXPECT_EQ(StoreVw(vw.checked, vw.index), type);
        const ShownType analog = ShowAnalog(type == 1 ? 0 : type);
        EXPECT_EQ(StoreAnalog(analog.checked, analog.index), type == 1 ? 0 : type);
    }
    EXPECT_TRUE(StoreVw(true, -1) == 0 && StoreAnalog(true, -1) == 2 && StoreAnalog(false, 1) == 0);
    EXPECT_EQ(ShowVw(5).index, -1);
}

} // namespace
