#include "display/grid/GridScrollAxis.h"

#include <algorithm>
#include <climits>

void GridScrollAxis::SetLimit(long long limit, int page)
{
    m_limit = std::max(limit, 0LL);
    m_page = std::max(page, 0);
    m_scale = static_cast<int>((m_limit + INT_MAX - 1) / INT_MAX);
    m_scale = std::max(m_scale, 1);
    m_pos = std::clamp(m_pos, 0LL, m_limit);
}

bool GridScrollAxis::SetPos(long long pos)
{
    pos = std::clamp(pos, 0LL, m_limit);
    if (pos == m_pos)
        return false;
    m_pos = pos;
    return true;
}

int GridScrollAxis::SliderMax() const
{
    return static_cast<int>((m_limit + m_scale - 1) / m_scale);
}

int GridScrollAxis::SliderPage() const
{
    return std::max(m_page / m_scale, m_page > 0 ? 1 : 0);
}

int GridScrollAxis::SliderValue() const
{
    return m_pos == m_limit ? SliderMax() : static_cast<int>(m_pos / m_scale);
}

long long GridScrollAxis::FromSlider(int value) const
{
    return std::clamp(static_cast<long long>(value) * m_scale, 0LL, m_limit);
}
