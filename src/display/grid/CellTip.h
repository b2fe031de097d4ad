#pragma once

#include <QEvent>
#include <QPointer>
#include <QRect>
#include <QString>
#include <QWidget>

#include <cstdint>

// The title tip a grid can lay over a cell whose text is clipped: a frameless window above
// the others that never takes the focus. While it is up it hands every press and key on to
// the window underneath (a second press in the double-click time as a double-click), so it
// never gets in the way. The grid only ever hides it; Show() is for whoever shows one.
class QMouseEvent;

class CCellTip final : public QWidget
{
    Q_OBJECT

public:
    // Milliseconds of a steady clock.
    using TickSource = std::int64_t (*)();

    CCellTip();
    ~CCellTip() override;

    // Makes the window, owned by the grid that events falling on the tip go to. True when
    // it exists (at once when it did already).
    virtual bool Create(QWidget* owner);
    void DestroyWindow();
    bool IsWindowCreated() const { return m_bWindowMade; }
    // Hides the tip, giving back the mouse when the tip holds it.
    void Hide();
    // Shows text over a cell once the window is made: both rectangles (the cell's and its
    // text's) in the owner's client coordinates.
    void Show(const QRect& cellRect, const QRect& textRect, const QString& text);

    QString Text() const { return m_strText; }
    void SetTickSource(TickSource source) { m_tickSource = source; }

protected:
    bool event(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void OnMouseMove(Qt::KeyboardModifiers modifiers, Qt::MouseButtons buttons, QPoint point);

private:
    // Posts a mouse event of the given type to the widget under a point of the tip; the
    // owner stands in for the tip itself. False when no widget is there.
    bool ForwardMouse(QEvent::Type type, const QMouseEvent& event);
    bool OnButtonDown(const QMouseEvent& event);
    static std::int64_t SteadyTicks();

    QPointer<QWidget> m_pOwnerWnd;
    // In the tip's client coordinates: moves inside keep the tip up.
    QRect m_rectHoverArea;
    std::int64_t m_dwLastClick = -1;
    int m_dwDoubleClickMs;
    bool m_bWindowMade = false;
    QString m_strText;
    TickSource m_tickSource = &CCellTip::SteadyTicks;
};
