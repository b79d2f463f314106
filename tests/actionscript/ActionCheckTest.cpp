#include "tools/actionscript/ActionCheck.h"
#include "tools/actionscript/Disassembler.h"

#include <gtest/gtest.h>

using namespace actionscript;

namespace {

std::string FirstProblem(std::vector<uint8_t> bytes)
{
    auto problems = CheckActions(bytes);
    return problems.empty() ? "" : problems.front();
}

} // namespace

// Faults the compiler must never produce, each caught by the checks every built asset passes.
TEST(ActionCheck, CatchesWhatWouldBreakAPlayer)
{
    // Push 1 (int), Jump +0, End
    EXPECT_EQ(FirstProblem({0x96, 5, 0, 7, 1, 0, 0, 0, 0x99, 2, 0, 0, 0, 0}), "");
    // A jump into the middle of the Push record before it.
    EXPECT_EQ(FirstProblem({0x96, 5, 0, 7, 1, 0, 0, 0, 0x99, 2, 0, 0xF9, 0xFF}),
              "offset 8: branch to offset 6, which is not an action of its body");
    EXPECT_EQ(FirstProblem({0x99, 2, 0, 0x10, 0}), "offset 0: branch leaves its body");
    EXPECT_EQ(FirstProblem({0x8E, 0, 0}), "offset 0: DefineFunction2 is not an action of SWF 6");
    EXPECT_EQ(FirstProblem({0x2A}), "offset 0: Throw is not an action of SWF 6");
    EXPECT_EQ(FirstProblem({0x69}), "offset 0: Extends is not an action of SWF 6");
    EXPECT_EQ(FirstProblem({0x87, 1, 0, 4}), "offset 0: register above 3; a SWF 6 player has four");
    EXPECT_EQ(FirstProblem({0x96, 2, 0, 8, 0}), "offset 0: Push of a constant the pool does not hold");
    EXPECT_EQ(FirstProblem({0x96, 3, 0, 0, 'a', 'b'}), "offset 0: payload of Push does not match its length");
    EXPECT_EQ(FirstProblem({0x96, 9, 0}), "offset 0: action record at offset 0 runs past the end of its body");
    EXPECT_EQ(FirstProblem({0x07, 0x00, 0x07}), "offset 1: bytes follow the End action");
    // DefineFunction "" () with a body of 4 bytes where only 1 follows.
    EXPECT_EQ(FirstProblem({0x9B, 5, 0, 0, 0, 0, 4, 0, 0x07}), "offset 0: body runs past the end of the enclosing body");
    // A branch inside a function may not leave it: the function's body is [8, 13).
    EXPECT_EQ(FirstProblem({0x9B, 5, 0, 0, 0, 0, 5, 0, 0x99, 2, 0, 1, 0, 0x07}), "offset 8: branch leaves its body");
}

TEST(ActionCheck, DisassemblyOfDamagedCodeSaysWhereItStops)
{
    EXPECT_EQ(Disassemble(std::vector<uint8_t>{0x07, 0x96, 9, 0}),
              "Stop\n; error: action record at offset 1 runs past the end of its body\n");
    EXPECT_EQ(Disassemble(std::vector<uint8_t>{0x9B, 5, 0, 0, 0, 0, 9, 0, 0x07}),
              "; error: DefineFunction at offset 0 is damaged\n");
    EXPECT_EQ(Disassemble(std::vector<uint8_t>{0x88, 4, 0, 1, 0, 'a', 0, 0x96, 2, 0, 8, 0, 0x96, 2, 0, 8, 3}),
              "ConstantPool \"a\"\nPush \"a\"#0\nPush ?#3\n");
}
