#include "display/grid/GridAxis.h"

#include <algorithm>

namespace {

long long Shown(int size)
{
    return size > 0 ? size : 0;
}

} // namespace

int GridAxis::Size(int index) const
{
    if (index < 0 || index >= Count())
        return -1;
    return m_sizes[static_cast<size_t>(index)];
}

void GridAxis::SetSize(int index, int size)
{
    if (index < 0 || index >= Count())
        return;
    int& stored = m_sizes[static_cast<size_t>(index)];
    m_total += Shown(size) - Shown(stored);
    stored = size;
    m_nPrefixValid = std::min(m_nPrefixValid, index);
}

void GridAxis::Resize(int count, int sizeOfNew)
{
    count = std::max(count, 0);
    // Reserve first, so that nothing has changed when memory runs out.
    m_sizes.reserve(static_cast<size_t>(count));
    m_prefix.reserve(static_cast<size_t>(count) + 1);
    for (int i = count; i < Count(); ++i)
        m_total -= Shown(m_sizes[static_cast<size_t>(i)]);
    const int old = Count();
    m_sizes.resize(static_cast<size_t>(count), sizeOfNew);
    if (count > old)
        m_total += Shown(sizeOfNew) * (count - old);
    m_prefix.resize(static_cast<size_t>(count) + 1, 0);
    m_nPrefixValid = std::min(m_nPrefixValid, count);
    m_nFixed = std::min(m_nFixed, count);
}

void GridAxis::Clear()
{
    m_sizes.clear();
    m_prefix.assign(1, 0);
    m_nPrefixValid = 0;
    m_total = 0;
    m_nFixed = 0;
}

void GridAxis::Permute(int first, const std::vector<int>& order)
{
    if (first < 0 || first + static_cast<long long>(order.size()) > Count())
        return;
    std::vector<int> moved;
    moved.reserve(order.size());
    for (const int from : order)
        moved.push_back(m_sizes[static_cast<size_t>(from)]);
    std::copy(moved.begin(), moved.end(), m_sizes.begin() + first);
    m_nPrefixValid = std::min(m_nPrefixValid, first);
}

void GridAxis::MakePrefixValid(int index) const
{
    for (int i = m_nPrefixValid; i < index; ++i)
        m_prefix[static_cast<size_t>(i) + 1]
            = m_prefix[static_cast<size_t>(i)] + Shown(m_sizes[static_cast<size_t>(i)]);
    m_nPrefixValid = std::max(m_nPrefixValid, index);
}

long long GridAxis::Prefix(int index) const
{
    index = std::clamp(index, 0, Count());
    MakePrefixValid(index);
    return m_prefix[static_cast<size_t>(index)];
}

long long GridAxis::Span(int first, int last) const
{
    return Prefix(last) - Prefix(first);
}

int GridAxis::FirstReaching(int first, long long span) const
{
    if (first < 0)
        first = 0;
    if (first >= Count())
        return Count();
    MakePrefixValid(Count());
    // Smallest i in [first, Count()) with prefix[i + 1] >= prefix[first] + span.
    const long long target = m_prefix[static_cast<size_t>(first)] + span;
    const auto begin = m_prefix.begin() + first + 1;
    const auto end = m_prefix.begin() + Count() + 1;
    const auto found = std::lower_bound(begin, end, target);
    return static_cast<int>(found - m_prefix.begin()) - 1;
}

int GridAxis::FirstAtScroll(int first, long long pos) const
{
    if (first >= Count() - 1 || pos <= 0)
        return first;
    return std::min(FirstReaching(first, pos) + 1, Count() - 1);
}

int GridAxis::NextShown(int index, int step, int limit) const
{
    for (; step > 0 ? index <= limit : index >= limit; index += step)
        if (!IsHidden(index))
            return index;
    return -1;
}
