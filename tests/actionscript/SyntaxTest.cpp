#include "tools/actionscript/ActionCheck.h"
#include "tools/actionscript/Compiler.h"
#include "tools/actionscript/Disassembler.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>

using namespace actionscript;

namespace {

// The listing of an expression statement's value, without the pool, minus the closing Pop.
std::string Expr(const std::string& expression)
{
    CompileOptions options;
    options.constantPool = false;
    CompileResult result = CompileSource("t = " + expression + ";", "expr.as", options);
    EXPECT_TRUE(result.ok()) << expression << ": " << (result.error ? result.error->ToString() : "");
    std::string listing = Disassemble(result.actions);
    // Every listing starts with Push "t" and ends with SetVariable; keep what lies between.
    const std::string head = "Push \"t\"";
    const std::string tail = "SetVariable\n";
    if (listing.rfind(head, 0) != 0 || listing.size() < tail.size() ||
        listing.compare(listing.size() - tail.size(), tail.size(), tail) != 0)
        return listing;
    std::string body = listing.substr(head.size(), listing.size() - head.size() - tail.size());
    if (!body.empty() && body[0] == ' ')
        body.erase(0, 1);
    else if (!body.empty() && body[0] == '\n')
        body.erase(0, 1);
    return body;
}

std::string CompileAndList(const std::string& source)
{
    CompileResult result = CompileSource(source, "big.as");
    EXPECT_TRUE(result.ok()) << (result.error ? result.error->ToString() : "");
    EXPECT_EQ(CheckActions(result.actions), std::vector<std::string>());
    return Disassemble(result.actions);
}

} // namespace

// Precedence and associativity decide the order of the actions; a wrong table computes
// another value without any error.
TEST(Syntax, PrecedenceAndAssociativity)
{
    EXPECT_EQ(Expr("a - b - 1"), "\"a\"\nGetVariable\nPush \"b\"\nGetVariable\nSubtract\nPush 1\nSubtract\n");
    EXPECT_EQ(Expr("1 + 2 * 3"), "1 2 3\nMultiply\nAdd2\n");
    EXPECT_EQ(Expr("(1 + 2) * 3"), "1 2\nAdd2\nPush 3\nMultiply\n");
    EXPECT_EQ(Expr("1 < 2 == 3 > 4"), "1 2\nLess2\nPush 3 4\nGreater\nEquals2\n");
    EXPECT_EQ(Expr("1 | 2 ^ 3 & 4"), "1 2 3 4\nBitAnd\nBitXor\nBitOr\n");
    EXPECT_EQ(Expr("1 << 2 + 3"), "1 2 3\nAdd2\nBitLShift\n");
    EXPECT_EQ(Expr("!1 == 2"), "1\nNot\nPush 2\nEquals2\n");
    EXPECT_EQ(Expr("typeof 1 + \"x\""), "1\nTypeOf\nPush \"x\"\nAdd2\n");
    EXPECT_EQ(Expr("-2 * 3"), "-2 3\nMultiply\n");
    // Labels are numbered in the order of their places.
    EXPECT_EQ(Expr("1 ? 2 : 3 ? 4 : 5"),
              "1\nIf L3\nPush 3\nIf L1\nPush 5\nJump L2\nL1:\nPush 4\nL2:\nJump L4\nL3:\nPush 2\nL4:\n");
    // Assignments bind to the right: b receives 1, then a receives b's value.
    EXPECT_EQ(Expr("b = 1"), "\"b\" 1\nStoreRegister 0\nSetVariable\nPush r0\n");
    EXPECT_EQ(Expr("new a.b(1).c"),
              "1 1 \"a\"\nGetVariable\nPush \"b\"\nNewMethod\nPush \"c\"\nGetMember\n");
    // The outer call's argument and count first, then the inner call that yields the function.
    EXPECT_EQ(Expr("f(1)(2)"), "2 1 1 1 \"f\"\nCallFunction\nPush undefined\nCallMethod\n");
}

TEST(Syntax, NumbersAndTheirRecords)
{
    EXPECT_EQ(Expr("0x1F"), "31\n");
    EXPECT_EQ(Expr("010"), "10\n");       // decimal: a leading zero makes no octal number
    EXPECT_EQ(Expr(".5"), "0.5\n");
    EXPECT_EQ(Expr("2.5e3"), "2500\n");   // integral values take the 32-bit record
    EXPECT_EQ(Expr("3000000000"), "3e+09\n"); // beyond 32 bits: a double
    EXPECT_EQ(Expr("1e400"), "inf\n");
    EXPECT_EQ(Expr("1e-400"), "0\n");
    EXPECT_EQ(Expr("-0"), "-0.0\n");      // -0 needs the double record to stay -0
    EXPECT_EQ(Expr("2147483647"), "2147483647\n");
    EXPECT_EQ(Expr("-2147483648"), "-2147483648\n");
}

TEST(Syntax, StatementsEndAtLineEnds)
{
    CompileOptions options;
    options.constantPool = false;
    // "return" alone on its line returns undefined; the next line is a statement of its own.
    auto result = CompileSource("function f() {\n return\n 1\n}", "asi.as", options);
    ASSERT_TRUE(result.ok()) << result.error->ToString();
    EXPECT_EQ(Disassemble(result.actions), "DefineFunction \"f\" () {\n  Push undefined\n  Return\n  Push 1\n  Pop\n}\n");
    // A ++ on the next line belongs to the next statement, not to the name before it.
    result = CompileSource("a\n++b", "asi.as", options);
    ASSERT_TRUE(result.ok()) << result.error->ToString();
    EXPECT_EQ(Disassemble(result.actions), "Push \"a\"\nGetVariable\nPop\nPush \"b\" \"b\"\nGetVariable\nIncrement\nSetVariable\n");
}

// Records have a 16-bit length: long Push runs split, a pool stops growing at its limit, and
// pools past 256 entries use two-byte indices; all of it must still pass the checks.
TEST(Syntax, LargeBlocksStayWithinTheRecordLimits)
{
    std::string many = "a = [";
    for (int i = 0; i < 7000; ++i)
        many += std::string(i ? ", " : "") + "\"element number " + std::to_string(i) + "\"";
    many += "];";
    std::string listing = CompileAndList(many);
    size_t pushes = 0;
    for (size_t at = listing.find("Push "); at != std::string::npos; at = listing.find("Push ", at + 1))
        ++pushes;
    EXPECT_GE(pushes, 3u); // 7000 strings of about 20 bytes need three records at least
    EXPECT_NE(listing.find("\"element number 0\" 7000\nInitArray"), std::string::npos);

    std::string repeated;
    for (int i = 0; i < 4000; ++i) {
        std::string name = "\"a fairly long string number " + std::to_string(i) + "\"";
        repeated += "x = " + name + "; y = " + name + "; z = " + name + ";\n";
    }
    listing = CompileAndList(repeated);
    EXPECT_NE(listing.find("#300"), std::string::npos);
    EXPECT_NE(listing.find("Push \"x\"#0"), std::string::npos);
}
