#pragma once

class QWidget;

// The program's main window (the first top-level QMainWindow), the parent of dialogs that
// are given none; nullptr when there is none, as in most tests.
QWidget* FindMainWindow();
