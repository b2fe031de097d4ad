#pragma once

#include "display/GraphPainter.h"
#include "platform/DialogBase.h"

#include <QFont>
#include <QRect>

#include <string>

class RepaintThrottle;
struct LoggerRecord;

// Points of each graph series: one per measuring pass, in a ring.
inline constexpr int GraphPointCount = 10;

// The graph window: readings of the chosen channels of one logger of the current
// configuration (the graph logger), taken once ("&Measured one time") or every 1..3600 s
// ("&Now measure"), each pass one point per channel in a ring of GraphPointCount points.
// Each channel is read through a wait popup that runs beside this window, which stays usable;
// the busy flag keeps passes from nesting. Closing stores the interval and saves the record.
class CDataGraphDlg final : public CDialogBase
{
    Q_OBJECT

public:
    explicit CDataGraphDlg(QWidget* parent = nullptr);
    ~CDataGraphDlg() override;

    // The handlers of the buttons and of timer 1, reachable for tests.
    void MeasureOnce();
    void OnBnClickedNowMeasure();
    void OnBnClickedGraphSet();
    void OnTimer(int id) override;

    // No reading since the last reset: the picture shows the empty axes.
    bool HasData() const { return m_bHasValue; }
    // Scale of the picture as the next paint draws it.
    GraphScale Scale() const;
    RepaintThrottle& Repaints() { return *m_repaints; }

    static constexpr int PeriodTimer = 1;
    static constexpr int MinInterval = 1;
    static constexpr int MaxInterval = 3600;
    // Readings further from 0 are not plotted: the scale (a reading +/- 10) and its top as an
    // int must stay in range.
    static constexpr float ValueLimit = 2.0e9f;

    int m_nInterval = 0; // seconds between periodic passes (edit 1004)
    CGraphPainter m_graph;
    QRect m_rcGraph; // the painter's target (GDI numbers)
    QFont m_fontBold;
    bool m_bRunning = false; // 1062 checked: periodic passes on
    int m_nWritePos = 0; // ring slot the next pass writes
    int m_nPointCount = GraphPointCount;
    bool m_bWrapped = false;
    float m_fMax = -65535.0f;
    float m_fMin = 65535.0f;
    bool m_bBusy = false; // a pass is running
    bool m_bSaveManualReading = false; // 1010: the logger stores the readings itself

protected:
    bool OnInitDialog() override;
    void OnOK() override;
    void done(int result) override;
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    QWidget* CreateCustomControl(const ControlTemplate& control, QWidget* parent) override;

private:
    // Members <-> controls in the order 1004, 1062, 1010; a field that is no integer stops
    // the reading there.
    bool UpdateData(bool save);
    void FitBoldButtons();
    void OnSize(int cx, int cy);
    void OnDestroy();
    void ResetGraph();
    void EndPass();

    // One pass, in DataGraphPass.cpp.
    void RunPass(LoggerRecord& record, bool saveReading);
    void MeasureChannel(int index, int ch, int seriesA);
    void AddValue(int ch, const std::string& field);
    void SaveOn(int id);
    void AdvanceRing();

    RepaintThrottle* m_repaints = nullptr;
    bool m_bHasValue = false;
    bool m_bClosing = false;
};

// The graph logger of a record as an index 0..6; a stored value outside that reads as 0.
int GraphLoggerIndex(const LoggerRecord& record);
