#include "publish/DocDescription.h"

#include <gtest/gtest.h>

using publish::DescriptionError;
using publish::ReadDocDescription;

namespace {

json::Value Json(const std::string& text)
{
    json::Error error;
    auto value = json::Parse(text, &error);
    EXPECT_TRUE(value) << error.ToString();
    return value ? *value : json::Value{};
}

TEST(DocDescription, ReadsEveryPartInDocumentUnits)
{
    publish::DocDescription d = ReadDocDescription(Json(R"({
        "workbook": "book.xlsx", "modelSource": "C:\\data\\book.xlsx",
        "canvas": {"width": 800, "height": 600, "paper": "#102030"},
        "description": "Sales", "catalogVariant": 1,
        "components": [
            {"symbol": "KVGaugeSymbol", "x": 10, "y": -5, "width": 100, "height": 50,
             "parameters": {"General": {"title": "T"}}},
            {"symbol": "KVLabelSymbol", "name": "Label", "x": 0, "y": 0, "width": 1, "height": 1,
             "enabled": false}],
        "groups": [[1, 0]],
        "rangeEntries": [{"name": "Sales", "range": "Sheet1!A1:B2"}, {"name": "None"}],
        "exportSettings": {"mode": "webService", "url": "http://x", "refreshSeconds": 30},
        "files": [{"name": "logo.jpg", "path": "/abs/logo.jpg"}],
        "customColors": ["#FF0000", "0x0000ff"]
    })"),
                                                   "/docs");
    EXPECT_EQ(d.workbook, "/docs/book.xlsx");
    EXPECT_EQ(d.modelSource, "C:\\data\\book.xlsx");
    EXPECT_EQ(d.paper, (std::array<std::uint8_t, 3>{0x10, 0x20, 0x30}));
    ASSERT_EQ(d.components.size(), 2u);
    // Pixels on the canvas are twips in the document.
    EXPECT_EQ(d.components[0].rect, (ComponentRect{200, -100, 2200, 900}));
    EXPECT_EQ(d.components[0].parameters.kind, json::Kind::Object);
    EXPECT_FALSE(d.components[1].enabled);
    EXPECT_EQ(d.groups, (std::vector<std::vector<std::size_t>>{{1, 0}}));
    EXPECT_EQ(d.rangeEntries[1].range, "");
    EXPECT_EQ(d.exportSettings->mode, 8);
    EXPECT_EQ(d.exportSettings->refreshSeconds, 30);
    EXPECT_EQ(d.files[0].path, "/abs/logo.jpg");
    // The table holds the colour dialogs' form, red in the low byte.
    EXPECT_EQ((*d.customColors)[0], 0x0000FFu);
    EXPECT_EQ((*d.customColors)[1], 0xFF0000u);
    EXPECT_EQ((*d.customColors)[2], publish::kUnusedCustomColor);
}

TEST(DocDescription, MistakesAreNamedByTheirPlace)
{
    const std::pair<const char*, const char*> cases[] = {
        {R"({})", "description: \"canvas\" is missing"},
        {R"({"canvas": {"width": 8, "height": 6}, "colour": 1})", "description: unknown key \"colour\""},
        {R"({"canvas": {"width": 8.5, "height": 6}})", "description.canvas.width: expected a whole number"},
        {R"({"canvas": {"width": 8, "height": 6, "paper": "red"}})",
         "description.canvas.paper: expected a colour"},
        {R"({"canvas": {"width": 8, "height": 6}, "components": [{"symbol": "S", "x": 0, "y": 0,
             "width": 5}]})",
         "description.components[0]: \"height\" is missing"},
        {R"({"canvas": {"width": 8, "height": 6}, "components": [{"symbol": "S", "x": 0, "y": 0,
             "width": 5, "height": 5}], "groups": [[0, 0]]})",
         "description.groups[0][1]: component 0 is already in a group"},
        {R"({"canvas": {"width": 8, "height": 6}, "groups": [[0, 1]]})",
         "description.groups[0][0]: there are"},
        {R"({"canvas": {"width": 8, "height": 6}, "exportSettings": {"mode": "ftp"}})",
         "description.exportSettings.mode: expected"},
        {R"({"canvas": {"width": 8, "height": 6}, "customColors": [)"
         R"("#000000","#000000","#000000","#000000","#000000","#000000","#000000","#000000",)"
         R"("#000000","#000000","#000000","#000000","#000000","#000000","#000000","#000000","#000000"]})",
         "description.customColors: at most 16"},
        // The canvas is no larger than the designer offers, so its stage in twips fits.
        {R"({"canvas": {"width": 2147483647, "height": 6}})", "description.canvas.width: expected a whole number from 1 to 1630"},
        {R"({"canvas": {"width": 0, "height": 6}})", "description.canvas.width: expected a whole number from 1"},
        {R"({"canvas": {"width": 8, "height": -2147483648}})", "description.canvas.height: expected a whole number"},
        // Names the movie could not reach, or that its own variables hold.
        {R"({"canvas": {"width": 8, "height": 6}, "components": [{"symbol": "S", "name": "Sales.Total",
             "x": 0, "y": 0, "width": 5, "height": 5}]})", "description.components[0].name: a name is a letter"},
        {R"({"canvas": {"width": 8, "height": 6}, "components": [{"symbol": "S", "name": "Rate:Pct",
             "x": 0, "y": 0, "width": 5, "height": 5}]})", "description.components[0].name: a name is a letter"},
        {R"({"canvas": {"width": 8, "height": 6}, "components": [{"symbol": "S", "name": "v1",
             "x": 0, "y": 0, "width": 5, "height": 5}]})", "description.components[0].name: V and A followed by digits"},
        {R"({"canvas": {"width": 8, "height": 6}, "components": [{"symbol": "S", "name": "kvCalc",
             "x": 0, "y": 0, "width": 5, "height": 5}]})", "description.components[0].name: names beginning with kv"},
        {R"({"canvas": {"width": 8, "height": 6}, "components": [{"symbol": "S", "name": "A\u0000b",
             "x": 0, "y": 0, "width": 5, "height": 5}]})", "description.components[0].name: a name is a letter"},
        {R"({"canvas": {"width": 8, "height": 6}, "components": [{"symbol": "S", "name": "_root",
             "x": 0, "y": 0, "width": 5, "height": 5}]})", "description.components[0].name: the movie already uses"},
        {R"({"canvas": {"width": 8, "height": 6}, "components": [
             {"symbol": "S", "name": "Total", "x": 0, "y": 0, "width": 5, "height": 5},
             {"symbol": "S", "name": "TOTAL", "x": 0, "y": 0, "width": 5, "height": 5}]})",
         "description.components[1].name: \"TOTAL\": another component has this name"},
        // Later messages about a component name it.
        {R"({"canvas": {"width": 8, "height": 6}, "components": [{"symbol": "S", "name": "Total",
             "x": 0, "y": 0, "width": 5, "height": 5, "enabled": 1}]})",
         "description.components[0] (Total).enabled: expected"},
    };
    for (const auto& [text, message] : cases) {
        try {
            ReadDocDescription(Json(text), "/");
            ADD_FAILURE() << "accepted " << text;
        } catch (const DescriptionError& error) {
            EXPECT_EQ(std::string(error.what()).rfind(message, 0), 0u) << error.what();
        }
    }
}

} // namespace
