#pragma once

#include "base/Processors.h"
#include "swf/ActionEmitter.h"
#include "swf/ActionList.h"
#include "swf/Actions.h"
#include "swf/SwfWriter.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <exception>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

// Generated code too long for one function of the movie, split into functions that fit. The
// player runs a function body of at most 64 KB and stops a movie whose one call runs too long,
// so the entries (formulas, links) go into numbered functions of a few each, and the function
// called by name calls those in order.
namespace publish {

struct ChunkLimits {
    // Entries a numbered function holds, so that no single call runs for long in the player.
    std::size_t entries = 50;
    // What the movie format lets a function body hold.
    std::size_t bodyBytes = 65535;
    // Calls one dispatching function makes; more numbered functions than this are called
    // through a tree of dispatchers, so that their count is bounded by memory, not by the
    // size of one body.
    std::size_t calls = 1000;
    // Threads that may emit entries at once (0: one per processor this process may use). More
    // than one only for an emit that may be called from several threads at a time; the
    // functions come out the same either way.
    unsigned threads = 1;
    // Each entry's runs of Push records written as one record: for entries of straight-line
    // code (no branch jumps into it), which the player then reads in fewer records.
    bool joinPushes = false;
};

namespace detail {

// name() as a statement: Push 0, Push name, CallFunction, Pop.
inline void EmitCall(CActionList& actions, const std::string& name)
{
    swf::ActionEmitter(actions).Int(0).Str(name).Op(swf::ActionCode::CallFunction).Op(swf::ActionCode::Pop);
}

inline void Define(CActionList& out, const std::string& functionName, CActionList&& body)
{
    auto function = std::make_unique<CActionDefineFunction>(functionName);
    function->GetBody().Append(std::move(body));
    out.Add(std::move(function));
}

// The same for a body already written.
inline void Define(CActionList& out, const std::string& functionName, std::vector<std::uint8_t>&& body)
{
    auto function = std::make_unique<CActionDefineFunction>(functionName);
    function->GetBody().Add(std::make_unique<CActionBytes>(std::move(body)));
    out.Add(std::move(function));
}

// The written bytes of a run of entries, one after the other, with where each ends; error
// holds what stopped the run at the entry after the last one written.
struct EntryBlock {
    std::vector<std::uint8_t> bytes;
    std::vector<std::size_t> ends;
    std::exception_ptr error;
};

// Entries a block holds: enough that a thread's share is worth it, few enough to spread.
inline constexpr std::size_t kEntriesPerBlock = 1024;

template <typename Emit>
void EmitBlock(Emit& emit, std::size_t first, std::size_t last, EntryBlock& block, bool joinPushes)
{
    // The entries before a failure are kept: an in-order run checks them before it fails.
    swf::Writer writer;
    try {
        CActionList entry;
        for (std::size_t i = first; i < last; ++i) {
            entry.RemoveAll();
            emit(i, entry);
            if (joinPushes)
                entry.WriteJoiningPushes(writer);
            else
                entry.Write(writer);
            block.ends.push_back(writer.Size());
        }
    } catch (...) {
        block.error = std::current_exception();
    }
    block.bytes = writer.Take();
}

// Emits blocks [first, last) on up to `threads` threads; blocks is sized for every entry.
template <typename Emit>
void EmitBlocksAtOnce(Emit& emit, std::size_t count, std::vector<EntryBlock>& blocks, std::size_t first,
                      std::size_t last, unsigned threads, bool joinPushes)
{
    base::ForEachOnThreads(first, last, threads, [&](std::size_t b) {
        EmitBlock(emit, b * kEntriesPerBlock, std::min(count, (b + 1) * kEntriesPerBlock), blocks[b], joinPushes);
    });
}

} // namespace detail

// Defines the function `name` holding every entry, or, when they do not fit one function,
// functions name1, name2, ... of at most limits.entries entries and limits.bodyBytes bytes each,
// and `name` calling them in order; past limits.calls of them, `name` calls dispatchers
// (name_1_1, name_1_2, ... and so on up a level) that call them. No entries, no function.
// emit(i, list) appends entry i; describe(i) names it for the error raised when one entry
// alone is too large.
template <typename Emit, typename Describe>
void DefineChunkedFunctions(CActionList& out, const std::string& name, std::size_t count, Emit emit,
                            Describe describe, const ChunkLimits& limits = {})
{
    if (count == 0)
        return;
    // Each entry is emitted once, into a list of its own, and written at once: its size decides
    // where a chunk ends, and its bytes are what the chunk keeps, while its action objects,
    // many times larger, are let go before the next entry is made. Entries are emitted a
    // block at a time, all blocks at once on several threads when the emit allows it, and
    // taken in order, so a failure is the one an in-order run meets first. Several threads
    // take a few blocks each at a time, so that only those blocks' bytes are held at once.
    std::vector<detail::EntryBlock> blocks((count + detail::kEntriesPerBlock - 1) / detail::kEntriesPerBlock);
    const unsigned threads = limits.threads == 0 ? base::UsableProcessors() : limits.threads;
    const bool atOnce = threads > 1 && blocks.size() > 1;
    const std::size_t wave = std::size_t(threads) * 4;
    std::vector<std::vector<std::uint8_t>> bodies(1);
    std::size_t entries = 0, bytes = 0;
    for (std::size_t b = 0; b < blocks.size(); ++b) {
        detail::EntryBlock& block = blocks[b];
        const std::size_t first = b * detail::kEntriesPerBlock;
        if (!atOnce)
            detail::EmitBlock(emit, first, std::min(count, first + detail::kEntriesPerBlock), block, limits.joinPushes);
        else if (b % wave == 0)
            detail::EmitBlocksAtOnce(emit, count, blocks, b, std::min(blocks.size(), b + wave), threads,
                                     limits.joinPushes);
        std::size_t start = 0;
        for (std::size_t k = 0; k < block.ends.size(); ++k) {
            const std::size_t size = block.ends[k] - start;
            if (size > limits.bodyBytes)
                throw std::runtime_error(describe(first + k) + " is too large for one function of the movie (" +
                                         std::to_string(size) + " bytes of code)");
            if (entries > 0 && (entries == limits.entries || bytes + size > limits.bodyBytes)) {
                bodies.emplace_back();
                entries = 0;
                bytes = 0;
            }
            bodies.back().insert(bodies.back().end(), block.bytes.begin() + static_cast<std::ptrdiff_t>(start),
                                 block.bytes.begin() + static_cast<std::ptrdiff_t>(block.ends[k]));
            ++entries;
            bytes += size;
            start = block.ends[k];
        }
        if (block.error)
            std::rethrow_exception(block.error);
        block = {};
    }
    if (bodies.size() == 1) {
        detail::Define(out, name, std::move(bodies.front()));
        return;
    }
    std::vector<std::string> callees;
    for (std::size_t k = 0; k < bodies.size(); ++k) {
        callees.push_back(name + std::to_string(k + 1));
        detail::Define(out, callees.back(), std::move(bodies[k]));
    }
    // The numbered names stay as they always were; only a model too large for one dispatcher
    // gets levels between, whose names (with underscores) no numbered function can take.
    const std::size_t fanOut = limits.calls < 2 ? 2 : limits.calls;
    for (int level = 1; callees.size() > fanOut; ++level) {
        std::vector<std::string> dispatchers;
        for (std::size_t first = 0; first < callees.size(); first += fanOut) {
            dispatchers.push_back(name + "_" + std::to_string(level) + "_" + std::to_string(dispatchers.size() + 1));
            CActionList body;
            for (std::size_t k = first; k < callees.size() && k < first + fanOut; ++k)
                detail::EmitCall(body, callees[k]);
            detail::Define(out, dispatchers.back(), std::move(body));
        }
        callees = std::move(dispatchers);
    }
    CActionList top;
    for (const std::string& callee : callees)
        detail::EmitCall(top, callee);
    detail::Define(out, name, std::move(top));
}

} // namespace publish
