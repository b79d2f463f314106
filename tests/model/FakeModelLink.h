#pragma once

#include "model/ModelHooks.h"

#include <deque>
#include <map>
#include <set>
#include <string>
#include <utility>

// A grid of cells and a table of rectangular ranges standing in for the spreadsheet layer.
// Ranges are handed out as opaque CRange pointers, as the real table does.
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

    const CRange* Add(int row, int column, int rows, int columns)
    {
        Rect rect{row, column, rows, columns};
        for (std::size_t i = 0; i < table_.size(); ++i) {
            if (table_[i] == rect) {
                return Ptr(i);
            }
        }
        table_.push_back(rect);
        return Ptr(table_.size() - 1);
    }
    const Rect& RectOf(const CRange& range) const { return table_.at(Index(&range)); }

    std::string GetRangeText(const CRange& range) override
    {
        const Rect& r = RectOf(range);
        return "R" + std::to_string(r.row) + "C" + std::to_string(r.column) + ":" + std::to_string(r.rows) +
               "x" + std::to_string(r.columns);
    }
    std::vector<model::RangeArea> ReadRange(const CRange& range) override
    {
        const Rect& r = RectOf(range);
        model::RangeArea area;
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
        return {area};
    }
    bool HasFormula(std::int32_t id) override { return formulas_.count(id) != 0; }
    int FindRange(const CRange& range) override { return static_cast<int>(Index(&range)); }
    const CRange* GetRange(int index) override
    {
        return index >= 0 && static_cast<std::size_t>(index) < table_.size()
                   ? Ptr(static_cast<std::size_t>(index))
                   : nullptr;
    }
    const CRange* MakeSubRange(const CRange& range, int, int row, int column, int rows, int columns) override
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
    // What a re-import does to the real table: every range handed out so far is gone.
    void ReplaceTable()
    {
        table_.clear();
        ++generation_;
    }

    int changes = 0;

private:
    // Pointers are addresses inside a private byte block, one per table slot; they are only
    // compared, never dereferenced.
    const CRange* Ptr(std::size_t index) const { return reinterpret_cast<const CRange*>(slots_ + index); }
    std::size_t Index(const CRange* range) const
    {
        return static_cast<std::size_t>(reinterpret_cast<const char*>(range) - slots_);
    }

    std::map<std::pair<int, int>, model::CellValue> cells_;
    std::set<std::int32_t> formulas_;
    std::deque<Rect> table_;
    std::uint64_t generation_ = 1;
    char slots_[4096] = {};
};
