#include "publish/ChunkedFunctions.h"

#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <regex>
#include <stdexcept>
#include <string>

namespace {

// The names a function body pushes, in order: entries ("e7") and the functions it calls.
std::vector<std::string> PushedNames(const CActionList& body)
{
    const std::vector<std::uint8_t> bytes = body.ToBytes(false);
    std::vector<std::string> names;
    static const std::regex name("e[0-9]+|kvCalc[0-9_]*");
    std::string run;
    for (std::uint8_t b : bytes) {
        if (b >= 0x20 && b < 0x7F) {
            run += static_cast<char>(b);
            continue;
        }
        if (b == 0 && std::regex_match(run, name))
            names.push_back(run);
        run.clear();
    }
    return names;
}

// A formula count far past what one dispatcher can call is split into a tree whose every
// function keeps to its limits, and calling the top runs every entry once, in order.
TEST(ChunkedFunctions, ManyChunksAreCalledThroughATreeInOrder)
{
    for (const std::size_t count : {1u, 2u, 3u, 6u, 7u, 18u, 19u, 55u, 400u}) {
        CActionList out;
        const publish::ChunkLimits limits{2, 65535, 3};
        publish::DefineChunkedFunctions(
            out, "kvCalc", count,
            [](std::size_t i, CActionList& list) { swf::ActionEmitter(list).Str("e" + std::to_string(i)).Op(swf::ActionCode::Pop); },
            [](std::size_t i) { return std::to_string(i); }, limits);
        std::map<std::string, std::vector<std::string>> functions;
        for (const auto& action : out) {
            const auto* function = dynamic_cast<const CActionDefineFunction*>(action.get());
            ASSERT_NE(function, nullptr);
            ASSERT_TRUE(functions.emplace(function->GetName(), PushedNames(function->GetBody())).second)
                << function->GetName() << " twice";
        }
        std::vector<std::string> ran;
        std::function<void(const std::string&, int)> call = [&](const std::string& function, int depth) {
            ASSERT_LT(depth, 20);
            const auto it = functions.find(function);
            ASSERT_NE(it, functions.end()) << function;
            std::size_t calls = 0, entries = 0;
            for (const std::string& pushed : it->second) {
                if (pushed[0] == 'e') {
                    ran.push_back(pushed);
                    ++entries;
                } else {
                    call(pushed, depth + 1);
                    ++calls;
                }
            }
            EXPECT_LE(calls, limits.calls) << function;
            EXPECT_LE(entries, limits.entries) << function;
            EXPECT_TRUE(calls == 0 || entries == 0) << function;
        };
        call("kvCalc", 0);
        ASSERT_EQ(ran.size(), count);
        for (std::size_t i = 0; i < count; ++i)
            EXPECT_EQ(ran[i], "e" + std::to_string(i));
        // The numbered functions keep the names the movie has always used.
        if (count > 2) {
            EXPECT_TRUE(functions.count("kvCalc" + std::to_string((count + 1) / 2))) << count;
        }
    }
}

// Entries emitted on several threads make the same functions as entries emitted in turn, over
// several blocks of entries; the failure reported is the first an in-order run meets, whether a
// too-large entry or an emit that throws.
TEST(ChunkedFunctions, EntriesEmittedOnSeveralThreadsMakeTheSameFunctions)
{
    auto emitName = [](std::size_t i, CActionList& list) {
        swf::ActionEmitter(list).Str("e" + std::to_string(i)).Op(swf::ActionCode::Pop);
    };
    auto describe = [](std::size_t i) { return "entry " + std::to_string(i); };
    // 20000 entries on two threads take three turns of eight blocks.
    for (const auto& [count, threads] : {std::pair{1u, 4u}, {1024u, 4u}, {1025u, 4u}, {5000u, 4u}, {20000u, 2u}}) {
        SCOPED_TRACE(count);
        CActionList single, several;
        publish::ChunkLimits limits;
        publish::DefineChunkedFunctions(single, "kvCalc", count, emitName, describe, limits);
        limits.threads = threads;
        publish::DefineChunkedFunctions(several, "kvCalc", count, emitName, describe, limits);
        EXPECT_EQ(several.ToBytes(true), single.ToBytes(true));
    }

    struct Case {
        std::size_t tooLarge;
        std::size_t throws;
        const char* message;
    };
    const Case cases[] = {
        {1500, 2100, "entry 1500 is too large"},
        {2100, 1500, "emit failed at 1500"},
        {3000, 3000, "emit failed at 3000"},
    };
    for (const Case& c : cases) {
        for (unsigned threads : {1u, 4u}) {
            SCOPED_TRACE(std::to_string(c.tooLarge) + "/" + std::to_string(c.throws) + " on " + std::to_string(threads));
            auto emit = [&](std::size_t i, CActionList& list) {
                if (i == c.throws)
                    throw std::runtime_error("emit failed at " + std::to_string(i));
                swf::ActionEmitter actions(list);
                for (int k = 0; k < (i == c.tooLarge ? 9000 : 1); ++k)
                    actions.Str("abcdefg").Op(swf::ActionCode::Pop);
            };
            publish::ChunkLimits limits;
            limits.threads = threads;
            CActionList out;
            try {
                publish::DefineChunkedFunctions(out, "kvCalc", 4000, emit, describe, limits);
                ADD_FAILURE() << "no failure";
            } catch (const std::exception& error) {
                EXPECT_NE(std::string(error.what()).find(c.message), std::string::npos) << error.what();
            }
        }
    }
}

} // namespace
