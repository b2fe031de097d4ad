#pragma once

class QComboBox;

// The entry a drop-down list stands on, as the lists of the other platform answer: in a list
// with an edit field, text equal to a listed entry (case aside) is that entry and any other
// text is none (-1), whatever entry Qt still keeps current; a list without one answers its
// current entry.
int ComboCurSel(const QComboBox* combo);
