#pragma once

#include <QObject>
#include <QPoint>

class CDataGrid;
class QDropEvent;
class QMimeData;

// Takes the drag events over a grid's client area and hands them to the grid's drop
// operations. Built with the grid; the grid registers it once its window has a size.
class CDataGridDropTarget final : public QObject
{
    Q_OBJECT

public:
    CDataGridDropTarget() = default;
    ~CDataGridDropTarget() override;

    bool Register(CDataGrid* grid);
    void Revoke();
    bool IsRegistered() const { return m_bRegistered; }

    // Over the grid: copy with Ctrl, else move; never a scroll, so the move goes on to the
    // grid's OnDragOver.
    Qt::DropAction OnDragScroll(unsigned keyState, QPoint point) const;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    static unsigned KeyState(const QDropEvent* event);

    CDataGrid* m_pGrid = nullptr;
    bool m_bRegistered = false;
};
