#pragma once

// One scroll position of the grid, in pixels, and how it maps onto a scroll bar. The grid's
// extent is summed in 64 bits, a scroll bar counts in int: when the largest position passes
// the int range, the bar counts in steps of several pixels (the scale), so that the last
// row stays reachable. The position itself stays exact; the bar only mirrors it.
class GridScrollAxis
{
public:
    // The largest position (0: nothing to scroll) and the room shown at once. The position
    // is clamped to the new limit.
    void SetLimit(long long limit, int page);
    long long Limit() const { return m_limit; }
    long long Pos() const { return m_pos; }
    // Clamps to 0..Limit(); true when the position changed.
    bool SetPos(long long pos);

    int Scale() const { return m_scale; }
    int SliderMax() const;
    int SliderPage() const;
    int SliderValue() const;
    // The position a bar value stands for.
    long long FromSlider(int value) const;

private:
    long long m_limit = 0;
    long long m_pos = 0;
    int m_page = 0;
    int m_scale = 1;
};
