#pragma once

#include "model/ModelHooks.h"

#include <cstdint>
#include <memory>

class CVariableTable;

// The model link of the running program: bindings, chart data and parameter refreshes reach
// the cells and ranges of the current base movie through it. It follows GetBaseMovie, so a
// document that replaces its base movie needs no new link.
class CBaseMovieModelLink : public model::IModelLink {
public:
    std::string GetRangeText(const model::RangeHandle& range) override;
    std::size_t CountCells(const model::RangeHandle& range) override;
    std::vector<model::RangeArea> ReadRange(const model::RangeHandle& range) override;
    bool HasFormula(std::int32_t cellId) override;
    int FindRange(const model::RangeHandle& range) override;
    const model::RangeHandle* GetRange(int index) override;
    const model::RangeHandle* MakeSubRange(const model::RangeHandle& range, int area, int row, int column,
                                           int rows, int columns) override;
    const model::RangeHandle* MakeUnionRange(const std::vector<const model::RangeHandle*>& ranges) override;
    void ModelLinksChanged() override;
    std::uint64_t GetTableGeneration() override;

private:
    // The table the current generation stands for; weak, so a replaced table is freed, while
    // its control block keeps a new table from passing for it.
    std::weak_ptr<CVariableTable> known_;
    std::uint64_t generation_ = 1;
};
