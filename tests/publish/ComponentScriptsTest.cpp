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

// A function of the movie holds at most 65535 bytes: the links of a component bound to thousands
// of cells go into member functions of the clip, each defined by a statement of its own, and
// updateVars and updateCalc call them in order. Every link is written once.
TEST_F(ComponentScripts, AComponentBoundToThousandsOfCellsIsSplitIntoFunctionsThatFit)
{
    constexpr int kRows = 3000;
    for (int row = 1; row <= kRows; ++row) {
        Number("A" + std::to_string(row), row);
        Formula("B" + std::to_string(row), "A" + std::to_string(row) + "*2");
    }
    Dashboard box("box_1", "KVListBoxSymbol");
    box.Bind("labels", Range("A1", "A" + std::to_string(kRows)), true);
    box.Bind("values", Range("B1", "B" + std::to_string(kRows)), true);
    Publish({&box.component});

    std::vector<CActionList> statements;
    box.component.BuildActionStatements(statements);
    ASSERT_GT(statements.size(), 4u);
    for (const CActionList& statement : statements)
        EXPECT_LE(statement.ToBytes(false).size(), 65535u);

    const std::string script = Script(box.component);
    for (const char* call : {"kvUpdateVars1", "kvUpdateVars2", "kvUpdateCalc1", "kvUpdateCalc2"})
        EXPECT_NE(script.find("  Push \"box_1\"\n  GetVariable\n  Push \"" + std::string(call) + "\"\n  CallMethod\n"),
                  std::string::npos)
            << call;
    // Each piece of updateCalc reads with the clip as its target.
    const std::size_t pieces = statements.size() - 1;
    std::size_t targets = 0;
    for (std::size_t at = script.find("SetTarget2"); at != std::string::npos; at = script.find("SetTarget2", at + 1))
        ++targets;
    EXPECT_LT(targets, pieces);
    EXPECT_GE(targets, 2u);
    for (const std::string cell : {"A1", "A1500", "A3000"}) {
        const std::string store = "Push \"" + V(cell) + "\"\n  Push \"this\"";
        EXPECT_EQ(script.find(store), script.rfind(store)) << cell;
        EXPECT_NE(script.find(store), std::string::npos) << cell;
    }
    for (const std::string cell : {"B1", "B3000"}) {
        const std::string load = "Push \"../:" + V(cell) + "\"";
        EXPECT_NE(script.find(load), std::string::npos) << cell;
        EXPECT_EQ(script.find(load), script.rfind(load)) << cell;
    }
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
