#include "app/dialogs/LoggerIdCombo.h"

#include "app/LineLoggerIds.h"
#include "platform/ComboSelection.h"
#include "platform/Format.h"
#include "platform/Text.h"

#include <QComboBox>

#include <cstdlib>

void FillLoggerIdCombo(QComboBox* combo, const LoggerRecord* record)
{
    combo->clear();
    if (record) {
        for (int id : LineLoggerIds(*record))
            combo->addItem(ToQt(FormatString("%d", id)));
    }
    ComboSetCurSel(combo, combo->count() > 0 ? 0 : -1);
}

int SelectedLoggerId(const QComboBox* combo)
{
    const int entry = ComboCurSel(combo);
    if (entry < 0)
        return -1;
    return std::atoi(FromQt(combo->itemText(entry)).c_str());
}
