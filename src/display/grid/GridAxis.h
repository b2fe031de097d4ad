#pragma once

#include <vector>

// The sizes along one direction of the grid: row heights or column widths, in pixels, and
// how many of them are fixed (heading) rows or columns. A size of 0 or less is a hidden row
// or column: it takes no pixel. Running sums are kept so that every position look-up costs
// a binary search, whatever the number of rows.
class GridAxis
{
public:
    int Count() const { return static_cast<int>(m_sizes.size()); }
    // The stored size, -1 for an index outside 0..Count()-1.
    int Size(int index) const;
    bool IsHidden(int index) const { return Size(index) <= 0; }
    // Stores a size; an index outside the axis is ignored.
    void SetSize(int index, int size);
    // New entries take sizeOfNew. All or nothing: throws std::bad_alloc and keeps the old
    // state when memory runs out.
    void Resize(int count, int sizeOfNew);
    void Clear();
    // Reorders the entries from 'first' on: entry first + i takes the size entry order[i]
    // had. order must be a permutation of first..first+order.size()-1; the total stays.
    void Permute(int first, const std::vector<int>& order);

    int FixedCount() const { return m_nFixed; }
    void SetFixedCount(int count) { m_nFixed = count; }
    // Pixels taken by the fixed rows or columns.
    int FixedExtent() const { return static_cast<int>(Span(0, m_nFixed)); }
    // Pixels taken by all rows or columns.
    long long Total() const { return m_total; }

    // Pixels taken by the entries first..last-1 (negative when last < first).
    long long Span(int first, int last) const;
    // The first scrolled entry at a scroll position: from 'first' on, the first entry whose
    // start lies at or past pos, but no further than the last entry.
    int FirstAtScroll(int first, long long pos) const;
    // The first entry from 'first' on at whose end the summed span reaches 'span';
    // Count() when the entries run out first.
    int FirstReaching(int first, long long span) const;
    // The first shown entry from index on, moving by step up to and including limit; -1
    // when there is none.
    int NextShown(int index, int step, int limit) const;

private:
    long long Prefix(int index) const;
    void MakePrefixValid(int index) const;

    std::vector<int> m_sizes;
    // m_prefix[i] = shown pixels of entries 0..i-1; valid up to m_nPrefixValid.
    mutable std::vector<long long> m_prefix{0};
    mutable int m_nPrefixValid = 0;
    long long m_total = 0;
    int m_nFixed = 0;
};
