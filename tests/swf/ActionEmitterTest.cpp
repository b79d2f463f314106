#include "swf/ActionEmitter.h"

#include "swf/SwfError.h"

#include <gtest/gtest.h>

#include <climits>
#include <string>

namespace {

using swf::ActionCode;

TEST(ActionEmitter, WritesOneValuePerPushAndLengthsWhereTheCodeNeedsThem)
{
    CActionList list;
    swf::ActionEmitter(list).Str("f").Int(2).Op(ActionCode::Call).Op(ActionCode::TypeOf).New("A");
    const std::vector<uint8_t> expected = {0x96, 3, 0, 0, 'f', 0,         // push "f"
                                           0x96, 5, 0, 7, 2,   0, 0,   0, // push 2
                                           0x9E, 0, 0,                    // call, with its empty length
                                           0x44,                          // typeof
                                           0x96, 5, 0, 7, 0,   0, 0,   0, // push 0
                                           0x96, 3, 0, 0, 'A', 0, 0x40};  // push "A", new
    EXPECT_EQ(list.ToBytes(false), expected);
}

// Written straight as bytes, every kind of record comes out as the list writes it; the limits
// the list checks when it writes are checked as the record is made.
TEST(ActionEmitter, WritingBytesGivesTheBytesOfTheList)
{
    auto emitAll = [](swf::ActionEmitter& emit) {
        emit.Str("").Str("kvRangeC").Int(-7).Int(INT32_MAX).Dbl(0.1).Dbl(-1e300).Bool(true).Bool(false);
        emit.Undefined().Op(ActionCode::Call).Op(ActionCode::SetMember).Get("A12").New("Array");
        emit.Raw(0x99, {1, 2}).Raw(0x17).Str(std::string(65533, 'x'));
    };
    CActionList list;
    swf::ActionEmitter toList(list);
    emitAll(toList);
    swf::Writer bytes;
    swf::ActionEmitter toBytes(bytes);
    emitAll(toBytes);
    EXPECT_EQ(bytes.Take(), list.ToBytes(false));

    swf::Writer more;
    swf::ActionEmitter tooLong(more);
    EXPECT_THROW(tooLong.Str(std::string(65534, 'x')), swf::SwfError);
    EXPECT_THROW(tooLong.Str(std::string("a\0b", 3)), swf::SwfError);
    EXPECT_THROW(tooLong.List(), swf::SwfError);
}

} // namespace
