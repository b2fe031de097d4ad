#include "app/dialogs/ChannelTypeLists.h"
#include "app/dialogs/LoggerIdCombo.h"

#include <QComboBox>

#include <gtest/gtest.h>

namespace {

TEST(LoggerIdComboTest, OffersTheLineIdsAndReadsOnlyAListedEntry)
{
    LoggerRecord record = NewLoggerRecord("net", "/tmp/");
    QComboBox combo;
    combo.setEditable(true);
    FillLoggerIdCombo(&combo, &record);
    EXPECT_EQ(combo.count(), 1);
    EXPECT_EQ(SelectedLoggerId(&combo), 1);

    record.m_bSingle = 0;
    record.m_bLoggerUsed[1] = record.m_bLoggerUsed[2] = record.m_bLoggerUsed[6] = 1;
    FillLoggerIdCombo(&combo, &record);
    ASSERT_EQ(combo.count(), 3);
    EXPECT_EQ(combo.itemText(2), "7");
    EXPECT_EQ(SelectedLoggerId(&combo), 2);
    combo.setEditText(QStringLiteral("7"));
    EXPECT_EQ(SelectedLoggerId(&combo), 7);
    combo.setEditText(QStringLiteral("5"));
    EXPECT_EQ(SelectedLoggerId(&combo), -1);

    FillLoggerIdCombo(&combo, nullptr);
    EXPECT_EQ(SelectedLoggerId(&combo), -1);
}

TEST(ChannelTypeListsTest, ShownAndStoredTypesRoundTrip)
{
    using namespace ChannelTypeLists;
    for (int type = 0; type <= 4; ++type) {
        const ShownType vw = ShowVw(type);
        EXPECT_EQ(StoreVw(vw.checked, vw.index), type);
    }
    for (int type : {0, 2, 3, 4}) {
        const ShownType analog = ShowAnalog(type);
        EXPECT_EQ(StoreAnalog(analog.checked, analog.index), type);
    }
    EXPECT_EQ(ShowAnalog(2).index, 2);
    EXPECT_EQ(ShowAnalog(3).index, 0);
    // No selection: VW off, analog RTD when checked.
    EXPECT_EQ(StoreVw(true, -1), 0);
    EXPECT_EQ(StoreAnalog(true, -1), 2);
    EXPECT_EQ(StoreAnalog(false, 1), 0);
    // A type the list does not hold shows no entry.
    EXPECT_EQ(ShowVw(9).index, -1);
}

} // namespace
