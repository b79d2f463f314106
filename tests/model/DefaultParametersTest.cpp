#include "base/ModelError.h"
#include "model/DefaultParameters.h"
#include "model/CellBinding.h"
#include "model/ValueList.h"

#include <gtest/gtest.h>

using namespace model;

namespace {

const char* const kSlider = R"(<?xml version="1.0"?>
<component symbol="KVSliderHSymbol" label="Horizontal Slider" category="Single Value" scaling="1"
           xmin="-100" xmax="2900" ymin="0" ymax="600">
  <description>Drag to set a value.</description>
  <group name="General" subtype="singleValue" label="General">
    <param name="title" value="Slider" label="Title"/>
    <param name="minimum" type="1" value="0.5" min="0" max="100" step="0.5" format="#.#"/>
    <param name="live" type="2" value="true" flags="0"/>
    <param name="color" type="4" value="0xFF8800"/>
    <param name="mode" type="6" integer="true" value="2"><choice>1</choice><choice>2</choice></param>
    <param name="value" type="8" direction="input" option="1"><bound type="1" value="3"/></param>
    <param name="labels" type="5" subtype="formatArray">
      <template type="0" value="label"/>
      <param name="0" value="first"/>
    </param>
    <group name="Nested"><param name="deep" type="3" value="-4"/></group>
  </group>
</component>
)";

} // namespace

TEST(DefaultParameters, ReadsEveryKindOfParameter)
{
    ComponentDefaults d = ReadDefaultParameters(kSlider);
    EXPECT_EQ(d.symbol, "KVSliderHSymbol");
    EXPECT_EQ(d.label, "Horizontal Slider");
    EXPECT_EQ(d.category, "Single Value");
    EXPECT_EQ(d.description, "Drag to set a value.");
    EXPECT_EQ(d.scalingMode, 1);
    ASSERT_TRUE(d.bounds);
    EXPECT_EQ((*d.bounds)[0], -100);

    CParameter* general = d.parameters->FindParameter("General");
    ASSERT_NE(general, nullptr);
    EXPECT_EQ(general->GetType(), ParamType::Group);
    const CParameterSet& g = *general->GetSet();
    EXPECT_EQ(g.GetPageKind(), kPageSingleValue);
    EXPECT_EQ(g.FindParameter("title")->GetString(), "Slider");
    EXPECT_EQ(g.FindParameter("minimum")->GetRange()->step, 0.5);
    EXPECT_EQ(g.FindParameter("minimum")->GetFormat(), std::optional<std::string>("#.#"));
    EXPECT_FALSE(g.FindParameter("live")->IsEnabled());
    EXPECT_EQ(g.FindParameter("color")->GetColor(), 0xFF8800u);
    CValueList& choice = *g.FindParameter("mode")->GetValueList();
    EXPECT_TRUE(choice.IsInteger());
    EXPECT_EQ(choice.GetCount(), 2);
    EXPECT_EQ(choice.GetPrototype().GetInt(), 2);
    CCellBinding& binding = *g.FindParameter("value")->GetBinding();
    EXPECT_EQ(binding.GetDirection(), kDirectionInput);
    EXPECT_EQ(binding.GetOption(), 1);
    EXPECT_EQ(binding.GetValue().GetName(), "value");
    EXPECT_EQ(binding.GetValue().GetDouble(), 3);
    CParameter* labels = g.FindParameter("labels");
    EXPECT_EQ(labels->GetSet()->GetPageKind(), kPageFormatArray);
    EXPECT_EQ(labels->GetGroupTemplate()->GetString(), "label");
    EXPECT_EQ(g.FindParameter("Nested")->GetSet()->FindParameter("deep")->GetInt(), -4);
}

TEST(DefaultParameters, WriterIsTheReadersMirror)
{
    ComponentDefaults d = ReadDefaultParameters(kSlider);
    std::string written = WriteDefaultParameters(d);
    ComponentDefaults back = ReadDefaultParameters(written);
    EXPECT_EQ(WriteDefaultParameters(back), written);
    EXPECT_EQ(back.bounds, d.bounds);
}

// Traits are the words of one attribute, however spaced, and are written back as read.
TEST(DefaultParameters, TraitsAreTheWordsOfTheirAttribute)
{
    const ComponentDefaults none = ReadDefaultParameters(kSlider);
    EXPECT_TRUE(none.traits.empty());
    EXPECT_EQ(WriteDefaultParameters(none).find("traits"), std::string::npos);

    const ComponentDefaults d =
        ReadDefaultParameters(R"(<component symbol="KVT" traits="  table   line "/>)");
    EXPECT_EQ(d.traits, (std::vector<std::string>{"table", "line"}));
    EXPECT_EQ(ReadDefaultParameters(WriteDefaultParameters(d)).traits, d.traits);
}

TEST(DefaultParameters, ErrorsNameTheElement)
{
    const std::pair<const char*, const char*> cases[] = {
        {"<component symbol=\"S\"><param name=\"p\" type=\"14\"/></component>", "S/p@type"},
        {"<component symbol=\"S\"><param name=\"p\" type=\"1\" value=\"1,5\"/></component>", "S/p@value"},
        {"<component symbol=\"S\"><group name=\"g\" subtype=\"nope\"/></component>", "subtype"},
        {"<component symbol=\"S\"><param name=\"b\" type=\"8\" direction=\"up\"/></component>", "direction"},
        {"<component symbol=\"S\"><param name=\"c\" type=\"6\" integer=\"1\" value=\"x\"/></component>",
         "choice"},
        {"<component symbol=\"S\"><param name=\"c\" type=\"4\" value=\"0x1000000\"/></component>",
         "S/c@value"},
        {"<component/>", "no symbol"},
        {"<other/>", "no component"},
        {"<component symbol=", "offset"},
    };
    for (const auto& [xml, expected] : cases) {
        try {
            ReadDefaultParameters(xml);
            ADD_FAILURE() << xml;
        } catch (const ModelError& e) {
            EXPECT_NE(std::string(e.what()).find(expected), std::string::npos) << e.what();
        }
    }
    std::string deep = "<component symbol=\"S\">";
    for (int i = 0; i < 100; ++i) {
        deep += "<group name=\"g\">";
    }
    for (int i = 0; i < 100; ++i) {
        deep += "</group>";
    }
    try {
        ReadDefaultParameters(deep + "</component>");
        ADD_FAILURE() << "deep nesting accepted";
    } catch (const ModelError& e) {
        EXPECT_NE(std::string(e.what()).find("nested too deeply"), std::string::npos) << e.what();
    }
    EXPECT_THROW(ReadDefaultParametersFile("/nonexistent/file.xml"), ModelError);
}
