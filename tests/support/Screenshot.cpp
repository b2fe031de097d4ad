#include "support/Screenshot.h"

#include <QDir>
#include <QPixmap>
#include <QWidget>

bool SaveScreenshot(QWidget* widget, const QString& name)
{
    const QString folder = QStringLiteral(QUORBEL_SCREENS_DIR);
    if (!QDir().mkpath(folder))
        return false;
    return widget->grab().save(folder + "/" + name + ".png");
}
