#include "support/WholeControls.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QComboBox>
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
#include <string>
#include <vector>

namespace {

// The text as shown: mnemonic markers out, "&&" for "&".
QString Shown(QString text)
{
    text.replace(QStringLiteral("&&"), QStringLiteral("\x01"));
    text.remove(QLatin1Char('&'));
    return text.replace(QLatin1Char('\x01'), QLatin1Char('&'));
}

QString Caption(const QWidget* control)
{
    if (const auto* label = qobject_cast<const QLabel*>(control))
        return Shown(label->text());
    if (const auto* button = qobject_cast<const QAbstractButton*>(control))
        return Shown(button->text());
    if (const auto* box = qobject_cast<const QGroupBox*>(control))
        return Shown(box->title());
    return QString();
}

std::string Name(const QWidget* control)
{
    const QRect place = control->geometry();
    return QStringLiteral("%1 \"%2\" at %3,%4 %5x%6")
        .arg(control->metaObject()->className(), Caption(control))
        .arg(place.x())
        .arg(place.y())
        .arg(place.width())
        .arg(place.height())
        .toStdString();
}

// Where the control draws its caption, in its own coordinates.
QRect TextRoom(const QWidget* control)
{
    if (const auto* label = qobject_cast<const QLabel*>(control))
        return label->contentsRect();
    const auto* button = qobject_cast<const QAbstractButton*>(control);
    if (!button)
        return control->rect();
    QStyleOptionButton option;
    option.initFrom(button);
    option.text = button->text();
    const bool check = qobject_cast<const QCheckBox*>(button);
    return button->style()->subElementRect(
        check ? QStyle::SE_CheckBoxContents : QStyle::SE_PushButtonContents, &option, button);
}

void ExpectTextFits(const QWidget* control)
{
    if (const auto* combo = qobject_cast<const QComboBox*>(control); combo && combo->lineEdit())
        control = combo->lineEdit();
    const QFontMetrics metrics = control->fontMetrics();
    if (const auto* edit = qobject_cast<const QLineEdit*>(control)) {
        QStyleOptionFrame option;
        option.initFrom(edit);
        option.lineWidth
            = edit->hasFrame() ? edit->style()->pixelMetric(QStyle::PM_DefaultFrameWidth) : 0;
        const QRect room
            = edit->style()->subElementRect(QStyle::SE_LineEditContents, &option, edit);
        EXPECT_GE(room.height(), metrics.height()) << Name(control);
        return;
    }
    const QString text = Caption(control);
    if (text.isEmpty())
        return;
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
    const QRect text = control->fontMetrics().boundingRect(label->contentsRect(),
        static_cast<int>(label->alignment()) | (label->wordWrap() ? Qt::TextWordWrap : 0),
        Caption(control));
    return text.translated(control->pos());
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
        EXPECT_TRUE(inside.contains(Covered(control)))
            << Name(control) << " outside " << inside.x() << "," << inside.y() << " "
            << inside.width() << "x" << inside.height();
        ExpectTextFits(control);
        if (qobject_cast<const QGroupBox*>(control))
            continue;
        // A pixel apart at least: text that touches a neighbour reads as cut.
        for (size_t j = i + 1; j < shown.size(); ++j) {
            const QWidget* other = shown[j];
            if (qobject_cast<const QGroupBox*>(other))
                continue;
            EXPECT_FALSE(Covered(control).adjusted(-1, -1, 1, 1).intersects(Covered(other)))
                << Name(control) << " meets " << Name(other);
        }
    }
}

int FontScalePercent()
{
    return static_cast<int>(
        std::lround(QGuiApplication::primaryScreen()->logicalDotsPerInchY() * 100.0 / 96.0));
}
