#pragma once

#include "model/ModelHooks.h"

#include <deque>
#include <map>
#include <set>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

// A grid of cells and a table of rectangular ranges standing in for the spreadsheet layer.
// Ranges are handed out as handles into the table, as the real one does.
class FakeModelLink : public model::IModelLink {
public:
    struct Rect {
        int row, column, rows, columns;
        bool operator==(const Rect&) const = default;
    };

    FakeModelLink() { model::SetModelLink(this); }
    ~FakeModelLink() override { model::ResetModelLink(); }

    static std::int32_t IdOf(int row, int column) { return row * 100 + column + 1; }
    void SetNumber(int row, int column, double value)
    {
        model::CellValue& c = cells_[{row, column}];
        c.kind = model::CellValue::kNumber;
        c.number = value;
        char text[32];
        std::snprintf(text, sizeof text, "%g", value);
        c.text = text;
    }
    void SetText(int row, int column, const std::string& text)
    {
        model::CellValue& c = cells_[{row, column}];
        c.kind = model::CellValue::kText;
        c.text = text;
    }
    void SetFormula(int row, int column) { formulas_.insert(IdOf(row, column)); }

    const model::RangeHandle* Add(int row, int column, int rows, int columns)
    {
        return AddAreas({Rect{row, column, rows, columns}});
    }
    // A range of several rectangles (areas), in order.
    const model::RangeHandle* AddAreas(const std::vector<Rect>& rects)
    {
        for (const Range* range : table_) {
            if (range->rects == rects) {
                return range;
            }
        }
        table_.push_back(&made_.emplace_back(rects, table_.size(), generation_));
        return table_.back();
    }
    // The first area's rectangle.
    const Rect& RectOf(const model::RangeHandle& range) const { return Of(range).rects.front(); }
    const std::vector<Rect>& AreasOf(const model::RangeHandle& range) const { return Of(range).rects; }

    std::string GetRangeText(const model::RangeHandle& range) override
    {
        std::string text;
        for (const Rect& r : AreasOf(range)) {
            text += (text.empty() ? "R" : ",R") + std::to_string(r.row) + "C" + std::to_string(r.column) + ":" +
                    std::to_string(r.rows) + "x" + std::to_string(r.columns);
        }
        return text;
    }
    std::size_t CountCells(const model::RangeHandle& range) override
    {
        std::size_t count = 0;
        for (const Rect& r : AreasOf(range)) {
            count += static_cast<std::size_t>(r.rows) * static_cast<std::size_t>(r.columns);
        }
        return count;
    }
    std::vector<model::RangeArea> ReadRange(const model::RangeHandle& range) override
    {
        std::vector<model::RangeArea> areas;
        for (const Rect& r : AreasOf(range)) {
            model::RangeArea& area = areas.emplace_back();
            area.rows = r.rows;
            area.columns = r.columns;
            for (int i = 0; i < r.rows; ++i) {
                for (int j = 0; j < r.columns; ++j) {
                    auto it = cells_.find({r.row + i, r.column + j});
                    model::CellValue cell = it == cells_.end() ? model::CellValue() : it->second;
                    cell.id = IdOf(r.row + i, r.column + j);
                    area.cells.push_back(cell);
                }
            }
        }
        return areas;
    }
    const model::RangeHandle* MakeUnionRange(const std::vector<const model::RangeHandle*>& ranges) override
    {
        std::vector<Rect> rects;
        for (const model::RangeHandle* range : ranges) {
            rects.insert(rects.end(), AreasOf(*range).begin(), AreasOf(*range).end());
        }
        return rects.empty() ? nullptr : AddAreas(rects);
    }
    bool HasFormula(std::int32_t id) override { return formulas_.count(id) != 0; }
    int FindRange(const model::RangeHandle& range) override { return static_cast<int>(Of(range).index); }
    const model::RangeHandle* GetRange(int index) override
    {
        return index >= 0 && static_cast<std::size_t>(index) < table_.size()
                   ? table_[static_cast<std::size_t>(index)]
                   : nullptr;
    }
    const model::RangeHandle* MakeSubRange(const model::RangeHandle& range, int, int row, int column, int rows,
                                           int columns) override
    {
        const Rect& r = RectOf(range);
        if (rows <= 0 || columns <= 0 || row < 0 || column < 0 || row + rows > r.rows ||
            column + columns > r.columns) {
            return nullptr;
        }
        return Add(r.row + row, r.column + column, rows, columns);
    }
    void ModelLinksChanged() override { ++changes; }
    std::uint64_t GetTableGeneration() override { return generation_; }
    // What a re-import does to the real table: every range handed out so far is gone. The old
    // handles stay allocated but are refused, so a binding that kept using one fails the test
    // instead of reading freed memory.
    void ReplaceTable()
    {
        table_.clear();
        ++generation_;
    }

    int changes = 0;

private:
    struct Range : model::RangeHandle {
        Range(std::vector<Rect> r, std::size_t i, std::uint64_t g) : rects(std::move(r)), index(i), generation(g) {}
        std::vector<Rect> rects;
        std::size_t index;
        std::uint64_t generation;
    };
    const Range& Of(const model::RangeHandle& handle) const
    {
        const auto& range = static_cast<const Range&>(handle);
        if (range.generation != generation_) {
            throw std::out_of_range("a range of a replaced table was used");
        }
        return range;
    }

    std::map<std::pair<int, int>, model::CellValue> cells_;
    std::set<std::int32_t> formulas_;
    std::deque<Range> made_;
    std::vector<const Range*> table_;
    std::uint64_t generation_ = 1;
};
