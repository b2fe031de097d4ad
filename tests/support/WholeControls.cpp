#include "support/WholeControls.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDebug>
#include <QGroupBox>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QScreen>
#include <QStyle>
#include <QStyleOptionButton>
#include <QStyleOptionFrame>

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

namespace {

// The caption as shown: mnemonic markers out, "&&" for "&".
QString Caption(const QWidget* control)
{
    QString text;
    if (const auto* label = qobject_cast<const QLabel*>(control))
        text = label->text();
    else if (const auto* button = qobject_cast<const QAbstractButton*>(control))
        text = button->text();
    else if (const auto* box = qobject_cast<const QGroupBox*>(control))
        text = box->title();
    return text.replace(QStringLiteral("&&"), QStringLiteral("\x01"))
        .remove(QLatin1Char('&'))
        .replace(QLatin1Char('\x01'), QLatin1Char('&'));
}

std::string Name(const QWidget* control)
{
    QString name;
    QDebug(&name) << control->metaObject()->className() << Caption(control) << control->geometry();
    return name.toStdString();
}

// Where the control draws its text, in its own coordinates.
QRect TextRoom(const QWidget* control)
{
    const QStyle* style = control->style();
    if (const auto* edit = qobject_cast<const QLineEdit*>(control)) {
        QStyleOptionFrame option;
        option.initFrom(edit);
        option.lineWidth = edit->hasFrame() ? style->pixelMetric(QStyle::PM_DefaultFrameWidth) : 0;
        return style->subElementRect(QStyle::SE_LineEditContents, &option, edit);
    }
    if (const auto* label = qobject_cast<const QLabel*>(control))
        return label->contentsRect();
    const auto* button = qobject_cast<const QAbstractButton*>(control);
    if (!button)
        return control->rect();
    QStyleOptionButton option;
    option.initFrom(button);
    option.text = button->text();
    return style->subElementRect(qobject_cast<const QCheckBox*>(button)
            ? QStyle::SE_CheckBoxContents
            : QStyle::SE_PushButtonContents,
        &option, button);
}

void ExpectTextFits(const QWidget* control)
{
    if (const auto* combo = qobject_cast<const QComboBox*>(control); combo && combo->lineEdit())
        control = combo->lineEdit();
    // A line edit needs a line's height however short its text.
    const QString text = Caption(control);
    if (text.isEmpty() && !qobject_cast<const QLineEdit*>(control))
        return;
    const QFontMetrics metrics = control->fontMetrics();
    const auto* label = qobject_cast<const QLabel*>(control);
    const bool wrap = label && label->wordWrap();
    const QRect room = TextRoom(control);
    const QRect lines = metrics.boundingRect(
        QRect(0, 0, room.width(), 1 << 20), wrap ? Qt::TextWordWrap : 0, text);
    EXPECT_LE(lines.width(), room.width()) << Name(control);
    EXPECT_LE(wrap ? lines.height() : metrics.height(), room.height()) << Name(control);
}

// What a control covers in its window: a caption its text, any other control its place.
QRect Covered(const QWidget* control)
{
    const auto* label = qobject_cast<const QLabel*>(control);
    if (!label)
        return control->geometry();
    const int flags
        = static_cast<int>(label->alignment()) | (label->wordWrap() ? Qt::TextWordWrap : 0);
    return control->fontMetrics()
        .boundingRect(label->contentsRect(), flags, Caption(control))
        .translated(control->pos());
}

} // namespace

void ExpectControlsWhole(const QWidget* window, const QRect& inside)
{
    std::vector<const QWidget*> shown;
    for (const QWidget* control : window->findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
        if (control->isVisible())
            shown.push_back(control);
    for (size_t i = 0; i < shown.size(); ++i) {
        const QWidget* control = shown[i];
        EXPECT_TRUE(inside.contains(Covered(control))) << Name(control) << " outside";
        ExpectTextFits(control);
        // A pixel apart at least: text that touches a neighbour reads as cut.
        for (size_t j = i + 1; j < shown.size(); ++j)
            EXPECT_TRUE(qobject_cast<const QGroupBox*>(control)
                || qobject_cast<const QGroupBox*>(shown[j])
                || !Covered(control).adjusted(-1, -1, 1, 1).intersects(Covered(shown[j])))
                << Name(control) << " meets " << Name(shown[j]);
    }
}

int FontScalePercent()
{
    return static_cast<int>(
        std::lround(QGuiApplication::primaryScreen()->logicalDotsPerInchY() * 100.0 / 96.0));
}
