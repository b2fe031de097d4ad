#pragma once

#include <QString>

class QWidget;

// Grabs the widget into <build>/screens/<name>.png; true when the file was written.
bool SaveScreenshot(QWidget* widget, const QString& name);
