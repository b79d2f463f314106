#include "publish/ComponentScripts.h"

#include "model/BindingLink.h"
#include "publish/CompileModel.h"
#include "swf/ActionList.h"
#include "tests/publish/PublishTestSupport.h"
#include "tools/actionscript/Disassembler.h"

#include <gtest/gtest.h>

namespace {

using publishtest::Dashboard;

struct ComponentScripts : publishtest::LinkedModelFixture, ::testing::Test {
    ComponentScripts() { context.SetComponentScripts(&GetComponentScriptGenerator()); }

    std::string Script(CComponent& component)
    {
        CActionList actions;
        component.BuildActionScript(actions);
        return actionscript::Disassemble(actions.ToBytes(false));
    }
    std::string V(const std::string& a1) { return "V" + std::to_string(Id(a1)); }
    void Publish(std::vector<CComponent*> components)
    {
        movie->SetModelChanged();
        CompileModel(*movie, components);
        ASSERT_FALSE(movie->IsModelChanged());
    }
};

TEST_F(ComponentScripts, ComponentWithoutLinksOnlyMarksTheModelDirty)
{
    Dashboard label("label_1");
    Publish({&label.component});
    EXPECT_EQ(Script(label.component),
              "Push 0\nPush \"label_1\"\nGetVariable\nPush \"saveDefaults\"\nCallMethod\nPop\n"
              "Push 0\nPush \"label_1\"\nGetVariable\nPush \"mc\"\nCallMethod\nPop\n"
              "Push \"label_1\"\nGetVariable\nPush \"updateVars\"\n"
              "DefineFunction \"\" () {\n"
              "  Push \"mgr\"\n  GetVariable\n  Push \"calcDirty\"\n  Push true\n  SetMember\n"
              "}\n"
              "SetMember\n"
              "Push \"label_1\"\nGetVariable\nPush \"updateCalc\"\n"
              "DefineFunction \"\" () {\n"
              "  Push \"label_1\"\n  SetTarget2\n  SetTarget \"\"\n"
              "}\n"
              "SetMember\n");

    CActionList init;
    label.component.EmitModelInitCall(init);
    EXPECT_EQ(actionscript::Disassemble(init.ToBytes(false)),
              "Push 0\nPush \"label_1\"\nGetVariable\nPush \"modelInit\"\nCallMethod\nPop\n");
}

TEST_F(ComponentScripts, InputsWriteTheirCellAndEveryComponentBoundToItShowsTheResult)
{
    Number("A1", 10);
    Formula("C1", "A1*2");
    Dashboard slider("slider_1", "KVSliderHSymbol");
    Dashboard gauge("gauge_1");
    slider.Bind("value", Range("A1", "A1"));
    gauge.Bind("input", Range("A1", "A1"));
    gauge.Bind("value", Range("C1", "C1"));
    Publish({&slider.component, &gauge.component});

    const std::string input = Script(slider.component);
    // updateVars: V<A1> = this.value, the gauge's own field bound to A1 follows at once, the
    // gauge (which shows a formula of A1) redraws and recalculates, and so does the model.
    const std::string store =
        "Push \"" + V("A1") +
        "\"\n  Push \"this\"\n  GetVariable\n  Push \"value\"\n  GetMember\n"
        "  SetVariable\n"
        "  Push \"gauge_1\"\n  GetVariable\n  Push \"input\"\n  Push \"" +
        V("A1") +
        "\"\n"
        "  GetVariable\n  SetMember\n"
        "  Push 0\n  Push \"gauge_1\"\n  GetVariable\n  Push \"mc\"\n  CallMethod\n  Pop\n"
        "  Push \"gauge_1\"\n  GetVariable\n  Push \"calcDirty\"\n  Push true\n  SetMember\n"
        "  Push \"mgr\"\n  GetVariable\n  Push \"calcDirty\"\n  Push true\n  SetMember\n";
    EXPECT_NE(input.find(store), std::string::npos) << input;
    EXPECT_EQ(input.find("addOutputComponent"), std::string::npos);

    // The gauge shows C1: it reads the model variable from the main timeline and registers as
    // an output of the manager.
    const std::string output = Script(gauge.component);
    EXPECT_NE(output.find("  Push \"gauge_1\"\n  SetTarget2\n  Push \"value\"\n  Push \"../:" + V("C1") +
                          "\"\n  GetVariable\n  SetVariable\n  SetTarget \"\"\n"),
              std::string::npos)
        << output;
    EXPECT_NE(output.find("Push \"gauge_1\"\nGetVariable\nPush 1\nPush \"mgr\"\nGetVariable\n"
                          "Push \"addOutputComponent\"\nCallMethod\nPop\n"),
              std::string::npos);
}

TEST_F(ComponentScripts, ChartsWriteNothingBack)
{
    Number("A1", 10);
    Dashboard chart("chart_1", "KVColumnChartSymbol");
    chart.group->Add(std::make_unique<CParameter>("chartType", model::ParamType::Integer));
    chart.Bind("value", Range("A1", "A1"));
    Publish({&chart.component});
    ASSERT_EQ(movie->GetConstantLinks().size(), 1u);
    const std::string script = Script(chart.component);
    EXPECT_EQ(script.find("updateVars"), std::string::npos);
    EXPECT_NE(script.find("updateCalc"), std::string::npos);
}

TEST_F(ComponentScripts, LinksThatTieNothingAreSkipped)
{
    Number("A1", 10);
    Number("A2", 20);
    Dashboard slider("slider_1");
    slider.Bind("value", Range("A1", "A1"));
    slider.Bind("low", Range("A2", "A2"));
    Publish({&slider.component});
    ASSERT_EQ(movie->GetConstantLinks().size(), 2u);
    // A link of sub-kind 2 only receives; one without a path has no field to read.
    movie->FindConstantLink(Id("A1"))->SetSubKind(2);
    movie->FindConstantLink(Id("A2"))->SetPath(CVariablePath());
    const std::string script = Script(slider.component);
    EXPECT_EQ(script.find(V("A1")), std::string::npos);
    EXPECT_EQ(script.find(V("A2")), std::string::npos);

    CActionList actions;
    EmitLinkLoad(*movie->FindConstantLink(Id("A2")), actions);
    EmitLinkStore(*movie->FindConstantLink(Id("A2")), actions);
    EXPECT_TRUE(actions.empty());
}

TEST_F(ComponentScripts, OtherComponentsAreVisitedInNameOrder)
{
    Number("A1", 10);
    Dashboard first("b_1"), second("c_1"), third("a_1");
    for (Dashboard* dashboard : {&first, &second, &third})
        dashboard->Bind("value", Range("A1", "A1"));
    Publish({&first.component, &second.component, &third.component});
    const std::string script = Script(first.component);
    const std::size_t a = script.find("Push \"a_1\"\n  GetVariable\n  Push \"calcDirty\"");
    const std::size_t c = script.find("Push \"c_1\"\n  GetVariable\n  Push \"calcDirty\"");
    ASSERT_NE(a, std::string::npos) << script;
    ASSERT_NE(c, std::string::npos);
    EXPECT_LT(a, c);
}

} // namespace
