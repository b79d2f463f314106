#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <unordered_map>
#include <utility>
#include <vector>

// Places of one kind of cell by sheet and column, each column's rows kept in order, so that
// the cells inside an area are found in time of the area's columns and the cells found, not of
// its size: a range may name a million rows of which a handful are used. Places are mostly
// added in order of rows; one added out of order leaves its column to be sorted at the next
// lookup. Not locked: the owner locks around it.
template <typename Value>
class CColumnIndex {
public:
    void Clear() { columns_.clear(); }

    void Add(std::size_t sheet, int row, int column, Value value)
    {
        Column& cells = columns_[Key(sheet, column)];
        if (!cells.rows.empty() && row < cells.rows.back().first)
            cells.sorted = false;
        cells.rows.emplace_back(row, value);
    }

    // visit(row, column, value) for every place of the sheet inside the area, in reading order
    // (row by row, left to right).
    template <typename Visit>
    void ForEachIn(std::size_t sheet, int top, int left, int bottom, int right, Visit&& visit)
    {
        if (left == right) {
            VisitColumn(sheet, left, top, bottom, visit);
            return;
        }
        std::vector<std::pair<std::pair<int, int>, Value>> found;
        for (int column = left; column <= right; ++column)
            VisitColumn(sheet, column, top, bottom,
                        [&](int row, int at, const Value& value) { found.push_back({{row, at}, value}); });
        std::sort(found.begin(), found.end(), [](const auto& a, const auto& b) { return a.first < b.first; });
        for (const auto& [place, value] : found)
            visit(place.first, place.second, value);
    }

private:
    struct Column {
        std::vector<std::pair<int, Value>> rows;
        bool sorted = true;
    };

    static std::uint64_t Key(std::size_t sheet, int column)
    {
        return (static_cast<std::uint64_t>(sheet) << 32) | static_cast<std::uint32_t>(column);
    }

    template <typename Visit>
    void VisitColumn(std::size_t sheet, int column, int top, int bottom, Visit&& visit)
    {
        auto found = columns_.find(Key(sheet, column));
        if (found == columns_.end())
            return;
        Column& cells = found->second;
        if (!cells.sorted) {
            std::stable_sort(cells.rows.begin(), cells.rows.end(),
                             [](const auto& a, const auto& b) { return a.first < b.first; });
            cells.sorted = true;
        }
        auto at = std::lower_bound(cells.rows.begin(), cells.rows.end(), top,
                                   [](const auto& cell, int row) { return cell.first < row; });
        for (; at != cells.rows.end() && at->first <= bottom; ++at)
            visit(at->first, column, at->second);
    }

    std::unordered_map<std::uint64_t, Column> columns_;
};
