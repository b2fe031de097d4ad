#include "display/grid/CellTip.h"

#include <QAbstractScrollArea>
#include <QApplication>
#include <QCoreApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>

#include <chrono>

CCellTip::CCellTip()
    : QWidget(nullptr,
        Qt::Tool | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint
            | Qt::WindowDoesNotAcceptFocus)
    , m_dwDoubleClickMs(QApplication::doubleClickInterval())
{
    setAttribute(Qt::WA_ShowWithoutActivating);
    setFocusPolicy(Qt::NoFocus);
    setMouseTracking(true);
}

CCellTip::~CCellTip() = default;

std::int64_t CCellTip::SteadyTicks()
{
    using namespace std::chrono;
    return duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
}

bool CCellTip::Create(QWidget* owner)
{
    if (m_bWindowMade)
        return true;
    m_pOwnerWnd = owner;
    create();
    m_bWindowMade = windowHandle() != nullptr;
    return m_bWindowMade;
}

void CCellTip::DestroyWindow()
{
    m_bWindowMade = false;
    Hide();
    hide();
}

void CCellTip::Hide()
{
    if (!m_bWindowMade)
        return;
    if (QWidget::mouseGrabber() == this)
        releaseMouse();
    hide();
}

void CCellTip::Show(const QRect& cellRect, const QRect& textRect, const QString& text)
{
    if (!m_bWindowMade || !m_pOwnerWnd)
        return;
    m_strText = text;
    // Wide enough for the whole text, never narrower than the cell.
    const int textWidth = fontMetrics().horizontalAdvance(text) + 4;
    QRect area = cellRect;
    area.setWidth(std::max(cellRect.width(), textRect.left() - cellRect.left() + textWidth));
    const QWidget* client = m_pOwnerWnd;
    if (const auto* scrolled = qobject_cast<QAbstractScrollArea*>(m_pOwnerWnd))
        client = scrolled->viewport();
    setGeometry(QRect(client->mapToGlobal(area.topLeft()), area.size()));
    m_rectHoverArea = QRect(QPoint(0, 0), cellRect.size());
    show();
    raise();
}

void CCellTip::paintEvent(QPaintEvent* event)
{
    (void)event;
    QPainter painter(this);
    const QPalette& colours = QApplication::palette();
    painter.fillRect(rect(), colours.color(QPalette::ToolTipBase));
    painter.setPen(colours.color(QPalette::ToolTipText));
    painter.drawRect(rect().adjusted(0, 0, -1, -1));
    painter.drawText(rect().adjusted(2, 0, -1, 0), Qt::AlignLeft | Qt::AlignVCenter, m_strText);
}

bool CCellTip::ForwardMouse(QEvent::Type type, const QMouseEvent& event)
{
    const QPoint global = mapToGlobal(event.position().toPoint());
    QWidget* target = QApplication::widgetAt(global);
    if (target == this)
        target = m_pOwnerWnd;
    if (!target)
        return false;
    const QPointF local = target->mapFromGlobal(global);
    QCoreApplication::postEvent(target,
        new QMouseEvent(type, local, local, QPointF(global), event.button(), event.buttons(),
            event.modifiers()));
    return true;
}

void CCellTip::OnMouseMove(Qt::KeyboardModifiers modifiers, Qt::MouseButtons buttons, QPoint point)
{
    if (m_rectHoverArea.contains(point))
        return;
    Hide();
    const QPointF local(point);
    const QMouseEvent move(QEvent::MouseMove, local, local, QPointF(mapToGlobal(point)),
        Qt::NoButton, buttons, modifiers);
    ForwardMouse(QEvent::MouseMove, move);
}

bool CCellTip::OnButtonDown(const QMouseEvent& event)
{
    bool doubleClick = false;
    if (event.button() == Qt::LeftButton) {
        const std::int64_t now = m_tickSource();
        doubleClick = m_dwLastClick >= 0 && now - m_dwLastClick <= m_dwDoubleClickMs;
        m_dwLastClick = now;
    }
    Hide();
    ForwardMouse(doubleClick ? QEvent::MouseButtonDblClick : QEvent::MouseButtonPress, event);
    return true;
}

bool CCellTip::event(QEvent* event)
{
    switch (event->type()) {
    case QEvent::MouseButtonPress:
        return OnButtonDown(*static_cast<QMouseEvent*>(event));
    case QEvent::MouseMove: {
        const auto* move = static_cast<QMouseEvent*>(event);
        OnMouseMove(move->modifiers(), move->buttons(), move->position().toPoint());
        return true;
    }
    case QEvent::KeyPress: {
        Hide();
        const auto* key = static_cast<QKeyEvent*>(event);
        if (m_pOwnerWnd)
            QCoreApplication::postEvent(m_pOwnerWnd,
                new QKeyEvent(QEvent::KeyPress, key->key(), key->modifiers(), key->text(),
                    key->isAutoRepeat(), static_cast<quint16>(key->count())));
        return true;
    }
    default:
        break;
    }
    // Any other input with no window holding the focus just takes the tip away.
    if (event->isInputEvent() && !QApplication::focusWidget()) {
        Hide();
        return true;
    }
    return QWidget::event(event);
}
