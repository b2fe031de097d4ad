// Printing: the job's set-up (font, page mapping, page count), one page at a time, the job
// driver and the print dialog. Pages are laid out in page units: the grid's own pixels
// and a 10-pixel font, mapped onto the printable area of the printer.
#include "display/grid/DataGrid.h"

#include <QApplication>
#include <QFontMetrics>
#include <QPainter>
#include <QPrintDialog>
#include <QPrinter>

namespace {

// The 52 letters measured for the average character width (as they were always written).
const char PrintAlphabet[] = "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSATUVWXYZ";

// Walks the shown entries from first on by the page rule: a page takes entries while their
// summed sizes fit the room; the entry that would pass it starts the next page. Calls
// pageStart with each later page's first entry until it returns false.
template <class PageStart>
void WalkPages(const GridAxis& axis, int first, long long room, PageStart pageStart)
{
    long long sum = 0;
    for (int i = first; i < axis.Count(); ++i) {
        const int size = axis.Size(i);
        if (size <= 0)
            continue;
        // A page holds at least one entry, however large.
        if (sum > 0 && sum + size > room) {
            if (!pageStart(i))
                return;
            sum = 0;
        }
        sum += size;
    }
}

} // namespace

int CDataGrid::PagesFor(bool columns) const
{
    const GridAxis& axis = columns ? m_geometry.Columns() : m_geometry.Rows();
    const int first = columns ? m_nFixedColumnCount : m_nFixedRowCount;
    int pages = 1;
    WalkPages(axis, first, columns ? m_nPageColSpace : m_nPageRowSpace, [&pages](int) {
        ++pages;
        return true;
    });
    return pages;
}

int CDataGrid::FirstOfPage(bool columns, int page) const
{
    const GridAxis& axis = columns ? m_geometry.Columns() : m_geometry.Rows();
    int found = columns ? m_nFixedColumnCount : m_nFixedRowCount;
    int current = 0;
    if (page <= 0)
        return found;
    WalkPages(axis, found, columns ? m_nPageColSpace : m_nPageRowSpace, [&](int index) {
        if (++current < page)
            return true;
        found = index;
        return false;
    });
    return found;
}

int CDataGrid::LastOnPage(bool columns, int first) const
{
    const GridAxis& axis = columns ? m_geometry.Columns() : m_geometry.Rows();
    const long long room = columns ? m_nPageColSpace : m_nPageRowSpace;
    long long sum = 0;
    int last = first - 1;
    for (int i = first; i < axis.Count(); ++i) {
        const int size = axis.Size(i);
        if (size <= 0)
            continue;
        if (sum > 0 && sum + size > room)
            break;
        sum += size;
        last = i;
    }
    return last;
}

void CDataGrid::OnBeginPrinting(QPainter* pDC, GridPrintInfo* pInfo)
{
    const QPaintDevice* printer = pDC->device();
    // A pixel-sized font measures the same in page units whatever the printer's resolution.
    QFont font = QApplication::font();
    font.setPixelSize(10);
    font.setWeight(QFont::Normal);
    m_fontPrint = font;
    const QFontMetrics metrics(font, printer);
    m_nPrintCharWidth = metrics.horizontalAdvance(QString::fromLatin1(PrintAlphabet)) / 52;
    m_nPrintCharHeight = metrics.height();
    m_nPrinterWidth = printer->width();
    m_nPrinterHeight = printer->height();
    const long long margins
        = static_cast<long long>(m_nPrintLeftMargin + m_nPrintRightMargin) * m_nPrintCharWidth;
    if (m_bPrintScreenScale) {
        m_nPageWidth = static_cast<int>(static_cast<long long>(m_nPrinterWidth) * logicalDpiX()
            / std::max(printer->logicalDpiX(), 1) * 3 / 4);
        m_nPageHeight = static_cast<int>(static_cast<long long>(m_nPrinterHeight) * logicalDpiY()
            / std::max(printer->logicalDpiY(), 1) * 3 / 4);
    } else {
        // The whole width of the grid fits one page.
        m_nPageWidth = static_cast<int>(margins + m_geometry.Columns().Total());
        m_nPageHeight = static_cast<int>(
            static_cast<long long>(m_nPageWidth) * m_nPrinterHeight / std::max(m_nPrinterWidth, 1));
    }
    const int bands = m_nPrintHeaderSize + m_nPrintFooterSize + 2 * m_nPrintGap;
    m_nPageRowSpace = m_nPageHeight - bands * m_nPrintCharHeight - FixedRowsHeight();
    const int pagesDown = PagesFor(false);
    m_nPageColSpace = static_cast<int>(m_nPageWidth - FixedColumnsWidth() - margins);
    m_nPagesAcross = m_bPrintScreenScale ? PagesFor(true) : 1;
    m_nPageCount = pagesDown * m_nPagesAcross;
    pInfo->nMinPage = 1;
    pInfo->nMaxPage = m_nPageCount;
    pInfo->nCurPage = 1;
}

void CDataGrid::OnPrint(QPainter* pDC, GridPrintInfo* pInfo)
{
    if (!m_fontPrint || m_nPageWidth <= 0 || m_nPageHeight <= 0)
        return;
    pDC->save();
    pDC->setFont(*m_fontPrint);
    pDC->setWindow(-m_nPrintLeftMargin * m_nPrintCharWidth, 0, m_nPageWidth, m_nPageHeight);
    pDC->setViewport(0, 0, m_nPrinterWidth, m_nPrinterHeight);
    const int right = m_nPageWidth - (m_nPrintLeftMargin + m_nPrintRightMargin) * m_nPrintCharWidth;
    const int headerHeight = m_nPrintHeaderSize * m_nPrintCharHeight;
    PrintPageHeader(pDC, QRect(QPoint(0, 0), QPoint(right, headerHeight)));
    const int page = std::max(pInfo->nCurPage, 1) - 1;
    const int across = std::max(m_nPagesAcross, 1);
    m_nPrintFirstRow = FirstOfPage(false, page / across);
    m_nPrintFirstCol = FirstOfPage(true, page % across);
    int top = headerHeight + m_nPrintGap * m_nPrintCharHeight;
    PrintColumnTitles(pDC, top);
    top += FixedRowsHeight();
    PrintRowTitles(pDC, top);
    PrintDataCells(pDC, top);
    const int footerTop = m_nPageHeight - m_nPrintFooterSize * m_nPrintCharHeight;
    PrintPageFooter(pDC, QRect(QPoint(0, footerTop), QPoint(right, m_nPageHeight)), pInfo);
    pDC->restore();
}

void CDataGrid::OnEndPrinting(QPainter* pDC, GridPrintInfo* pInfo)
{
    (void)pDC, (void)pInfo;
    m_fontPrint.reset();
}

bool CDataGrid::PrintGrid(QPrinter* printer)
{
    QPainter painter;
    if (!printer || !painter.begin(printer))
        return false;
    GridPrintInfo info;
    OnBeginPrinting(&painter, &info);
    int first = info.nMinPage;
    int last = info.nMaxPage;
    if (printer->printRange() == QPrinter::PageRange && printer->fromPage() > 0) {
        first = std::max(first, printer->fromPage());
        last = std::min(last, std::max(printer->toPage(), first));
    }
    bool printed = true;
    for (int page = first; page <= last && printed; ++page) {
        if (page > first)
            printed = printer->newPage();
        info.nCurPage = page;
        if (printed)
            OnPrint(&painter, &info);
    }
    OnEndPrinting(&painter, &info);
    return painter.end() && printed;
}

bool CDataGrid::OnFilePrint()
{
    QPrinter printer(QPrinter::HighResolution);
    QPrintDialog dialog(&printer, this);
    if (dialog.exec() != QDialog::Accepted)
        return false;
    return PrintGrid(&printer);
}
