#pragma once

#include "app/MeasuredReading.h"
#include "app/dialogs/MeasurementColumns.h"
#include "platform/DialogBase.h"

#include <QFont>

#include <optional>
#include <string>
#include <vector>

class CReportListCtrl;
class QComboBox;

// "Measurement": manual readings of one logger of the current configuration, one row per
// reading action, in a report list whose columns are the readings set on that logger's
// channels ("1A", "1B", ...). Every reading runs in a wait popup; each value lands in the
// column of the channel and reading it was taken for. Nothing is saved and the record is not
// changed; the rows go with the dialog.
// Use: CMeasurementDlg dlg; dlg.DoModal(); after a channel scan has filled the record.
class CMeasurementDlg final : public CDialogBase
{
    Q_OBJECT

public:
    explicit CMeasurementDlg(QWidget* pParent = nullptr);

    bool m_bSaveManualReading = false;
    CReportListCtrl* m_list = nullptr;
    QFont m_fontHeader;
    QFont m_fontButtons;
    QComboBox* m_cboLogger = nullptr;
    QComboBox* m_cboKind = nullptr;
    QComboBox* m_cboChannel = nullptr;

    static constexpr const char* NoResponse = "No response from logger!";
    static constexpr const char* NoResponseNotSaving
        = "No response from logger! The logger may not be saving its readings.";
    static constexpr const char* NotEveryReading = "Not every reading arrived; no row was added.";

protected:
    bool OnInitDialog() override;
    QWidget* CreateCustomControl(const ControlTemplate& control, QWidget* parent) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void UpdateData(bool save);
    const LoggerUnit* Unit(int id) const;
    void FillChannelList(int id);
    void BuildColumns(int id);
    int SelectedChannel() const;
    std::string SelectedLoggerText() const;
    std::optional<std::vector<MeasuredReading>> Measure(int id, int ch, int kind);
    int AddRow(const std::string& idText, const std::vector<MeasuredReading>& readings);

    void OnLoggerIdChanged();
    void OnCbnSelchangeLoggerId();
    void OnBnClickedReadingAll();
    void OnBnClickedReadingSelect();
    void OnBnClickedClear();
    void OnBnClickedCancel();
    void OnSize(int cx, int cy);

    int m_nShownId = -1; // the logger whose columns the list shows; -1 none
    std::vector<ReadingColumn> m_columns; // of m_nShownId
};
