#pragma once

#include <cstddef>
#include <cstdint>
#include <unordered_map>
#include <vector>

class CFormulaNode;

// Nodes an ordering or recalculation pass has already reached; one set may be shared by
// several calls of a pass so that each node is taken once. It also knows which reached nodes
// are still being ordered, which is how a circle shows.
//
// Passes run over every node of networks of 100,000 cells, so the set is a table indexed by
// cell id (the variable table hands out small dense ids). Each slot remembers its node, so
// two nodes with one id, negative ids or ids far beyond the nodes reached fall back to a
// hash table and the set never confuses nodes.
class NodeVisitSet {
public:
    enum class Mark : uint8_t { None, OnPath, Finished };

    bool Contains(const CFormulaNode* node) const;
    std::size_t size() const { return count_; }
    // The number of nodes a pass is expected to reach: ids below it are stored in the table.
    void reserve(std::size_t count);

private:
    friend class CFormulaNode;
    friend class CConstantCellNode;

    Mark Get(const CFormulaNode* node, int32_t id) const
    {
        if (id >= 0 && static_cast<std::size_t>(id) < slots_.size()) {
            std::uintptr_t slot = slots_[static_cast<std::size_t>(id)];
            if ((slot & ~kFinishedBit) == Address(node))
                return (slot & kFinishedBit) != 0 ? Mark::Finished : Mark::OnPath;
        }
        return others_.empty() ? Mark::None : GetOther(node);
    }

    // Adds node with mark when it is not in the set yet; returns the mark it had before
    // (None when it was added).
    Mark Add(const CFormulaNode* node, int32_t id, Mark mark)
    {
        Mark had = Get(node, id);
        if (had == Mark::None) {
            if (!TakeSlot(node, id, mark))
                others_.emplace(node, mark);
            ++count_;
        }
        return had;
    }

    // Marks a node already in the set as finished.
    void Finish(const CFormulaNode* node, int32_t id)
    {
        if (id >= 0 && static_cast<std::size_t>(id) < slots_.size() &&
            (slots_[static_cast<std::size_t>(id)] & ~kFinishedBit) == Address(node))
            slots_[static_cast<std::size_t>(id)] |= kFinishedBit;
        else
            others_[node] = Mark::Finished;
    }

    // Nodes are at least two-byte aligned, which frees the low bit of their address.
    static constexpr std::uintptr_t kFinishedBit = 1;
    static std::uintptr_t Address(const CFormulaNode* node) { return reinterpret_cast<std::uintptr_t>(node); }

    Mark GetOther(const CFormulaNode* node) const;
    bool TakeSlot(const CFormulaNode* node, int32_t id, Mark mark);

    std::vector<std::uintptr_t> slots_; // node address, with kFinishedBit once finished; 0 is free
    std::unordered_map<const CFormulaNode*, Mark> others_;
    std::size_t count_ = 0;
    std::size_t expected_ = 0;
};
