#include "swf/ActionEmitter.h"

#include <gtest/gtest.h>

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

} // namespace
