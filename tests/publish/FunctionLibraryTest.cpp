#include "publish/FunctionLibrary.h"
#include "publish/ProgramContext.h"

#include "sheet/formula/FunctionLibraryHook.h"
#include "swf/Actions.h"
#include "swf/AssetCipher.h"
#include "swf/SwfDoAction.h"
#include "swf/SwfMovie.h"
#include "swf/SwfRawTag.h"
#include "swf/SwfSprite.h"
#include "swf/SwfTags.h"
#include "swf/SwfWriter.h"
#include "tests/publish/PublishTestSupport.h"
#include "tests/support/TestSupport.h"

#include <gtest/gtest.h>

#include <optional>

namespace {

// Library movies laid out as the asset builder lays out the real one: one sprite per function,
// exported under the function's name, whose DoInitAction holds the function's code.
struct LibraryClip {
    std::string name;
    // The DoInitAction's action body without its closing End; none for a clip without one.
    std::optional<std::vector<uint8_t>> code;
};

// The plain movie file.
std::vector<uint8_t> LibraryMovieBytes(const std::vector<LibraryClip>& clips)
{
    CSwfMovie movie;
    uint16_t id = 1;
    for (const LibraryClip& clip : clips) {
        auto sprite = std::make_unique<CSwfSprite>(id, 1, false);
        sprite->AddTag(std::make_unique<CSwfShowFrame>());
        movie.AddTag(std::move(sprite));
        auto exported = std::make_unique<CSwfExportedSymbol>(id);
        exported->SetName(clip.name);
        movie.AddTag(std::move(exported));
        if (clip.code)
            movie.AddTag(std::make_unique<CSwfDoInitAction>(id, CSwfRawData(*clip.code)));
        ++id;
    }
    movie.AddTag(std::make_unique<CSwfShowFrame>());
    return movie.WriteBytes(20, 20, 12.0, false);
}

// Writes the enciphered asset file.
void WriteLibraryAsset(const std::filesystem::path& file, const std::vector<LibraryClip>& clips)
{
    testsupport::WriteBytes(file, swf::EncipherAsset(LibraryMovieBytes(clips)));
}

// Distinct code per clip: Push "<text>"; Pop.
std::vector<uint8_t> Code(const std::string& text)
{
    CActionList actions;
    actions.Add(std::make_unique<CActionPush>(text));
    actions.Add(std::make_unique<CActionCode>(swf::ActionCode::Pop));
    return actions.ToBytes(false);
}

// The DoAction tag the library writes for a function of that code.
std::vector<uint8_t> DoActionTag(const std::string& text)
{
    std::vector<uint8_t> body = Code(text);
    body.push_back(0);
    swf::Writer out;
    out.Tag(swf::TagCode::DoAction, body);
    return out.Take();
}

std::vector<uint8_t> Written(CFunctionLibrary& library)
{
    swf::Writer out;
    library.Write(out);
    return out.Take();
}

std::vector<uint8_t> Tags(std::initializer_list<std::string> codes)
{
    std::vector<uint8_t> all;
    for (const std::string& code : codes) {
        std::vector<uint8_t> tag = DoActionTag(code);
        all.insert(all.end(), tag.begin(), tag.end());
    }
    return all;
}

std::vector<std::string> Unsupported(const CFunctionLibrary& library)
{
    std::vector<std::string> names;
    for (int i = 0; i < library.GetUnsupportedCount(); ++i)
        names.push_back(library.GetUnsupportedName(i));
    return names;
}

class FunctionLibraryTest : public ::testing::Test {
protected:
    std::unique_ptr<CFunctionLibrary> Load(const std::vector<LibraryClip>& clips)
    {
        WriteLibraryAsset(dir_ / "func.dat", clips);
        return std::make_unique<CFunctionLibrary>((dir_ / "func.dat").string());
    }
    std::unique_ptr<CFunctionLibrary> Standard()
    {
        return Load({{"SUM", Code("sum")}, {"IF", Code("if")}, {"kvAdd", Code("add")}, {"kvEQ", Code("eq")}});
    }
    testsupport::TempDir dir_;
};

TEST_F(FunctionLibraryTest, WritesExactlyTheFunctionsInUseInNameOrder)
{
    auto library = Standard();
    EXPECT_EQ(library->GetFunctionCount(), 4);
    EXPECT_TRUE(Written(*library).empty()); // nothing used yet

    // Three formulas use SUM, one of them goes away again; one uses IF.
    for (int i = 0; i < 3; ++i)
        library->UseFunction("SUM");
    library->UseFunction("IF");
    library->ReleaseFunction("SUM");
    EXPECT_EQ(library->GetUseCount("SUM"), 2);
    EXPECT_EQ(Written(*library), Tags({"if", "sum"}));

    library->ReleaseFunction("IF");
    library->ReleaseFunction("IF"); // unbalanced: stays at zero instead of going negative
    library->UseFunction("IF");
    EXPECT_EQ(library->GetUseCount("IF"), 1);

    library->ResetUsage();
    EXPECT_TRUE(Written(*library).empty());
    EXPECT_EQ(library->GetUseCount("SUM"), 0);
    library->UseFunction("IF");
    EXPECT_EQ(Written(*library), Tags({"if"}));
}

TEST_F(FunctionLibraryTest, UnsupportedNamesAreListedOnceInByteOrder)
{
    auto library = Standard();
    for (int i = 0; i < 3; ++i)
        library->UseFunction("sum");    // differs from SUM only in case
    library->UseFunction("\xC3\x84RA"); // a non-ASCII name sorts after every ASCII one
    library->UseFunction("XLOOKUP");
    library->UseFunction("Sum");
    library->ReleaseFunction("XLOOKUP"); // the user still hears of it
    EXPECT_EQ(Unsupported(*library), (std::vector<std::string>{"Sum", "XLOOKUP", "sum", "\xC3\x84RA"}));
    EXPECT_EQ(library->GetSymbolKind("sum"), 0);
    EXPECT_EQ(library->GetSymbolKind("SUM"), 20);
    EXPECT_TRUE(Written(*library).empty());
    EXPECT_EQ(library->GetUnsupportedName(4), "");

    library->ResetUsage();
    EXPECT_EQ(library->GetUnsupportedCount(), 0);
}

TEST_F(FunctionLibraryTest, OperatorsCountAsTheirFunctionsNeverUnderTheirSymbols)
{
    auto library = Load({{"kvAdd", Code("add")}});
    const char* symbols[] = {"+", "-", "*", "/", ">", "<", "=", "<=", ">=", "<>", "&"};
    for (int kind = 1; kind <= 11; ++kind)
        EXPECT_EQ(library->GetSymbolKind(symbols[kind - 1]), kind) << symbols[kind - 1];
    EXPECT_EQ(library->GetSymbolKind("=>"), 0);

    library->UseFunction("+");
    library->UseFunction("kvAdd");
    library->UseFunction("&"); // the library lacks kvConcat
    EXPECT_EQ(library->GetUseCount("kvAdd"), 2);
    EXPECT_EQ(Unsupported(*library), (std::vector<std::string>{"kvConcat"}));
    library->ReleaseFunction("+");
    EXPECT_EQ(library->GetUseCount("kvAdd"), 1);
}

TEST_F(FunctionLibraryTest, LaterClipOfOneNameWinsAndClipsWithoutCodeDefineNothing)
{
    auto library =
        Load({{"SUM", Code("first")}, {"IF", Code("if")}, {"SUM", Code("second")}, {"EMPTY", std::nullopt}});
    EXPECT_EQ(library->GetFunctionCount(), 2);
    library->UseFunction("SUM");
    library->UseFunction("EMPTY");
    EXPECT_EQ(Written(*library), Tags({"second"}));
    EXPECT_EQ(Unsupported(*library), (std::vector<std::string>{"EMPTY"}));
}

TEST_F(FunctionLibraryTest, MissingOrDamagedFileLeavesTheLibraryEmpty)
{
    std::vector<uint8_t> plain = LibraryMovieBytes({{"SUM", Code("sum")}});
    std::vector<uint8_t> enciphered = swf::EncipherAsset(plain);
    std::vector<uint8_t> truncated(enciphered.begin(), enciphered.begin() + enciphered.size() / 2);
    std::vector<uint8_t> garbage(300, 0x5A);
    struct Case {
        const char* what;
        std::optional<std::vector<uint8_t>> bytes;
    };
    for (const Case& c : {Case{"missing", std::nullopt}, Case{"truncated", truncated},
                          Case{"not enciphered", plain}, Case{"garbage", garbage}}) {
        SCOPED_TRACE(c.what);
        std::filesystem::path file = dir_ / (std::string(c.what) + ".dat");
        if (c.bytes)
            testsupport::WriteBytes(file, *c.bytes);
        CFunctionLibrary library(file.string());
        EXPECT_EQ(library.GetFunctionCount(), 0);
        EXPECT_EQ(library.GetSymbolKind("SUM"), 0);
        library.UseFunction("SUM");
        EXPECT_EQ(Unsupported(library), (std::vector<std::string>{"SUM"}));
        EXPECT_TRUE(Written(library).empty());
    }
}

// An installation without its library still gives the program one, empty, and the reason to
// tell the user; a readable library gives no reason.
TEST_F(FunctionLibraryTest, TheContextLoadsAMissingLibraryEmptyAndSaysWhy)
{
    CProgramContext context(dir_.path());
    CProgramContext::Scope use(context);
    const std::string missing = context.LoadFunctionLibrary();
    EXPECT_NE(missing.find("func.dat: the function library is missing"), std::string::npos) << missing;
    ASSERT_NE(GetFunctionLibrary(), nullptr);
    EXPECT_EQ(GetFunctionLibrary()->GetFunctionCount(), 0);

    std::filesystem::create_directories(dir_ / "asset");
    WriteLibraryAsset(dir_ / "asset" / "func.dat", {{"SUM", Code("sum")}});
    EXPECT_EQ(context.LoadFunctionLibrary(), "");
    EXPECT_EQ(GetFunctionLibrary()->GetSymbolKind("SUM"), 20);

    testsupport::WriteBytes(dir_ / "asset" / "func.dat", std::vector<uint8_t>(300, 0x5A));
    EXPECT_NE(context.LoadFunctionLibrary().find("cannot be read"), std::string::npos);
}

TEST_F(FunctionLibraryTest, ModelCompiledByTheBaseMovieRegistersItsFunctions)
{
    publishtest::BaseMovieFixture base;
    EXPECT_EQ(GetFunctionLibrary(), nullptr);
    CFunctionLibrary* library = base.context.SetFunctionLibrary(Standard());
    EXPECT_EQ(GetFunctionLibrary(), library);
    base.Number("A1", 1);
    base.Formula("B1", "SUM(A1,2)+A1");
    base.Formula("C1", "IF(A1=1,SUM(A1),0)");
    base.Formula("D1", "NOPE(A1)&\"x\"");
    base.Compile({"B1", "C1", "D1"}, {});
    EXPECT_EQ(library->GetUseCount("SUM"), 2);
    EXPECT_EQ(library->GetUseCount("kvAdd"), 1);
    EXPECT_EQ(Unsupported(*library), (std::vector<std::string>{"NOPE", "kvConcat"}));
    EXPECT_EQ(Written(*library), Tags({"if", "sum", "add", "eq"}));

    // Dropping the model drops its uses and its unsupported names.
    base.movie->ResetModel();
    EXPECT_TRUE(Written(*library).empty());
    EXPECT_EQ(library->GetUnsupportedCount(), 0);

    // Gone with the library: formulas compiled afterwards reach the stand-in, not freed memory.
    base.context.SetFunctionLibrary(nullptr);
    EXPECT_EQ(GetFunctionLibrary(), nullptr);
    EXPECT_EQ(GetFunctionLibraryHook().GetSymbolKind("SUM"), 0);
}

} // namespace
