#pragma once

#include <QStatusBar>

class QLabel;

// The frame's status bar: the message pane, then the CAP, NUM and SCRL indicators, each
// showing its text while its lock key is on.
class FrameStatusBar final : public QStatusBar
{
    Q_OBJECT

public:
    explicit FrameStatusBar(QWidget* parent = nullptr);

    // The text of an indicator pane (ID_INDICATOR_CAPS, _NUM, _SCRL); empty while off.
    QString IndicatorText(int id) const;

    // Looks at the lock keys again.
    void UpdateIndicators();

protected:
    void timerEvent(QTimerEvent* event) override;

private:
    QLabel* m_caps = nullptr;
    QLabel* m_num = nullptr;
    QLabel* m_scroll = nullptr;
};
