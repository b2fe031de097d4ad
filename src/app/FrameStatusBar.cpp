#include "app/FrameStatusBar.h"

#include "platform/KeyLocks.h"
#include "res/CommandIds.h"

#include <QFontMetrics>
#include <QLabel>

namespace {

// The idle text of the message pane.
constexpr char ReadyText[] = "Ready";
// How often the lock keys are looked at.
constexpr int IndicatorIntervalMs = 500;

QLabel* MakeIndicator(QStatusBar* bar, const QString& widest)
{
    auto* pane = new QLabel(bar);
    pane->setAlignment(Qt::AlignCenter);
    pane->setFrameShape(QFrame::Panel);
    pane->setFrameShadow(QFrame::Sunken);
    pane->setMinimumWidth(QFontMetrics(pane->font()).horizontalAdvance(widest) + 12);
    bar->addPermanentWidget(pane);
    return pane;
}

} // namespace

FrameStatusBar::FrameStatusBar(QWidget* parent)
    : QStatusBar(parent)
{
    // The frame cannot be resized, so a grip would promise what it cannot do.
    setSizeGripEnabled(false);
    auto* message = new QLabel(QString::fromLatin1(ReadyText), this);
    addWidget(message, 1);
    m_caps = MakeIndicator(this, QStringLiteral("CAP"));
    m_num = MakeIndicator(this, QStringLiteral("NUM"));
    m_scroll = MakeIndicator(this, QStringLiteral("SCRL"));
    UpdateIndicators();
    startTimer(IndicatorIntervalMs);
}

QString FrameStatusBar::IndicatorText(int id) const
{
    switch (id) {
    case ID_INDICATOR_CAPS:
        return m_caps->text();
    case ID_INDICATOR_NUM:
        return m_num->text();
    case ID_INDICATOR_SCRL:
        return m_scroll->text();
    default:
        return {};
    }
}

void FrameStatusBar::UpdateIndicators()
{
    m_caps->setText(IsKeyLockOn(KeyLock::Caps) ? QStringLiteral("CAP") : QString());
    m_num->setText(IsKeyLockOn(KeyLock::Num) ? QStringLiteral("NUM") : QString());
    m_scroll->setText(IsKeyLockOn(KeyLock::Scroll) ? QStringLiteral("SCRL") : QString());
}

void FrameStatusBar::timerEvent(QTimerEvent*)
{
    UpdateIndicators();
}
