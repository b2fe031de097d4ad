#pragma once

#include "record/LoggerRecord.h"
#include "display/grid/DataGrid.h"
#include "platform/DialogBase.h"

#include <string>

class QComboBox;
class QLabel;
class TableFileText;

// The data window: the table file of one logger of a configuration, shown in a grid whose
// heading row and date and time columns are fixed. The operator picks the logger ID in the
// list; the grid is built anew for every table. Nothing is written back.
class CDataViewDlg final : public CDialogBase
{
    Q_OBJECT

public:
    // The configuration is taken as it stands: the receive schedule may change the current
    // one while the window is open.
    explicit CDataViewDlg(const LoggerRecord& record, QWidget* parent = nullptr);
    ~CDataViewDlg() override;

    // Rebuilds the grid from the table file of that logger ID.
    void LoadCsvFile(int nLoggerId);

    CDataGrid& Grid() { return m_grid; }
    const CDataGrid& Grid() const { return m_grid; }
    // The text shown in the grid's place when a table cannot be shown; "" when none is.
    std::string NoticeText() const;

protected:
    bool OnInitDialog() override;
    void resizeEvent(QResizeEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void OnCbnSelchangeLoggerId();
    void OnSize(int cx, int cy);
    void LoadEntry(int index);
    bool BuildGrid(const TableFileText& table);
    void FillCells(const TableFileText& table);
    void ShowNotice(const std::string& text);
    QRect GridPlace(int cx, int cy) const;

    LoggerRecord m_record;
    CDataGrid m_grid;
    QComboBox* m_cbLoggerId = nullptr;
    QLabel* m_notice = nullptr;
};
