#pragma once

class QComboBox;

// The selected entry of a drop-down list as the operator sees it: in a list with an edit
// field, text equal to an entry (case aside) counts as that entry and any other text as no
// selection (-1), whatever entry Qt still keeps current.
int ComboCurSel(const QComboBox* combo);
// Selects entry index (-1: none, with an empty edit field).
void ComboSetCurSel(QComboBox* combo, int index);
