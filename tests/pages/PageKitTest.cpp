// The rules the property pages share: typed text to values, the text a linked-or-typed edit
// shows, the keys a component may use for one value, and the help movie names.

#include "model/CellBinding.h"
#include "model/Parameter.h"
#include "model/ParameterSet.h"
#include "model/ValueList.h"
#include "pages/HelpMovies.h"
#include "pages/PageKit.h"

#include <gtest/gtest.h>

#include <cmath>
#include <memory>

using model::ParamType;

namespace {

std::unique_ptr<CParameter> Param(const char* name, ParamType type)
{
    return std::make_unique<CParameter>(name, type);
}

std::unique_ptr<CParameter> Choice(const char* name, const std::string& current)
{
    CParameter choice(name, ParamType::Choice);
    choice.GetValueList()->GetPrototype().SetString(current, true);
    return std::make_unique<CParameter>(choice);
}

TEST(PageKitTest, TypedTextBecomesValuesAsTheCLibraryReadsThem)
{
    struct Case {
        const char* text;
        std::int32_t integer;
        double number;
    };
    const Case cases[] = {
        {"42", 42, 42},        {"  -7x", -7, -7},   {"3.75", 3, 3.75},         {"abc", 0, 0},
        {"", 0, 0},            {"1e3", 1, 1000},    {"+12", 12, 12},           {"99999999999", INT32_MAX, 99999999999.0},
        {"-99999999999", INT32_MIN, -99999999999.0},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(pages::ParseInt(c.text), c.integer) << c.text;
        EXPECT_DOUBLE_EQ(pages::ParseDouble(c.text), c.number) << c.text;
    }
}

TEST(PageKitTest, StoringTypedTextFollowsTheParameterType)
{
    struct Case {
        ParamType type;
        const char* text;
        const char* shown; // the value text afterwards
    };
    const Case cases[] = {
        {ParamType::Text, "", ""},
        {ParamType::Text, "Sales", "Sales"},
        {ParamType::Number, "2.5", "2.5"},
        {ParamType::Number, "", "undefined"},
        {ParamType::Integer, "17", "17"},
        {ParamType::Integer, "", "undefined"},
        {ParamType::Boolean, "FALSE", "false"},
        {ParamType::Boolean, "false", "true"}, // only the exact word clears it
        {ParamType::Boolean, "", "true"},
    };
    for (const Case& c : cases) {
        CParameter p("p", c.type);
        pages::StoreTyped(p, c.text);
        EXPECT_EQ(p.GetValueText(), c.shown) << static_cast<int>(c.type) << " " << c.text;
        EXPECT_EQ(p.GetType(), c.type);
    }
}

TEST(PageKitTest, ShownTextOfLinkedAndTypedValues)
{
    CParameter linked("mv", ParamType::CellBinding);
    linked.GetBinding()->GetValue().SetDouble(12.5, true);
    EXPECT_EQ(pages::ShownText(&linked), "12.5"); // unbound: the value it holds

    linked.GetBinding()->GetTexts().rangeText = "Sheet1!$B$2";
    EXPECT_EQ(pages::ShownText(&linked), "12.5"); // a text without a range is not a link

    CParameter plain("label", ParamType::Text);
    plain.SetString("Open");
    EXPECT_EQ(pages::ShownText(&plain), "Open");
    EXPECT_EQ(pages::ShownText(Choice("align", "center").get()), "center");
    EXPECT_EQ(pages::ShownText(nullptr), "");

    // Typed text goes into a binding's value, never into the binding parameter itself.
    EXPECT_EQ(pages::TypedTarget(&linked), &linked.GetBinding()->GetValue());
    EXPECT_EQ(pages::TypedTarget(&plain), &plain);
}

TEST(PageKitTest, AlternativeKeysAndTypedLookups)
{
    CParameterSet set;
    set.Add(Param("insertInto", ParamType::CellBinding));
    set.Add(Param("size", ParamType::Number));
    auto flag = Param("insertLoad", ParamType::Boolean);
    flag->SetBool(true);
    set.Add(std::move(flag));

    EXPECT_EQ(pages::FindFirst(&set, {"labelValue", "insertInto"})->GetName(), "insertInto");
    EXPECT_EQ(pages::FindFirst(&set, {"labelValue", "text"}), nullptr);
    EXPECT_EQ(pages::FindFirst(nullptr, {"size"}), nullptr);
    // A parameter of the right name but another type does not count.
    EXPECT_EQ(pages::FindTyped(&set, "size", static_cast<int>(ParamType::Integer)), nullptr);
    EXPECT_NE(pages::FindTyped(&set, "size", static_cast<int>(ParamType::Number)), nullptr);
    EXPECT_TRUE(pages::BoolOf(&set, "insertLoad"));
    EXPECT_FALSE(pages::BoolOf(&set, "missing"));
}

TEST(PageKitTest, HelpMovieNames)
{
    struct Case {
        const char* symbol;
        const char* variant;
        const char* tutorial;
        const char* window;
    };
    const Case cases[] = {
        {"KVGaugeSymbol", "", "asset/help/KVGaugeSymbol.swf", "asset/help/KVGaugeSymbol.swf"},
        // The page keeps the whole variant, the window only its first word.
        {"KVDialSymbol", "by row", "asset/help/KVDialSymbol_by row.swf", "asset/help/KVDialSymbol_by.swf"},
        // The page cuts the symbol at its first "_".
        {"KVPie_2", "", "asset/help/KVPie.swf", "asset/help/KVPie_2.swf"},
        // A variant that would leave the help folder falls back to the plain movie.
        {"KVDialSymbol", "../../etc", "asset/help/KVDialSymbol.swf", "asset/help/KVDialSymbol.swf"},
        {"KVDialSymbol", "a\\b", "asset/help/KVDialSymbol.swf", "asset/help/KVDialSymbol.swf"},
        // A symbol that cannot be a file name gives no movie at all.
        {"../x", "", "", ""},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(pages::TutorialMoviePath(c.symbol, c.variant), c.tutorial) << c.symbol << " " << c.variant;
        EXPECT_EQ(pages::HelpWindowMoviePath(c.symbol, c.variant), c.window) << c.symbol << " " << c.variant;
    }
}

TEST(PageKitTest, HelpMovieVariantComesFromAChoiceOnly)
{
    CParameterSet set;
    set.Add(Choice("playBy", "column"));
    EXPECT_EQ(pages::HelpMovieVariant(&set, true), "column");
    EXPECT_EQ(pages::HelpMovieVariant(&set, false), ""); // the Tutorial page ignores "playBy"

    auto text = Param("retInfo", ParamType::Text);
    text->SetString("row");
    set.Add(std::move(text));
    // A "retInfo" of another type hides "playBy" and gives no variant.
    EXPECT_EQ(pages::HelpMovieVariant(&set, true), "");
}

} // namespace
