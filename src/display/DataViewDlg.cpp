#include "display/DataViewDlg.h"

#include "app/dialogs/LoggerIdCombo.h"
#include "data/DataFilePaths.h"
#include "display/TableFileText.h"
#include "platform/ComboSelection.h"
#include "platform/DialogUnits.h"
#include "platform/Format.h"
#include "platform/GdiPaint.h"
#include "platform/Text.h"
#include "res/DataViewIds.h"
#include "res/DialogTemplates.h"

#include <QComboBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>

#include <algorithm>
#include <cstdlib>

using namespace DataViewIds;

namespace {

constexpr std::uint32_t CellFormat
    = gdi::dt::Center | gdi::dt::VCenter | gdi::dt::WordBreak | gdi::dt::SingleLine;

} // namespace

CDataViewDlg::CDataViewDlg(const LoggerRecord& record, QWidget* parent)
    : CDialogBase(Dialog140(), parent)
    , m_record(record)
    , m_grid(this)
{
    m_cbLoggerId = ItemAs<QComboBox>(IDC_LOGGER_ID);
    connect(m_cbLoggerId, &QComboBox::activated, this, &CDataViewDlg::OnCbnSelchangeLoggerId);
    if (QLineEdit* edit = m_cbLoggerId->lineEdit())
        edit->installEventFilter(this);
}

CDataViewDlg::~CDataViewDlg() = default;

bool CDataViewDlg::OnInitDialog()
{
    CDialogBase::OnInitDialog();
    FillLoggerIdCombo(m_cbLoggerId, &m_record);
    // An empty list reads as ID 0, whose table file the program never writes.
    LoadEntry(m_cbLoggerId->currentIndex());
    return true;
}

void CDataViewDlg::OnCbnSelchangeLoggerId()
{
    const int index = ComboCurSel(m_cbLoggerId);
    if (index >= 0)
        LoadEntry(index);
}

void CDataViewDlg::LoadEntry(int index)
{
    const std::string text = index >= 0 ? FromQt(m_cbLoggerId->itemText(index)) : std::string();
    LoadCsvFile(std::atoi(text.c_str()));
}

// Return in the list's edit field belongs to the list: a listed ID is chosen, other text
// does nothing, and the window stays open either way.
bool CDataViewDlg::eventFilter(QObject* watched, QEvent* event)
{
    if (watched != m_cbLoggerId->lineEdit() || event->type() != QEvent::KeyPress)
        return CDialogBase::eventFilter(watched, event);
    const int key = static_cast<QKeyEvent*>(event)->key();
    if (key != Qt::Key_Return && key != Qt::Key_Enter)
        return false;
    const int index = ComboCurSel(m_cbLoggerId);
    if (index >= 0) {
        m_cbLoggerId->setCurrentIndex(index);
        LoadEntry(index);
    }
    return true;
}

void CDataViewDlg::LoadCsvFile(int nLoggerId)
{
    if (m_grid.IsWindowCreated()) {
        m_grid.DeleteAll();
        m_grid.DestroyWindow();
    }
    ShowNotice({});
    const std::string path = CsvFilePath(m_record, nLoggerId);
    TableFileText table;
    switch (table.Read(path)) {
    case TableFileText::Status::Unreadable:
        return;
    case TableFileText::Status::Empty:
        ShowNotice(FormatString("The table file %s is empty.", path.c_str()));
        return;
    case TableFileText::Status::TooLarge:
        ShowNotice(FormatString("The table file %s is too large to show (%lld rows, %lld columns).",
            path.c_str(), table.Rows(), table.Columns()));
        return;
    case TableFileText::Status::Read:
        break;
    }
    if (!BuildGrid(table)) {
        // The grid has reported the lack of memory; nothing half-built stays.
        m_grid.DeleteAll();
        m_grid.DestroyWindow();
    }
}

bool CDataViewDlg::BuildGrid(const TableFileText& table)
{
    const int rows = static_cast<int>(table.Rows());
    const int cols = static_cast<int>(table.Columns());
    m_grid.Create(QRect(), this);
    if (!m_grid.SetColumnCount(cols) || !m_grid.SetRowCount(rows))
        return false;
    m_grid.SetFixedRowCount(1);
    m_grid.SetFixedColumnCount(1);
    m_grid.SetFixedColumnCount(2);

    QFont font = DialogUnits::TemplateFont(0);
    font.setPixelSize(13);
    font.setWeight(QFont::Normal);
    m_grid.setFont(font);

    FillCells(table);
    m_grid.SetColumnWidth(0, 130);
    m_grid.SetColumnWidth(1, 95);
    for (int col = 2; col < cols; ++col)
        m_grid.SetColumnWidth(col, 80);
    m_grid.SetRowHeight(0, 27);
    for (int row = 1; row < rows; ++row)
        m_grid.SetRowHeight(row, 22);

    m_grid.setGeometry(GridPlace(width(), height()));
    m_grid.show();
    return true;
}

// Every field as it stands, "999999" included; a short line leaves empty cells and the
// fields of a long line beyond the first line's count are not shown.
void CDataViewDlg::FillCells(const TableFileText& table)
{
    const int rows = static_cast<int>(table.Rows());
    const int cols = static_cast<int>(table.Columns());
    std::string text; // the field as the cell takes it, with its end
    for (int row = 0; row < rows; ++row) {
        std::string_view rest = table.Line(row);
        bool more = true;
        for (int col = 0; col < cols; ++col) {
            std::string_view field;
            if (more) {
                const size_t comma = rest.find(',');
                field = rest.substr(0, comma);
                more = comma != std::string_view::npos;
                if (more)
                    rest.remove_prefix(comma + 1);
            }
            CDataCellBase* cell = m_grid.GetCell(row, col);
            if (!cell)
                continue;
            cell->SetFormat(CellFormat);
            text.assign(field);
            cell->SetText(text.c_str());
            m_grid.SetModified(row, col);
        }
    }
}

void CDataViewDlg::resizeEvent(QResizeEvent* event)
{
    CDialogBase::resizeEvent(event);
    OnSize(width(), height());
}

void CDataViewDlg::OnSize(int cx, int cy)
{
    if (m_grid.IsWindowCreated()) {
        m_grid.setGeometry(GridPlace(cx, cy));
        m_grid.show();
    }
    if (m_notice)
        m_notice->setGeometry(GridPlace(cx, cy));
}

QRect CDataViewDlg::GridPlace(int cx, int cy) const
{
    return QRect(14, 45, std::max(cx - 24, 0), std::max(cy - 65, 0));
}

void CDataViewDlg::ShowNotice(const std::string& text)
{
    if (text.empty()) {
        if (m_notice)
            m_notice->hide();
        return;
    }
    if (!m_notice) {
        m_notice = new QLabel(this);
        m_notice->setTextFormat(Qt::PlainText);
        m_notice->setAlignment(Qt::AlignLeft | Qt::AlignTop);
        m_notice->setWordWrap(true);
    }
    m_notice->setText(ToQt(text));
    m_notice->setGeometry(GridPlace(width(), height()));
    m_notice->show();
}

std::string CDataViewDlg::NoticeText() const
{
    return m_notice && !m_notice->isHidden() ? FromQt(m_notice->text()) : std::string();
}
