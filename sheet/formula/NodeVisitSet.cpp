#include "sheet/formula/NodeVisitSet.h"

#include "sheet/formula/FormulaNode.h"

#include <algorithm>

namespace {

// Below this many slots the table is always worth it (32 KiB).
constexpr std::size_t kSmallTable = 4096;

} // namespace

bool NodeVisitSet::Contains(const CFormulaNode* node) const
{
    return node && Get(node, node->GetCellId()) != Mark::None;
}

void NodeVisitSet::reserve(std::size_t count)
{
    expected_ = std::max(expected_, count);
}

NodeVisitSet::Mark NodeVisitSet::GetOther(const CFormulaNode* node) const
{
    auto found = others_.find(node);
    return found == others_.end() ? Mark::None : found->second;
}

bool NodeVisitSet::TakeSlot(const CFormulaNode* node, int32_t id, Mark mark)
{
    if (id < 0)
        return false;
    auto index = static_cast<std::size_t>(id);
    if (index >= slots_.size()) {
        // The table stays within a few slots per node reached (or expected), so one stray
        // large id costs a hash entry, not gigabytes.
        std::size_t limit = std::max({kSmallTable, expected_, 4 * (count_ + 1)});
        if (index >= limit)
            return false;
        slots_.resize(std::min(limit, std::max(index + 1, 2 * slots_.size())), 0);
    }
    if (slots_[index] != 0)
        return false; // another node with the same id
    slots_[index] = Address(node) | (mark == Mark::Finished ? kFinishedBit : 0);
    return true;
}
