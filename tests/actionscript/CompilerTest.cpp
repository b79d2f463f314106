#include "tools/actionscript/ActionCheck.h"
#include "tools/actionscript/Compiler.h"
#include "tools/actionscript/Disassembler.h"

#include <gtest/gtest.h>

#include <map>
#include <string>

using namespace actionscript;

namespace {

std::string Listing(const std::string& source, bool pool = false)
{
    CompileOptions options;
    options.constantPool = pool;
    CompileResult result = CompileSource(source, "test.as", options);
    EXPECT_TRUE(result.ok()) << (result.error ? result.error->ToString() : "");
    return Disassemble(result.actions);
}

std::string ErrorOf(const std::string& source, const CompileOptions& options = {})
{
    CompileResult result = CompileSource(source, "bad.as", options);
    EXPECT_FALSE(result.ok()) << source;
    EXPECT_TRUE(result.actions.empty());
    return result.error ? result.error->ToString() : "";
}

// Sources kept in memory, for the #include tests.
CompileOptions Files(std::map<std::string, std::string> files)
{
    CompileOptions options;
    options.includeDirs.push_back("lib");
    options.readFile = [files](const std::filesystem::path& path) -> std::optional<std::string> {
        auto it = files.find(path.lexically_normal().generic_string());
        if (it == files.end())
            return std::nullopt;
        return it->second;
    };
    return options;
}

} // namespace

// Golden listings of small functions: argument order, locals, the loop shape, short-circuit
// and the function record itself.
TEST(Compiler, GoldenListings)
{
    EXPECT_EQ(Listing("function add(a, b) { var s = a + b; return s; }"),
              "DefineFunction \"add\" (a, b) {\n"
              "  Push \"s\" \"a\"\n  GetVariable\n  Push \"b\"\n  GetVariable\n  Add2\n  DefineLocal\n"
              "  Push \"s\"\n  GetVariable\n  Return\n"
              "}\n");
    EXPECT_EQ(Listing("f(1, \"x\", y);"), "Push \"y\"\nGetVariable\nPush \"x\" 1 3 \"f\"\nCallFunction\nPop\n");
    EXPECT_EQ(Listing("while (i < 3) i++;"),
              "L1:\nPush \"i\"\nGetVariable\nPush 3\nLess2\nNot\nIf L2\n"
              "Push \"i\" \"i\"\nGetVariable\nIncrement\nSetVariable\nJump L1\nL2:\n");
    // The negation of <= and the one the branch needs cancel out.
    EXPECT_EQ(Listing("if (a <= 2) f();"),
              "Push \"a\"\nGetVariable\nPush 2\nGreater\nIf L1\nPush 0 \"f\"\nCallFunction\nPop\nL1:\n");
    EXPECT_EQ(Listing("x = a && b;"),
              "Push \"x\" \"a\"\nGetVariable\nPushDuplicate\nNot\nIf L1\nPop\nPush \"b\"\nGetVariable\nL1:\n"
              "SetVariable\n");
    // A label's actions run where they stand: the program's player bridge calls labels this way.
    EXPECT_EQ(Listing("call(\"_level1:Add\");"), "Push \"_level1:Add\"\nCall\n");
    EXPECT_EQ(Listing("o.m(-1.5, [2, null]);"),
              "Push null 2 2\nInitArray\nPush -1.5 2 \"o\"\nGetVariable\nPush \"m\"\nCallMethod\nPop\n");
}

TEST(Compiler, ConstantPoolTakesRepeatedStringsMostUsedFirst)
{
    // "b" twice costs as much inline as pooled; "total" three times is cheaper pooled.
    std::string listing = Listing("total = b; total = b; total = c; x = \"once\";", true);
    EXPECT_EQ(listing.substr(0, listing.find('\n')), "ConstantPool \"total\"");
    EXPECT_NE(listing.find("Push \"x\" \"once\""), std::string::npos) << listing;
    EXPECT_NE(listing.find("Push \"total\"#0 \"b\""), std::string::npos) << listing;
    listing = Listing("sum = bb; sum = bb; bb = sum; bb = 1;", true);
    EXPECT_EQ(listing.substr(0, listing.find('\n')), "ConstantPool \"bb\" \"sum\"");
    // Functions use the pool of the block that defines them.
    listing = Listing("function f() { return name + name; } g = name;", true);
    EXPECT_NE(listing.find("  Push \"name\"#0"), std::string::npos) << listing;
}

TEST(Compiler, StringEscapesBecomeUtf8)
{
    EXPECT_EQ(Listing(R"(s = "a\"b\\c\n\t\x41\u00e9\u20ac";)"),
              "Push \"s\" \"a\\\"b\\\\c\\n\\tA\xC3\xA9\xE2\x82\xAC\"\nSetVariable\n");
    // A surrogate pair is one character beyond U+FFFF, four bytes of UTF-8.
    EXPECT_EQ(Listing(R"(s = "\uD83D\uDE00";)"), "Push \"s\" \"\xF0\x9F\x98\x80\"\nSetVariable\n");
    EXPECT_EQ(Listing("s = 'say \"hi\"';"), "Push \"s\" \"say \\\"hi\\\"\"\nSetVariable\n");
}

// Every construct of the language compiles to code the strict checks accept, with no action a
// SWF 6 player lacks (the player tests prove what the code does).
TEST(Compiler, EveryConstructPassesTheStrictChecks)
{
    const char* source = R"(
        #include "lib/helpers.as"
        var a = 1, b, c = [1, "two", {k: 3, "q": [4]}];
        function outer(n) {
            var count = 0;
            function inner() { count += n; return count; }
            return inner;
        }
        var f = function (x, y) { return typeof x == "number" ? x * y : -x; };
        for (var i = 0; i < 10; i++) { if (i % 2) continue; else if (i > 8) break; b = i; }
        for (k in c) { if (k == "0") break; }
        for (var k2 in c) { for (var k3 in c) { if (k3) return2(); else continue; } }
        do { a <<= 1; a >>>= 0; a |= 4; a ^= 1; a &= 7; a >>= 1; a %= 5; a /= 2; a *= 3; a -= 1; } while (a < 100);
        switch (a) { case 1: case "2": b = 2; break; default: b = 3; case 4: b = 4; }
        c[1] += "x"; c.k++; --c[0]; delete c.k; delete c[0]; delete zz;
        b = new Date(2024, 1, 1); b = new _global.Object(); b = new c[1](); b = a instanceof Array;
        b = !a || ~a && +a; b = (a, b, c); b = void 0; b = a === b !== (a != b) >= (a <= b);
        this.x = _root.y + _parent.z;
        trace(a); fscommand("done", a); getURL("http://x", "_blank", "POST"); t = getTimer();
        function withReturnInForIn(o) { for (var p in o) { for (var q in o) { return p + q; } } }
    )";
    CompileResult result = CompileSource(source, "main.as", Files({{"lib/helpers.as", "function return2() {}\n"}}));
    ASSERT_TRUE(result.ok()) << result.error->ToString();
    EXPECT_EQ(CheckActions(result.actions), std::vector<std::string>());
    ASSERT_EQ(result.files.size(), 2u);
    EXPECT_EQ(result.files[1].generic_string(), "lib/helpers.as");
}

TEST(Compiler, ErrorsNameFileLineAndColumn)
{
    EXPECT_EQ(ErrorOf("x = 1;\n  y = ;"), "bad.as:2:7: expected an expression, found ';'");
    EXPECT_EQ(ErrorOf("if (a) {\n b = 1;\n"), "bad.as:3:1: block opened at line 1 is not closed");
    EXPECT_EQ(ErrorOf("s = \"abc\n\";"), "bad.as:1:5: string is not closed on its line");
    EXPECT_EQ(ErrorOf("s = \"\\x4\";"), "bad.as:1:6: \\x needs two hexadecimal digits");
    EXPECT_EQ(ErrorOf("s = \"\\u0000\";"), "bad.as:1:6: a movie string cannot hold the character U+0000");
    EXPECT_EQ(ErrorOf("s = \"a\\0\";"), "bad.as:1:7: a movie string cannot hold the character U+0000");
    EXPECT_EQ(ErrorOf(std::string("s = \"a\\\0\";", 10)), "bad.as:1:7: a movie string cannot hold the character U+0000");
    EXPECT_EQ(ErrorOf(std::string("s = \"a\0\";", 9)), "bad.as:1:7: a movie string cannot hold the character U+0000");
    EXPECT_EQ(ErrorOf("break;"), "bad.as:1:1: 'break' outside a loop or switch");
    EXPECT_EQ(ErrorOf("while (1) { function f() { continue; } }"), "bad.as:1:28: 'continue' outside a loop");
    EXPECT_EQ(ErrorOf("return 1;"), "bad.as:1:1: 'return' outside a function");
    EXPECT_EQ(ErrorOf("1 = a;"), "bad.as:1:3: the left side of '=' cannot be assigned to");
    EXPECT_EQ(ErrorOf("a++ ++;"), "bad.as:1:5: expected ';' after the statement, found '++'");
    EXPECT_EQ(ErrorOf("var new = 1;"), "bad.as:1:5: 'new' is a reserved word and cannot be a variable name");
    EXPECT_EQ(ErrorOf("try { } catch (e) { }"), "bad.as:1:1: 'try' is not supported by the movies this compiler writes");
    EXPECT_EQ(ErrorOf("x = 3in;"), "bad.as:1:6: a name cannot start right after a number");
    EXPECT_EQ(ErrorOf("/* open"), "bad.as:1:1: comment is not closed");
    EXPECT_EQ(ErrorOf("x = @;"), "bad.as:1:5: unexpected character '@'");
    EXPECT_EQ(ErrorOf("switch (a) { default: default: }"), "bad.as:1:23: a switch has only one 'default'");
    EXPECT_EQ(ErrorOf("trace(1, 2);"), "bad.as:1:6: trace takes 1 argument");
}

TEST(Compiler, IncludesResolveAndReportFaultsWhereTheyAre)
{
    auto options = Files({{"a/main.as", "#include \"part.as\"\nx = 1;"},
                          {"a/part.as", "y = 2;\n#include \"shared.as\"\n"},
                          {"lib/shared.as", "z = ;"},
                          {"self.as", "#include \"self.as\""},
                          {"a/ok.as", "#include \"part2.as\"\n"},
                          {"a/part2.as", "w = 1;"}});
    CompileResult result = CompileFile("a/main.as", options);
    ASSERT_FALSE(result.ok());
    EXPECT_EQ(result.error->ToString(), "lib/shared.as:1:5: expected an expression, found ';'");
    EXPECT_EQ(ErrorOf("#include \"self.as\"", options), "self.as:1:1: \"self.as\" includes itself");
    EXPECT_EQ(ErrorOf("#include \"missing.as\"", options), "bad.as:1:1: cannot read the included file \"missing.as\"");
    EXPECT_EQ(ErrorOf("#define X", options), "bad.as:1:1: unknown directive; only #include is supported");
    EXPECT_TRUE(CompileFile("a/ok.as", options).ok());
}

// What the format cannot hold is refused with a message instead of a corrupt movie.
TEST(Compiler, LimitsOfTheFormatAreErrors)
{
    std::string longBody = "function big() {\n";
    for (int i = 0; i < 7000; ++i)
        longBody += "v" + std::to_string(i) + " = 1;\n";
    longBody += "}\n";
    std::string error = ErrorOf(longBody);
    EXPECT_EQ(error.substr(0, 29), "bad.as:1:1: function body is ") << error;
    EXPECT_NE(error.find("more than the 65,535 a function may hold"), std::string::npos) << error;

    std::string longLoop = "while (a) {\n";
    for (int i = 0; i < 3000; ++i)
        longLoop += "v" + std::to_string(i) + " = 1;\n";
    longLoop += "}\n";
    error = ErrorOf(longLoop);
    EXPECT_NE(error.find("more than the 32,767 a branch reaches"), std::string::npos) << error;

    EXPECT_NE(ErrorOf(std::string(300, '(') + "1" + std::string(300, ')') + ";").find("nest too deeply"),
              std::string::npos);
    std::string chain = "x = 1";
    for (int i = 0; i < 2000; ++i)
        chain += " + 1";
    EXPECT_NE(ErrorOf(chain + ";").find("nest too deeply"), std::string::npos);
}
