#include "platform/MessageBoxCaption.h"

#include "platform/ScreenFit.h"

#include <QFontMetrics>
#include <QGridLayout>
#include <QMessageBox>
#include <QSpacerItem>

namespace {

// The window icon and three buttons, each about as wide as the bar is high, and half a bar's
// height of margin at each end.
constexpr int TitleBarCells = 5;

} // namespace

void FitCaption(QMessageBox* box)
{
    QLayout* layout = box->layout();
    if (!layout)
        return;
    QFont bold = box->font();
    bold.setBold(true);
    const QMargins margins = layout->contentsMargins();
    const int width = QFontMetrics(bold).horizontalAdvance(box->windowTitle())
        + TitleBarCells * TitleBarHeight(box) - margins.left() - margins.right();
    // The box takes its layout's least width whenever it is laid out; a spacer as wide as the
    // title bar needs, across the whole layout, raises that.
    auto* spacer = new QSpacerItem(width, 0, QSizePolicy::Fixed, QSizePolicy::Fixed);
    if (auto* grid = qobject_cast<QGridLayout*>(layout))
        grid->addItem(spacer, grid->rowCount(), 0, 1, grid->columnCount());
    else
        layout->addItem(spacer);
}
