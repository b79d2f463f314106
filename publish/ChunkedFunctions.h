#pragma once

#include "swf/ActionEmitter.h"
#include "swf/ActionList.h"
#include "swf/Actions.h"
#include "swf/SwfWriter.h"

#include <cstddef>
#include <cstdint>
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
    // many times larger, are let go before the next entry is made.
    std::vector<std::vector<std::uint8_t>> bodies(1);
    std::size_t entries = 0, bytes = 0;
    swf::Writer sizer;
    CActionList entry;
    for (std::size_t i = 0; i < count; ++i) {
        entry.RemoveAll();
        emit(i, entry);
        sizer.Clear();
        entry.Write(sizer);
        const std::size_t size = sizer.Size();
        if (size > limits.bodyBytes)
            throw std::runtime_error(describe(i) + " is too large for one function of the movie (" +
                                     std::to_string(size) + " bytes of code)");
        if (entries > 0 && (entries == limits.entries || bytes + size > limits.bodyBytes)) {
            bodies.emplace_back();
            entries = 0;
            bytes = 0;
        }
        bodies.back().insert(bodies.back().end(), sizer.Data().begin(), sizer.Data().end());
        ++entries;
        bytes += size;
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
