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

void ComboSetCurSel(QComboBox* combo, int index)
{
    if (!combo)
        return;
    combo->setCurrentIndex(index >= 0 && index < combo->count() ? index : -1);
    if (combo->isEditable() && combo->currentIndex() < 0)
        combo->setEditText(QString());
}
