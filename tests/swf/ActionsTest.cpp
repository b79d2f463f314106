#include "swf/ActionEmitter.h"
#include "swf/Actions.h"
#include "swf/SwfError.h"
#include "swf/SwfWriter.h"
#include "swf/VariablePath.h"

#include <gtest/gtest.h>

#include <algorithm>

#include <functional>

namespace {

using Bytes = std::vector<uint8_t>;

Bytes Encode(const CAction& action)
{
    swf::Writer out;
    action.Write(out);
    return out.Take();
}

struct Vector {
    const char* name;
    std::function<std::unique_ptr<CAction>()> make;
    Bytes bytes;
};

// Each row: the record as the generators make it and the bytes the player expects. The writer
// must produce the bytes and the parser must read them back to records writing the same bytes.
const std::vector<Vector>& Vectors()
{
    static const std::vector<Vector> vectors = {
        {"stop", [] { return std::make_unique<CActionCode>(swf::ActionCode::Stop); }, {0x07}},
        {"pop", [] { return std::make_unique<CActionPop>(); }, {0x17}},
        {"call function", [] { return std::make_unique<CActionCallFunction>(); }, {0x3D}},
        {"push string", [] { return std::make_unique<CActionPush>("V1"); }, {0x96, 4, 0, 0, 'V', '1', 0}},
        {"push utf-8",
         [] { return std::make_unique<CActionPush>("\xC3\xA9"); },
         {0x96, 4, 0, 0, 0xC3, 0xA9, 0}},
        {"push int", [] { return CActionPush::CActionPushInt(-2); }, {0x96, 5, 0, 7, 0xFE, 0xFF, 0xFF, 0xFF}},
        {"push bool", [] { return CActionPush::CActionPushBool(true); }, {0x96, 2, 0, 5, 1}},
        {"push undefined", [] { return CActionPush::CActionPushUndefined(); }, {0x96, 1, 0, 3}},
        // 1.5 = 0x3FF8000000000000: the high word goes first, each word little-endian.
        {"push double",
         [] { return CActionPush::CActionPushDouble(1.5); },
         {0x96, 9, 0, 6, 0x00, 0x00, 0xF8, 0x3F, 0, 0, 0, 0}},
        {"set target", [] { return std::make_unique<CActionSetTarget>("mc"); }, {0x8B, 3, 0, 'm', 'c', 0}},
        {"set target root", [] { return std::make_unique<CActionSetTarget>(""); }, {0x8B, 1, 0, 0}},
        {"define function",
         [] {
             auto f = std::make_unique<CActionDefineFunction>("f");
             f->GetBody().Add(CActionPush::CActionPushInt(1));
             f->GetBody().Add(std::make_unique<CActionCode>(swf::ActionCode::Return));
             return f;
         },
         {0x9B, 6, 0, 'f', 0, 0, 0, 9, 0, 0x96, 5, 0, 7, 1, 0, 0, 0, 0x3E}},
        {"anonymous function",
         [] { return CActionDefineFunction::CActionDefineFunctionEmpty(); },
         {0x9B, 5, 0, 0, 0, 0, 0, 0}},
        {"constant pool",
         [] {
             return std::make_unique<CActionConstantPool>(std::vector<std::string>{"a", "bc"});
         },
         {0x88, 7, 0, 2, 0, 'a', 0, 'b', 'c', 0}},
        {"unknown long action kept",
         [] { return std::make_unique<CActionRaw>(0x9A, Bytes{0x40}); },
         {0x9A, 1, 0, 0x40}},
    };
    return vectors;
}

TEST(ActionRecords, WriteAndReadBackTheExpectedBytes)
{
    for (const auto& v : Vectors()) {
        SCOPED_TRACE(v.name);
        auto action = v.make();
        EXPECT_EQ(Encode(*action), v.bytes);
        CActionList parsed = swf::ParseActions(v.bytes);
        ASSERT_EQ(parsed.size(), 1u);
        EXPECT_EQ(parsed[0].GetCode(), v.bytes[0]);
        EXPECT_EQ(Encode(parsed[0]), v.bytes);
    }
}

TEST(ActionRecords, ParsedValuesKeepTheirKinds)
{
    CActionPush push;
    CPushValue v;
    v.type = swf::PushType::Double;
    v.doubleBits = std::bit_cast<uint64_t>(-0.25);
    push.AddValue(v);
    v = {};
    v.type = swf::PushType::Constant16;
    v.constant = 300;
    push.AddValue(v);
    v = {};
    v.type = swf::PushType::Register;
    v.registerNumber = 3;
    push.AddValue(v);
    CActionList list = swf::ParseActions(Encode(push));
    const auto& read = dynamic_cast<const CActionPush&>(list[0]);
    ASSERT_EQ(push.GetValues().size(), 3u);
    EXPECT_TRUE(std::ranges::equal(read.GetValues(), push.GetValues()));
    EXPECT_EQ(read.GetValues()[0].GetDouble(), -0.25);
}

TEST(ActionRecords, ListEndsWithEndActionOnlyWhenAsked)
{
    CActionList list;
    EXPECT_EQ(list.Add(std::make_unique<CActionCode>(swf::ActionCode::Stop)), 1);
    EXPECT_EQ(list.Add(std::make_unique<CActionPop>()), 2);
    EXPECT_EQ(list.ToBytes(false), (Bytes{0x07, 0x17}));
    EXPECT_EQ(list.ToBytes(true), (Bytes{0x07, 0x17, 0x00}));
    list.RemoveAll();
    EXPECT_TRUE(list.empty());
}

TEST(ActionRecords, NestedFunctionsRoundTrip)
{
    CActionList list;
    auto outer = std::make_unique<CActionDefineFunction>("outer");
    auto inner = std::make_unique<CActionDefineFunction>("inner");
    inner->GetBody().Add(std::make_unique<CActionPush>("x"));
    outer->GetBody().Add(std::move(inner));
    outer->GetBody().Add(std::make_unique<CActionCode>(swf::ActionCode::Return));
    list.Add(std::move(outer));
    list.Add(std::make_unique<CActionCode>(swf::ActionCode::Stop));
    Bytes bytes = list.ToBytes(true);
    CActionList parsed = swf::ParseActions(bytes);
    ASSERT_EQ(parsed.size(), 2u);
    const auto& f = dynamic_cast<const CActionDefineFunction&>(parsed[0]);
    EXPECT_EQ(f.GetName(), "outer");
    ASSERT_EQ(f.GetBody().size(), 2u);
    EXPECT_EQ(parsed.ToBytes(true), bytes);
}

// A function whose body was written beforehand writes the same bytes, and its size field
// counts them, as the function made of the actions themselves; past 65535 bytes it is refused.
TEST(ActionRecords, AWrittenBodyWritesAsItsActionsWould)
{
    CActionList body;
    swf::ActionEmitter(body).Str("x").Int(3).Op(swf::ActionCode::SetVariable).Get("y").Op(swf::ActionCode::Pop);
    auto asActions = std::make_unique<CActionDefineFunction>("f");
    auto asBytes = std::make_unique<CActionDefineFunction>("f");
    asBytes->GetBody().Add(std::make_unique<CActionBytes>(body.ToBytes(false)));
    asActions->GetBody().Append(std::move(body));
    CActionList a, b;
    a.Add(std::move(asActions));
    b.Add(std::move(asBytes));
    EXPECT_EQ(b.ToBytes(true), a.ToBytes(true));
    EXPECT_EQ(swf::ParseActions(b.ToBytes(true)).ToBytes(true), a.ToBytes(true));

    auto big = std::make_unique<CActionDefineFunction>("big");
    big->GetBody().Add(std::make_unique<CActionBytes>(Bytes(65536, 0x17)));
    swf::Writer out;
    EXPECT_THROW(big->Write(out), swf::SwfError);
    // Written and let go, a list stops at such a function and keeps it and what follows.
    CActionList list;
    list.Add(std::make_unique<CActionPush>("before"));
    list.Add(std::move(big));
    list.Add(std::make_unique<CActionPush>("after"));
    EXPECT_THROW(list.WriteAndRelease(out), swf::SwfError);
    ASSERT_EQ(list.size(), 2u);
    EXPECT_NE(dynamic_cast<const CActionDefineFunction*>(&list[0]), nullptr);
}

// The size a list says it writes, taken to make room for it at once, is the size it writes,
// with records kept as bytes, functions and pushes among them; written and let go, it writes
// the same bytes and is empty after.
TEST(ActionRecords, AListsWrittenSizeIsWhatItWrites)
{
    CActionList list;
    swf::ActionEmitter(list).Str("a long enough name for a push").Int(70000).Op(swf::ActionCode::SetVariable);
    auto f = std::make_unique<CActionDefineFunction>("f");
    f->GetBody().Add(std::make_unique<CActionBytes>(Bytes(300, 0x17)));
    f->GetBody().Add(std::make_unique<CActionPush>("x"));
    list.Add(std::move(f));
    list.Add(std::make_unique<CActionBytes>(Bytes(1000, 0x17)));
    list.Add(std::make_unique<CActionCode>(swf::ActionCode::Stop));
    EXPECT_EQ(list.WrittenSize(), list.ToBytes(false).size());
    EXPECT_EQ(CActionList().WrittenSize(), 0u);
    const std::vector<uint8_t> bytes = list.ToBytes(false);
    swf::Writer out;
    list.WriteAndRelease(out);
    EXPECT_EQ(out.Data(), bytes);
    EXPECT_TRUE(list.empty());
}

// A list's pushes written joined are the bytes the emitter writes joining them as it goes: runs
// of pushes become one record, anything else ends a run (a record kept as bytes too, whatever
// its first byte), and a run too long for one record goes on in the next.
TEST(ActionRecords, JoinedPushesAreWhatTheJoiningEmitterWrites)
{
    const std::string long1(40000, 'a'), long2(30000, 'b');
    auto script = [&](swf::ActionEmitter& emit, bool asRecords) {
        emit.Str("V4").Str("V34").Op(swf::ActionCode::GetVariable).Int(2).Dbl(0.5).Bool(true).Undefined();
        emit.Op(swf::ActionCode::CallMethod).Str(long1).Str(long2).Str("x").Op(swf::ActionCode::SetVariable);
        if (asRecords)
            emit.List().Add(std::make_unique<CActionBytes>(Bytes{0x96, 2, 0, 0, 0}));
        else
            emit.Raw(0x96, {0, 0});
        emit.Str("after");
    };
    CActionList list;
    swf::ActionEmitter records(list);
    script(records, true);
    swf::Writer joined;
    list.WriteJoiningPushes(joined);

    swf::Writer expected;
    swf::ActionEmitter direct(expected);
    direct.JoinPushes();
    script(direct, false);
    EXPECT_EQ(joined.Data(), expected.Data());
    // V4 V34 | GetVariable | 2 0.5 true undefined | CallMethod | long1 | long2 x | SetVariable |
    // the kept record | after
    EXPECT_EQ(swf::ParseActions(joined.Data()).size(), 9u);
}

// Records gathered in batches write the same bytes in the same order as records added one by
// one, for no records, fewer than a batch and several batches with a rest.
TEST(ActionRecords, BatchesOfWrittenRecordsKeepTheirOrder)
{
    for (int count : {0, 1, 5000, 9000}) {
        SCOPED_TRACE(count);
        CActionList direct, batched;
        swf::ActionBytesBatch batch(batched);
        for (int i = 0; i < count; ++i) {
            swf::ActionEmitter(direct).Str("V" + std::to_string(i)).Int(i).Op(swf::ActionCode::SetVariable);
            swf::ActionEmitter(batch.List()).Str("V" + std::to_string(i)).Int(i).Op(swf::ActionCode::SetVariable);
            batch.Step();
        }
        batch.Finish();
        EXPECT_EQ(batched.ToBytes(true), direct.ToBytes(true));
        EXPECT_LE(batched.size(), static_cast<std::size_t>(count / 1000 + 1));
    }
}

// Joined pushes carry the same values in the same order as one push each, in as few records
// as fit 65,535 bytes; an operation between two values keeps them apart, and writing bytes
// elsewhere after a push does not let the next value reach back into it.
TEST(ActionRecords, JoinedPushesCarryTheSameValuesInFewerRecords)
{
    auto emitAll = [](swf::ActionEmitter& emit) {
        for (int i = 0; i < 5000; ++i) {
            emit.Str("V" + std::to_string(i) + std::string(60, 'x')).Int(i);
            if (i % 1000 == 999)
                emit.Dbl(0.5).Bool(true).Undefined().Op(swf::ActionCode::SetVariable);
        }
    };
    swf::Writer plainBytes, joinedBytes;
    swf::ActionEmitter plain(plainBytes);
    swf::ActionEmitter joined(joinedBytes);
    joined.JoinPushes();
    emitAll(plain);
    emitAll(joined);
    auto values = [](const CActionList& list) {
        std::vector<CPushValue> all;
        std::vector<uint8_t> codes;
        for (const auto& action : list) {
            codes.push_back(action->GetCode());
            if (const auto* push = dynamic_cast<const CActionPush*>(action.get()))
                all.insert(all.end(), push->GetValues().begin(), push->GetValues().end());
        }
        std::erase(codes, static_cast<uint8_t>(swf::ActionCode::Push));
        return std::make_pair(all, codes);
    };
    const CActionList plainList = swf::ParseActions(plainBytes.Data());
    const CActionList joinedList = swf::ParseActions(joinedBytes.Data());
    EXPECT_EQ(values(joinedList), values(plainList));
    EXPECT_LT(joinedBytes.Size(), plainBytes.Size());
    // Five runs of 2,003 values, about 72 KB each: two records each, and the operation after.
    EXPECT_EQ(joinedList.size(), 15u);

    swf::Writer bytes;
    swf::ActionEmitter emit(bytes);
    emit.JoinPushes().Str("a");
    bytes.U8(static_cast<uint8_t>(swf::ActionCode::Pop));
    emit.Str("b");
    EXPECT_EQ(swf::ParseActions(bytes.Data()).size(), 3u);
    (void)bytes.Take();
    emit.Str("c");
    const CActionList apart = swf::ParseActions(bytes.Data());
    ASSERT_EQ(apart.size(), 1u);
    EXPECT_EQ(values(apart).first.size(), 1u);
}

TEST(ActionRecords, RawKeepingLeavesPushAndConstantPoolUndecoded)
{
    CActionList list;
    list.Add(std::make_unique<CActionConstantPool>(std::vector<std::string>{"a"}));
    list.Add(std::make_unique<CActionPush>("a"));
    Bytes bytes = list.ToBytes(true);
    swf::ActionParseOptions options;
    options.keepRawConstants = true;
    CActionList parsed = swf::ParseActions(bytes, options);
    ASSERT_EQ(parsed.size(), 2u);
    EXPECT_NE(dynamic_cast<const CActionRaw*>(&parsed[0]), nullptr);
    EXPECT_NE(dynamic_cast<const CActionRaw*>(&parsed[1]), nullptr);
    EXPECT_EQ(parsed.ToBytes(true), bytes);
}

TEST(ActionRecords, OversizedRecordsAreRefusedNotTruncated)
{
    auto f = std::make_unique<CActionDefineFunction>("big");
    for (int i = 0; i < 7000; ++i)
        f->GetBody().Add(CActionPush::CActionPushDouble(i)); // 12 bytes each
    swf::Writer out;
    EXPECT_THROW(f->Write(out), swf::SwfError);

    CActionPush push(std::string(70000, 'x'));
    EXPECT_THROW(push.Write(out), swf::SwfError);
    std::string withNul("a\0b", 3);
    EXPECT_THROW(CActionPush(withNul).Write(out), swf::SwfError);
}

TEST(ActionRecords, MalformedBytesGiveErrors)
{
    const std::vector<std::pair<const char*, Bytes>> cases = {
        {"length past the end", {0x96, 10, 0, 0}},
        {"length field cut", {0x96, 1}},
        {"string without NUL", {0x96, 2, 0, 0, 'a'}},
        {"unknown push kind", {0x96, 1, 0, 42}},
        {"short double", {0x96, 5, 0, 6, 0, 0, 0, 0}},
        {"function body past the end", {0x9B, 5, 0, 0, 0, 0, 50, 0, 0x07}},
        {"function body splits a record", {0x9B, 5, 0, 0, 0, 0, 2, 0, 0x96, 1, 0, 3}},
        {"bytes after the pool", {0x88, 4, 0, 1, 0, 0, 9}},
    };
    for (const auto& [name, bytes] : cases) {
        SCOPED_TRACE(name);
        EXPECT_THROW(swf::ParseActions(bytes), swf::SwfError);
    }
}

TEST(ActionRecords, DeepFunctionNestingIsRefused)
{
    // Each level: an anonymous function whose body is the next level.
    Bytes bytes;
    for (int level = 0; level < 200; ++level) {
        Bytes header = {0x9B, 5, 0, 0, 0, 0};
        uint16_t size = static_cast<uint16_t>(bytes.size());
        header.push_back(static_cast<uint8_t>(size));
        header.push_back(static_cast<uint8_t>(size >> 8));
        header.insert(header.end(), bytes.begin(), bytes.end());
        bytes = header;
        if (bytes.size() > 60000)
            break;
    }
    EXPECT_THROW(swf::ParseActions(bytes), swf::SwfError);
}

// ---------------------------------------------------------------------------------------------

CVariablePath Path(std::initializer_list<std::pair<const char*, int>> elements)
{
    CVariablePath path;
    for (auto [text, kind] : elements)
        path.AddName(text, kind);
    return path;
}

TEST(VariablePath, Texts)
{
    CVariablePath path = Path({{"a", 1}, {"b", 1}, {"3", 2}});
    EXPECT_EQ(path.GetText(), ".a.b.3");
    EXPECT_EQ(path.GetParentTextDotted(), ".a.b");
    EXPECT_EQ(path.GetParentText(), "a.b");
    EXPECT_EQ(path.GetLastText(), "3");
    path.RemoveLast();
    path.RemoveLast();
    EXPECT_EQ(path.GetText(), ".a");
    EXPECT_EQ(path.GetParentTextDotted(), "");
    EXPECT_EQ(path.GetParentText(), "");
    path.RemoveLast();
    path.RemoveLast(); // on an empty path: nothing happens
    EXPECT_EQ(path.GetText(), "");
    EXPECT_EQ(path.GetLastText(), "");
    EXPECT_THROW(path.AddName("x", 3), swf::SwfError);
}

TEST(VariablePath, EmitGetAndSet)
{
    const Bytes pushA = {0x96, 3, 0, 0, 'a', 0};
    const Bytes pushB = {0x96, 3, 0, 0, 'b', 0};
    const Bytes push2 = {0x96, 5, 0, 7, 2, 0, 0, 0};
    struct Case {
        const char* name;
        CVariablePath path;
        bool firstIsVariable;
        Bytes expected;
    };
    auto cat = [](std::initializer_list<Bytes> parts) {
        Bytes all;
        for (const auto& p : parts)
            all.insert(all.end(), p.begin(), p.end());
        return all;
    };
    const Case cases[] = {
        {"empty", CVariablePath(), true, {}},
        {"one name", Path({{"a", 1}}), true, cat({pushA, {0x1D}})},
        {"member of a variable", Path({{"a", 1}, {"b", 1}}), true, cat({pushA, {0x1C}, pushB, {0x4F}})},
        {"member of a pushed object", Path({{"a", 1}, {"b", 1}}), false, cat({pushA, {0x4E}, pushB, {0x4F}})},
        {"array element", Path({{"a", 1}, {"b", 1}, {"2", 2}}), true,
         cat({pushA, {0x1C}, pushB, {0x4E}, push2, {0x4F}})},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        CActionList list;
        c.path.EmitGet(list, c.firstIsVariable);
        c.path.EmitSet(list);
        EXPECT_EQ(list.ToBytes(false), c.expected);
    }
}

TEST(VariablePath, IndexThatIsNotANumberStaysAName)
{
    CActionList list;
    Path({{"x1", 2}}).EmitGet(list, true);
    EXPECT_EQ(list.ToBytes(false), (Bytes{0x96, 4, 0, 0, 'x', '1', 0}));
}

} // namespace
