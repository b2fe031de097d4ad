#pragma once

#include "platform/DialogBase.h"

#include <QPen>

#include <array>

class QComboBox;

// The graph settings: the logger whose channels the graph shows and, per channel, its
// reading A or its reading B (at most one), each channel beside its series colour. Set
// stores the choice in the current record (saved when the graph window closes); the result
// is IDOK after Set, IDCANCEL after Cancel, Esc or the close box.
class CGraphSetDlg final : public CDialogBase
{
    Q_OBJECT

public:
    explicit CGraphSetDlg(QWidget* parent = nullptr);

    // Where the colour sample of channel i (0..15) is drawn in a client area of that size:
    // from x1 to x2 (excluded) on row y, 3 pixels thick around it. The figures are pixels
    // of the usual screen; they grow with a larger font (growth) to stay beside their rows.
    struct Sample
    {
        int x1;
        int x2;
        int y;
    };
    static std::array<Sample, 16> ColourSamples(
        int clientWidth, int clientHeight, double growth = 1.0);

    int m_nScannedSensors = 0; // set by the caller before DoModal

protected:
    bool OnInitDialog() override;
    void OnOK() override;
    void paintEvent(QPaintEvent* event) override;

private:
    void OnBnClickedSet();
    void OnBnClickedSeries(int ch, bool readingA, bool checked);
    void LoadChecks(int index);

    std::array<QPen, 16> m_pens;
    QComboBox* m_comboLogger = nullptr;
};
