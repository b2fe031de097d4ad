#include "platform/MainWindow.h"

#include <QApplication>
#include <QMainWindow>

QWidget* FindMainWindow()
{
    for (QWidget* widget : QApplication::topLevelWidgets()) {
        if (qobject_cast<QMainWindow*>(widget))
            return widget;
    }
    return nullptr;
}
