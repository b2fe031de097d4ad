#include "platform/ComboSelection.h"

#include <QComboBox>

int ComboCurSel(const QComboBox* combo)
{
    if (!combo)
        return -1;
    if (!combo->isEditable())
        return combo->currentIndex();
    return combo->findText(combo->currentText(), Qt::MatchFixedString);
}
