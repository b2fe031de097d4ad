#pragma once

#include "display/grid/CellTip.h"
#include "display/grid/DataDefaultCell.h"
#include "display/grid/DataGridDropTarget.h"
#include "display/grid/GridGeometry.h"
#include "display/grid/GridOwner.h"
#include "display/grid/GridScrollAxis.h"
#include "display/grid/GridTrackingLine.h"
#include "display/grid/GridPrintInfo.h"
#include "display/grid/GridTypes.h"
#include "platform/WindowTimers.h"

#include <QAbstractScrollArea>
#include <QColor>
#include <QFont>
#include <QList>
#include <QPixmap>
#include <QPoint>

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <unordered_map>
#include <vector>

class QKeyEvent;
class QMimeData;
class QPainter;
class QPrinter;

// Makes the cells of a grid; the default makes a CDataCell.
using CellFactory = std::unique_ptr<CDataCellBase> (*)();

// Asks where to save a file: the dialog's filter ("Name (*.ext);;..."); the chosen path,
// nothing when cancelled.
using SaveFileChooser = std::function<std::optional<std::string>(const QString& filter)>;

// Runs the drag of the selected cells' text; the action the drop took (IgnoreAction when
// none). The default runs a QDrag from the grid.
using DragRunner = std::function<Qt::DropAction(QMimeData* data, Qt::DropActions offered)>;

// Orders two cells: negative when a sorts before b, 0 when equal, positive after. Either
// may be nullptr (no cell there).
using SortCompare = int (*)(const CDataCellBase* a, const CDataCellBase* b, std::intptr_t param);

// A spreadsheet-like control: a band of fixed (heading) rows at the top, a band of fixed
// (heading) columns at the left, and scrolled data cells. The grid owns every cell; each
// cell's unset attributes fall back to one of four default cells chosen by its area.
//
// The object exists before its window: Create() makes the window (a child of a parent,
// shown), DestroyWindow() takes it down again; several operations act only while it exists.
//
// The class is split by job: DataGrid.cpp (construction, window, options, notices),
// DataGridCells.cpp (rows, columns, cells), DataGridVirtual.cpp (cells served by the owner),
// DataGridView.cpp (geometry, focus), DataGridScroll.cpp (scroll bars and scrolling),
// DataGridSelection.cpp (selection), DataGridKeys.cpp (keyboard), DataGridMouse.cpp (press,
// move, release), DataGridMouseSizing.cpp (dividers, double-click, cell kinds),
// DataGridMouseTracking.cpp (auto-scroll, capture, cursor, wheel), DataGridPaint.cpp
// (painting), DataGridEditing.cpp (in-place editing), DataGridClipboard.cpp (copy, cut,
// paste), DataGridDragDrop.cpp (drag-and-drop, drag image), DataGridSort.cpp (sorting,
// heading clicks), DataGridPrint.cpp and DataGridPrintPage.cpp (printing).
class CDataGrid : public QAbstractScrollArea
{
    Q_OBJECT

public:
    explicit CDataGrid(QWidget* parent = nullptr);
    ~CDataGrid() override;

    // --- Window ---
    bool Create(const QRect& rect, QWidget* pParent);
    void DestroyWindow();
    bool IsWindowCreated() const { return m_bWindowCreated; }
    void SetDlgCtrlID(int id) { m_nCtrlID = id; }
    int GetDlgCtrlID() const { return m_nCtrlID; }
    // The receiver of notifications; without one, the parent widget when it is a GridOwner.
    void SetOwner(GridOwner* owner) { m_pOwner = owner; }
    GridOwner* GetOwner() const;

    // --- Rows and columns ---
    bool SetRowCount(int nRows);
    bool SetColumnCount(int nCols);
    bool SetFixedRowCount(int nFixedRows);
    bool SetFixedColumnCount(int nFixedCols);
    int GetRowCount() const { return m_nRowCount; }
    int GetColumnCount() const { return m_nColumnCount; }
    int GetFixedRowCount() const { return m_nFixedRowCount; }
    int GetFixedColumnCount() const { return m_nFixedColumnCount; }
    // The stored size (0 or less: hidden); -1 outside the grid.
    int GetRowHeight(int row) const { return m_geometry.Rows().Size(row); }
    int GetColumnWidth(int col) const { return m_geometry.Columns().Size(col); }
    void SetRowHeight(int row, int height);
    void SetColumnWidth(int col, int width);
    int FixedRowsHeight() const { return m_geometry.FixedRowsHeight(); }
    int FixedColumnsWidth() const { return m_geometry.FixedColumnsWidth(); }
    bool FitColumnToText(int col, unsigned nStyle = 0);
    bool FitRowToText(int row);
    int GetMergedColumnWidth(int row, int col) const;
    int GetMergedRowHeight(int row, int col) const;
    CCellID GetMergeOrigin(int row, int col) const;
    bool DeleteAll();

    // --- Cells ---
    CDataCellBase* GetCell(int row, int col) const;
    std::string GetCellText(int row, int col) const;
    bool SetCellState(int row, int col, std::uint32_t state);
    void SetModified(int row = -1, int col = -1);
    bool IsModified() const { return m_bModified; }
    void SetSortKeyColumn(int col);
    int GetSortKeyColumn() const { return m_nSortKeyColumn; }
    bool GetSortAscending() const { return m_bSortAscending; }
    virtual std::unique_ptr<CDataCellBase> CreateCell(int row, int col);
    virtual void DestroyCell(int row, int col);
    void SetCellClass(CellFactory factory) { m_pCellClass = factory; }
    CDataDefaultCell* GetDefaultCell(bool bFixedRow, bool bFixedCol);
    const CDataDefaultCell* GetDefaultCell(bool bFixedRow, bool bFixedCol) const;
    // Cell images by index; nullptr (the default) for none. Not owned.
    void SetImageList(const QList<QPixmap>* images) { m_pImageList = images; }
    const QList<QPixmap>* GetImageList() const { return m_pImageList; }

    // --- Notices to the owner ---
    long SendGridNotify(int code, int row, int col);
    bool SendCacheHint(const CellRange& range);
    static unsigned QueryWheelScrollLines();

    // --- Options ---
    int GetGridLines() const { return m_nGridLineMode; }
    // 0 none, 1 horizontal, 2 vertical, 3 both.
    void SetGridLines(int mode);
    QColor GetGridLineColour() const { return m_crGridLines; }
    void SetGridLineColour(const QColor& colour);
    QColor GetBackgroundColour() const { return m_crBackground; }
    void SetBackgroundColour(const QColor& colour);
    bool GetFocusFrame() const { return m_bFocusFrame; }
    void SetFocusFrame(bool on) { m_bFocusFrame = on; }
    bool GetHighlightFocusHeadings() const { return m_bHighlightFocusHeadings; }
    void SetHighlightFocusHeadings(bool on) { m_bHighlightFocusHeadings = on; }
    bool GetShadePrintedHeadings() const { return m_bShadePrintedHeadings; }
    bool IsEditable() const { return m_bEditable; }
    void SetEditable(bool on) { m_bEditable = on; }
    bool IsSelectionEnabled() const { return m_bSelectionEnabled; }
    void SetSelectionEnabled(bool on) { m_bSelectionEnabled = on; }
    bool GetAllowRedraw() const { return m_bAllowRedraw; }
    // Turning redraw back on recomputes the scroll bars and repaints: the end of a batch.
    void SetAllowRedraw(bool on);
    bool GetOffscreenPaint() const { return m_bOffscreenPaint; }
    void SetOffscreenPaint(bool on) { m_bOffscreenPaint = on; }
    unsigned GetWheelScrollLines() const { return m_nWheelScrollLines; }
    // Lines per wheel notch; WHEEL_PAGESCROLL scrolls a page a notch.
    void SetWheelScrollLines(unsigned lines) { m_nWheelScrollLines = lines; }

    // --- Virtual mode: the owner serves every cell ---
    // Switching drops every cell; the counts are set afterwards.
    void SetVirtualMode(bool on);
    bool GetVirtualMode() const { return m_bVirtualMode; }
    void SetCellCallback(GridCellCallback callback, std::intptr_t param);

    // --- Geometry, scrolling and focus ---
    const GridGeometry& Geometry() const { return m_geometry; }
    CCellID TopLeftScrollCell();
    CellRange VisibleCellSpan(QRect* extent = nullptr);
    bool CellOrigin(int row, int col, QPoint* origin);
    // For a merge's top-left cell, the rectangle of the whole merge.
    bool CellRectangle(int row, int col, QRect* rect);
    bool SpanRectangle(const CellRange& range, QRect* rect);
    bool CellInView(int row, int col);
    bool InvalidateCell(int row, int col);
    QPoint PointInCell(int row, int col, QPoint point);
    // The cell under a client point; a covered cell of a merge gives the merge's owner.
    CCellID CellAtPoint(QPoint point, bool fixedCells = true);
    bool HitsRowDivider(QPoint point);
    bool HitsColumnDivider(QPoint point);
    void ScrollCellIntoView(int row, int col);
    void UpdateScrollBars();
    // The scroll positions in pixels.
    long long GetScrollPos(bool vertical) const;
    void OnVScroll(int code);
    void OnHScroll(int code);
    void OnSize();

    // --- Focus and selection ---
    CCellID GetFocusCell() const { return m_idFocusCell; }
    CCellID ChangeFocusCell(int row, int col);
    CCellID ChangeFocusCell(CCellID cell) { return ChangeFocusCell(cell.row, cell.col); }
    CCellID GetSelectionStart() const { return m_idSelectionStart; }
    void ApplySelectionRange(const CellRange& range, bool repaint, bool select);
    void SelectRowSpan(bool repaint, bool select, int row, int col);
    void SelectCellBlock(bool repaint, bool select, int row, int col);
    void ExtendSelectionTo(CCellID cell);
    // The bounds of the selected cells; (row count, column count, -1, -1) for none.
    CellRange SelectionBounds() const;
    void ClearSelection();
    // Number of selected cells.
    int GetSelectedCount() const { return static_cast<int>(m_mapSelected.size()); }
    bool IsCellSelectedInMap(int row, int col) const;
    int GetMouseMode() const { return m_nMouseMode; }

    // --- Keyboard and mouse (the window's handlers) ---
    unsigned OnGetDlgCode(const QKeyEvent* key);
    // True when the grid took the key; false leaves it to the window around the grid.
    bool OnKeyDown(int key, Qt::KeyboardModifiers modifiers);
    // True when the character started an edit.
    bool OnChar(unsigned ch, Qt::KeyboardModifiers modifiers);
    void OnImeChar(unsigned ch);
    void OnLButtonDown(unsigned flags, QPoint point);
    void OnMouseMove(unsigned flags, QPoint point);
    void OnLButtonUp(unsigned flags, QPoint point);
    void OnLButtonDblClk(unsigned flags, QPoint point);
    void OnRButtonUp(unsigned flags, QPoint point);
    void OnMouseWheel(unsigned flags, int delta, QPoint point);
    // The auto-scroll of a drag selection runs on this timer.
    static constexpr int AutoScrollTimerId = 0x201;
    void OnTimer(int id);
    void OnCaptureChanged();
    // The cursor over a client point.
    Qt::CursorShape OnSetCursor(QPoint point);

    // --- In-place editing ---
    // Opens the editor on a cell: nChar is the first key (VK_LBUTTON from the mouse or F2),
    // point the click in the cell or (-1, -1).
    virtual void EditCell(int row, int col, QPoint point, unsigned nChar);
    // Takes an edited text: checked by the cell and the owner, kept or put back.
    virtual void EndCellEdit(int row, int col, const std::string& text);
    // The cell's verdict on a text; true where there is no cell.
    virtual bool AcceptEditText(int row, int col, const char* text);
    // Ends an editor open on the focus cell, taking the text typed so far.
    virtual void FinishEditing();
    // The in-place editor's end notice: takes the text, and after Tab or an arrow or page
    // key moves on and edits the next cell.
    long OnEndCellEdit(const GridDispInfo& info);

    // --- Clipboard and Edit commands ---
    // Changes a cell's text as an edit would: editable, vetoes, the cell's check.
    void ChangeCellText(int row, int col, const char* text);
    virtual void CutSelectionText();
    // The selected cells as tab-separated text; nullptr without a valid selection. The
    // caller owns it.
    virtual QMimeData* MakeSelectionText();
    virtual bool PasteClipboardText(int row, int col, const QMimeData* pData, bool bSelectPasted);
    virtual void OnEditCut();
    virtual void OnEditCopy();
    virtual void OnEditPaste();
    virtual void OnEditSelectAll();
    // Whether each Edit command can run now.
    bool OnUpdateEditCut() const;
    bool OnUpdateEditCopy() const;
    bool OnUpdateEditPaste() const;
    bool OnUpdateEditSelectAll() const;

    // --- Drag-and-drop (off unless switched on) ---
    virtual void StartDragAndDrop();
    // keyState holds MK_CONTROL when Ctrl is down; IgnoreAction refuses.
    virtual Qt::DropAction OnDragEnter(const QMimeData* data, unsigned keyState, QPoint point);
    virtual Qt::DropAction OnDragOver(const QMimeData* data, unsigned keyState, QPoint point);
    virtual void OnDragLeave();
    virtual bool OnDrop(const QMimeData* data, Qt::DropAction effect, QPoint point);
    bool IsDragDropEnabled() const { return m_bDragDropEnabled; }
    void SetDragDropEnabled(bool on) { m_bDragDropEnabled = on; }
    void SetDragRunner(DragRunner runner) { m_runDrag = std::move(runner); }
    CCellID GetDragOverCell() const { return m_idDragOver; }
    // Copy while Ctrl is held, else move.
    static Qt::DropAction DragEffect(unsigned keyState);
    // A picture of the focus cell, its default background transparent; *pHotSpot is its
    // size. A null pixmap without a focus cell in view.
    QPixmap CreateDragImage(QPoint* pHotSpot);

    // --- Sorting and heading clicks ---
    bool SortByColumn(int col, bool bAscending);
    // Byte order of the two texts; 0 when either cell is missing.
    static int CompareCellText(const CDataCellBase* a, const CDataCellBase* b, std::intptr_t param);
    // Orders rows low..high (high -1: the last row) by a column; equal rows keep their order.
    bool SortRows(SortCompare compare, int col, bool bAscending, int low, int high);
    void SetSortCompare(SortCompare compare) { m_pfnSortCompare = compare; }
    bool GetClickSortsColumn() const { return m_bClickSortsColumn; }
    void SetClickSortsColumn(bool on) { m_bClickSortsColumn = on; }
    virtual void FixedColumnClicked(CCellID& cell);
    virtual void FixedRowClicked(CCellID& cell);

    // --- Printing ---
    // The steps of a print job on a painter open on the printer.
    void OnBeginPrinting(QPainter* pDC, GridPrintInfo* pInfo);
    void OnPrint(QPainter* pDC, GridPrintInfo* pInfo);
    void OnEndPrinting(QPainter* pDC, GridPrintInfo* pInfo);
    // Prints the pages of the printer's page range (all when it has none); false when the
    // printer could not be opened.
    bool PrintGrid(QPrinter* printer);
    // Asks for a printer and prints; false when cancelled or failed.
    bool OnFilePrint();
    int GetPrintPageCount() const { return m_nPageCount; }
    bool GetPrintScreenScale() const { return m_bPrintScreenScale; }
    void SetPrintScreenScale(bool on) { m_bPrintScreenScale = on; }

    // The title tip over a clipped cell (nothing in the grid shows it).
    CCellTip& CellTip() { return m_wndCellTip; }

    // --- Painting ---
    virtual void DrawGrid(QPainter* pDC);
    bool RepaintCell(int row, int col, QPainter* pDC = nullptr);
    void OnSysColorChange();
    void OnSetFont(const QFont& font);
    const QFont* OnGetFont() const;

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void scrollContentsBy(int dx, int dy) override;
    void changeEvent(QEvent* event) override;
    bool event(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void inputMethodEvent(QInputMethodEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void hideEvent(QHideEvent* event) override;

    // Tells the operator that memory ran out (through the message-box presenter).
    virtual void ReportMemoryError();

    // One block of cells to paint: rows and columns laid out from (left, top), hidden ones
    // skipped, with or without the tests against the clip box.
    struct CellBlock
    {
        int firstRow, lastRow, top;
        int firstCol, lastCol, left;
        bool clipTests;
    };

    void OnPaint(QPaintEvent* event);
    void PaintBackground(QPainter* pDC);
    void DrawGridLines(QPainter* pDC, const CellRange& shown, const QRect& extent);
    void DrawCellBlock(QPainter* pDC, const QRect& clip, const CellBlock& block);
    void DrawCellAt(QPainter* pDC, int row, int col, const QRect& rect);
    void RepaintHeadingCell(int col);
    void RepaintFocusHeadings(CCellID cell, CCellID other);
    QPoint ScrollPosition() const;
    QSize ClientSize() const;

    // Scrolling (DataGridScroll.cpp).
    void ConnectScrollBars();
    void OnScrollAction(bool vertical, int action);
    void OnScroll(bool vertical, int code);
    // Sets a scroll position and its bar; true when it changed.
    bool SetScrollPos(bool vertical, long long pos);
    void SyncScrollBar(bool vertical);
    // Shows and hides the bars at once, so that the client area has its final size.
    void ShowScrollBarsNow(bool vertical, bool horizontal);
    void InvalidateScrolled(bool vertical);

    // Selection (DataGridSelection.cpp).
    bool IsSelected(int row, int col, const CDataCellBase* cell) const;
    void SetSelectedBit(int row, int col, bool selected);
    void RepaintIfShown(int row, int col, const CellRange& shown);
    // Deselects every cell outside keep, in one pass over the map.
    void ClearSelectedCells(const CellRange& keep, const CellRange& shown);
    // Drops selection entries of cells the grid no longer has.
    void PruneSelection();

    // Keyboard (DataGridKeys.cpp).
    bool IsInGrid(CCellID cell) const;
    int NextShownRow(int row, int step, int limit) const
    {
        return m_geometry.Rows().NextShown(row, step, limit);
    }
    int NextShownColumn(int col, int step, int limit) const
    {
        return m_geometry.Columns().NextShown(col, step, limit);
    }
    // The target of Tab (Shift+Tab when back); (-1, -1) when the key is passed on.
    CCellID TabTarget(bool back, bool* wrap) const;
    CCellID PageTarget(bool down);
    CCellID HomeEndTarget(bool end, bool ctrl);
    void SelectByKeyboard(CCellID target, bool keepAnchor);
    void ScrollTowards(int key, bool back, bool wrap);
    void EndKeyScroll(int key, bool wrap, bool ctrl);

    // Mouse (DataGridMouse*.cpp).
    // True when the press ends there (a Ctrl+press that deselected).
    bool PressOnSelectedCell(unsigned flags);
    void BeginSelecting(unsigned flags);
    // Moves while the button is down; false when the point is over no cell.
    bool MoveWhileDown(QPoint point);
    void Hover(QPoint point);
    void ReleaseCellKind(int kind, QPoint relative);
    void PostClick();
    void ScrollLines(int code, int count);
    void SetCursorShape(Qt::CursorShape shape);
    unsigned MouseFlags(const QMouseEvent* event) const;

    // Divider sizing (DataGridMouseSizing.cpp).
    void BeginSizing(bool columns, QPoint point);
    // The divider's row or column for a grab at this point; -1 when none can be sized.
    int SizedIndex(bool columns, QPoint point);
    void MoveSizing(QPoint point);
    void EndSizing(bool columns, QPoint point);
    // Keeps the point between the sized row's or column's start and a client size on.
    QPoint ClampSizingPoint(QPoint point);
    QRect TrackingLineAt(QPoint point) const;
    void FitDivider(bool columns, QPoint point);
    void ChooseFilePath(const QString& filter);
    // The Save-As dialog the file-path cells ask by default.
    static std::optional<std::string> ChooseSaveFile(const QString& filter);

    // Editing (DataGridEditing.cpp).
    // Closes, without an end notice, the editors on rows from firstRow or columns from
    // firstCol on (all: 0, 0); deleteNow when the grid itself is going.
    void CloseEditorsQuietly(int firstRow, int firstCol, bool deleteNow);
    // Ends an editor open on another cell than (row, col).
    void EndEditorsElsewhere(int row, int col);

    // Clipboard (DataGridClipboard.cpp).
    void PasteLine(const std::string& line, int row, int col, CellRange* pasted);
    void SetDropHilite(CCellID cell, bool on);
    static Qt::DropAction RunDrag(QWidget* source, QMimeData* data, Qt::DropActions offered);

    // Sorting (DataGridSort.cpp).
    void MoveRows(int low, const std::vector<int>& order);

    // Printing (DataGridPrint.cpp, DataGridPrintPage.cpp).
    // The page (counted from 0) on which each band of rows or columns starts, by the page
    // rule: a new page starts where the summed sizes would pass the room.
    int FirstOfPage(bool columns, int page) const;
    int PagesFor(bool columns) const;
    // The last row (column) from first on that fits the room of a page.
    int LastOnPage(bool columns, int first) const;
    // Prints the rows firstRow..lastRow from top across the fixed columns and the page's
    // columns.
    void PrintColumnRange(QPainter* pDC, int firstRow, int lastRow, int top);
    void PrintColumnTitles(QPainter* pDC, int top);
    void PrintRowTitles(QPainter* pDC, int top);
    void PrintDataCells(QPainter* pDC, int top);
    void PrintCellBlock(QPainter* pDC, const CellBlock& block);
    void PrintGridLines(QPainter* pDC, const CellBlock& block);
    void PrintPageHeader(QPainter* pDC, const QRect& rect);
    void PrintPageFooter(QPainter* pDC, const QRect& rect, GridPrintInfo* pInfo);

    // Virtual mode (DataGridVirtual.cpp).
    CDataCellBase* GetVirtualCell(int row, int col) const;
    bool ResizeVirtual(GridAxis& axis, int count, int sizeOfNew);

    static std::uint64_t SelectionKey(int row, int col);
    void FillNewRow(std::vector<std::unique_ptr<CDataCellBase>>& cells, int row);
    // Moves a cell into or out of a fixed band; a cell that stays fixed through the other
    // band keeps its colours.
    void MarkFixedCell(int row, int col, bool fixed, std::uint32_t bandBit, bool fixedByOtherBand);
    void MarkFixedRows(int first, int last, bool fixed);
    void MarkFixedColumns(int first, int last, bool fixed);

    // Colours.
    QColor m_crBackground;
    QColor m_crGridLines{0xC0, 0xC0, 0xC0};
    QColor m_crSysText;
    QColor m_crWindow;
    QColor m_crButtonFace;
    QColor m_crButtonShadow;

    // Options.
    bool m_bVirtualMode = false;
    int m_nGridLineMode = 3;
    bool m_bEditable = true;
    bool m_bModified = false;
    bool m_bDragDropEnabled = false;
    bool m_bRowSelectMode = false;
    bool m_bOneRowOnly = false;
    bool m_bOneColumnOnly = false;
    bool m_bAllowRedraw = true;
    bool m_bSelectionEnabled = true;
    bool m_bHeadingColumnSelectsRow = true;
    bool m_bHeadingRowSelectsColumn = true;
    bool m_bClickSortsColumn = false;
    bool m_bTabMovesFocus = true;
    bool m_bOffscreenPaint = true;
    bool m_bCellTipsEnabled = true;
    bool m_bPrintScreenScale = false;
    bool m_bHiddenColumnsResizable = true;
    bool m_bHiddenRowsResizable = true;
    bool m_bColumnsCanCollapse = true;
    bool m_bRowsCanCollapse = true;
    bool m_bHighlightFocusHeadings = true;
    bool m_bFocusFrame = true;
    unsigned m_nAutoSizeStyle = 3;

    // Rows, columns and cells. The sizes live in m_geometry; m_arRows holds one array of
    // m_nColumnCount cells per row.
    int m_nRowCount = 0;
    int m_nFixedRowCount = 0;
    int m_nColumnCount = 0;
    int m_nFixedColumnCount = 0;
    GridGeometry m_geometry;
    CellFactory m_pCellClass;
    CDataDefaultCell m_cellNormalDefault;
    CDataDefaultCell m_cellFixedColDefault;
    CDataDefaultCell m_cellFixedRowDefault;
    CDataDefaultCell m_cellFixedRowColDefault;
    const QList<QPixmap>* m_pImageList = nullptr;
    std::vector<std::vector<std::unique_ptr<CDataCellBase>>> m_arRows;

    // Mouse, focus and selection.
    int m_nMouseMode = 0;
    bool m_bLeftButtonDown = false;
    bool m_bRightButtonDown = false;
    QPoint m_ptClickDown;
    QPoint m_ptLastMouse;
    CCellID m_idClickDown;
    CCellID m_idSelectionStart;
    CCellID m_idFocusCell;
    CCellID m_idTopLeftCache;
    unsigned m_nAutoScrollTimer = 0;
    int m_nAutoScrollInterval = 25;
    int m_nDividerHitRange = 3;
    bool m_bRowSizing = true;
    bool m_bColumnSizing = true;
    unsigned m_nWheelScrollLines = 3;
    // Selected cells by SelectionKey.
    std::unordered_map<std::uint64_t, CCellID> m_mapSelected;
    std::unordered_map<std::uint64_t, CCellID> m_mapPrevSelected;
    CCellID m_idDragOver;
    // The last mouse position the grid saw, inside or outside (the auto-scroll reads it).
    QPoint m_ptCursor;
    int m_nWheelRemainder = 0;
    // The tip rectangles of the cell under the mouse (cell, text), for the title tip.
    QRect m_rectTipCell;
    QRect m_rectTipText;
    CCellTip m_wndCellTip;
    GridTrackingLine m_trackingLine;
    WindowTimers m_timers;
    SaveFileChooser m_chooseSaveFile;
    CDataGridDropTarget m_dropTarget;
    DragRunner m_runDrag;

    // Scroll positions; the bars mirror them.
    GridScrollAxis m_scrollH;
    GridScrollAxis m_scrollV;
    bool m_bSettingBars = false;

    // Virtual mode: the owner's cell source and the one cell that serves every look-up.
    GridCellCallback m_pfnCellCallback = nullptr;
    std::intptr_t m_lCellCallbackParam = 0;
    mutable std::unique_ptr<CDataCell> m_pVirtualCell;
    mutable GridDispInfo m_virtualInfo;

    // Sorting and printing.
    bool m_bSortAscending = true;
    int m_nSortKeyColumn = -1;
    SortCompare m_pfnSortCompare = nullptr;
    // The printing font, in page units; made by OnBeginPrinting, dropped by OnEndPrinting.
    std::optional<QFont> m_fontPrint;
    int m_nPrintCharWidth = 0;
    int m_nPrintCharHeight = 0;
    int m_nPageRowSpace = 0;
    int m_nPageWidth = 0;
    int m_nPageHeight = 0;
    int m_nPrinterWidth = 0;
    int m_nPrinterHeight = 0;
    int m_nPageColSpace = 0;
    int m_nPrintFirstCol = 0;
    int m_nPrintFirstRow = 0;
    int m_nPageCount = 0;
    int m_nPagesAcross = 0;
    bool m_bShadePrintedHeadings = true;
    int m_nPrintHeaderSize = 2;
    int m_nPrintFooterSize = 2;
    int m_nPrintLeftMargin = 4;
    int m_nPrintRightMargin = 4;
    int m_nPrintGap = 1;

    // The window.
    bool m_bWindowCreated = false;
    int m_nCtrlID = 0;
    GridOwner* m_pOwner = nullptr;
};
