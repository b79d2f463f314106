#include "FakeModelLink.h"

#include "model/BindingLink.h"
#include "model/CellBinding.h"
#include "model/Parameter.h"
#include "model/ParameterSet.h"
#include "model/XMLDataEntry.h"

#include "swf/ActionList.h"

#include <gtest/gtest.h>

using namespace model;

namespace {

class CellBindingTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        link.SetText(0, 0, "Name");
        link.SetNumber(0, 1, 10);
        link.SetNumber(1, 0, 20);
        link.SetNumber(1, 1, 30);
    }
    FakeModelLink link;
};

std::string PathText(const CBindingLink& l)
{
    return l.GetPath().GetText();
}

} // namespace

TEST_F(CellBindingTest, ScalarMirrorsTheFirstCellAndLinksIt)
{
    CParameter p("value", ParamType::CellBinding);
    CCellBinding& b = *p.GetBinding();
    EXPECT_FALSE(b.IsBound());
    EXPECT_TRUE(p.RefreshFromCells(link.Add(0, 1, 1, 1), false));
    EXPECT_TRUE(b.IsBound());
    EXPECT_EQ(b.GetValue().GetType(), ParamType::Number);
    EXPECT_EQ(p.GetValueText(), "10");
    EXPECT_EQ(b.GetValue().GetVariableId(), FakeModelLink::IdOf(0, 1));
    ASSERT_EQ(b.GetLinkCount(), 1);
    EXPECT_EQ(PathText(*b.GetLink(0)), ".value");
    EXPECT_EQ(b.GetLink(0)->GetModelVariableName(), "V" + std::to_string(FakeModelLink::IdOf(0, 1)));
    EXPECT_GT(link.changes, 0);
    CParameter copy(p);
    ASSERT_EQ(copy.GetBinding()->GetLinkCount(), 1);
    EXPECT_NE(copy.GetBinding()->GetLink(0), b.GetLink(0)) << "a copy gets links of its own";
    EXPECT_EQ(copy.GetBinding()->GetRangePtr(), b.GetRangePtr());

    // Unlinking keeps the last value as a constant.
    b.RefreshParameter(nullptr, false);
    EXPECT_FALSE(b.IsBound());
    EXPECT_EQ(p.GetValueText(), "10");
    EXPECT_EQ(b.GetLinkCount(), 0);
}

TEST_F(CellBindingTest, ListsGetOneElementPerCellOrPerRow)
{
    CParameter labels("labels", ParamType::CellBinding);
    labels.GetBinding()->SetValue(std::make_unique<CParameter>("labels", ParamType::List));
    labels.RefreshFromCells(link.Add(0, 0, 2, 2), false);
    const CParameter& cells = labels.GetBinding()->GetValue();
    ASSERT_EQ(cells.GetElementCount(), 4);
    EXPECT_EQ(cells.GetElement(0)->GetString(), "Name");
    EXPECT_EQ(cells.GetElement(3)->GetDouble(), 30);
    EXPECT_EQ(cells.GetElement(3)->GetName(), "3");
    EXPECT_EQ(PathText(*labels.GetBinding()->GetLink(3)), ".labels.3");

    // A list whose template is a group holds rows of cells.
    auto rowsValue = std::make_unique<CParameter>("data", ParamType::List);
    auto row = std::make_unique<CParameter>("0", ParamType::List);
    rowsValue->GetSet()->SetElementTemplate(std::move(row));
    CParameter data("data", ParamType::CellBinding);
    data.GetBinding()->SetValue(std::move(rowsValue));
    data.RefreshFromCells(link.Add(0, 0, 2, 2), false);
    const CParameter& rows = data.GetBinding()->GetValue();
    ASSERT_EQ(rows.GetElementCount(), 2);
    ASSERT_EQ(rows.GetElement(1)->GetElementCount(), 2);
    EXPECT_EQ(rows.GetElement(1)->GetElement(0)->GetDouble(), 20);
    EXPECT_EQ(PathText(*data.GetBinding()->GetLink(2)), ".data.1.0");

    // Read back without its template (as from an older record), the list keeps its rows.
    CParameter copy(data);
    copy.GetBinding()->GetValue().GetSet()->SetElementTemplate(nullptr);
    copy.RefreshFromCells(link.Add(0, 0, 1, 2), false);
    ASSERT_EQ(copy.GetBinding()->GetValue().GetElementCount(), 1);
    EXPECT_EQ(copy.GetBinding()->GetValue().GetElement(0)->GetElementCount(), 2);

    // One level more: one element per area, each a list of rows.
    auto areasValue = std::make_unique<CParameter>("ranges", ParamType::List);
    auto areaTemplate = std::make_unique<CParameter>("0", ParamType::List);
    areaTemplate->GetSet()->SetElementTemplate(std::make_unique<CParameter>("0", ParamType::List));
    areasValue->GetSet()->SetElementTemplate(std::move(areaTemplate));
    CParameter ranges("ranges", ParamType::CellBinding);
    ranges.GetBinding()->SetValue(std::move(areasValue));
    ranges.RefreshFromCells(link.Add(0, 0, 2, 2), false);
    const CParameter& areas = ranges.GetBinding()->GetValue();
    ASSERT_EQ(areas.GetElementCount(), 1);
    ASSERT_EQ(areas.GetElement(0)->GetElementCount(), 2);
    EXPECT_EQ(areas.GetElement(0)->GetElement(1)->GetElement(1)->GetDouble(), 30);
    EXPECT_EQ(PathText(*ranges.GetBinding()->GetLink(3)), ".ranges.0.1.1");
}

TEST_F(CellBindingTest, SetRangeWritesTextAndClearingEmptiesStrings)
{
    CParameter p("title", ParamType::CellBinding);
    CCellBinding& b = *p.GetBinding();
    const model::RangeHandle* range = link.Add(0, 0, 1, 1);
    b.RefreshParameter(range, false);
    b.SetRange(range);
    EXPECT_EQ(b.GetTexts().GetRangeText(), "R0C0:1x1");
    int before = link.changes;
    b.SetRange(nullptr);
    EXPECT_GT(link.changes, before); // every rebinding invalidates the compiled links
    EXPECT_EQ(b.GetTexts().GetRangeText(), "");
    EXPECT_EQ(b.GetValue().GetString(), "");
    EXPECT_EQ(link.FindRange(*range), 0); // the table's range is untouched
}

TEST_F(CellBindingTest, RangesOfAReplacedTableAreNeverUsed)
{
    CParameter p("value", ParamType::CellBinding);
    CCellBinding& b = *p.GetBinding();
    EXPECT_FALSE(b.TestFirstCell());
    const model::RangeHandle* range = link.Add(1, 1, 1, 1);
    b.SetRange(range);
    b.RefreshParameter(range, false);
    EXPECT_FALSE(b.TestFirstCell());
    link.SetFormula(1, 1);
    EXPECT_TRUE(b.TestFirstCell()) << "the first cell holds a formula";
    CParameter copy(p);

    link.ReplaceTable(); // the fake throws if a freed range is looked up
    for (CCellBinding* binding : {&b, copy.GetBinding()}) {
        EXPECT_FALSE(binding->IsBound());
        EXPECT_EQ(binding->GetRangePtr(), nullptr);
        EXPECT_FALSE(binding->TestFirstCell());
    }
    EXPECT_EQ(b.GetTexts().GetRangeText(), "R1C1:1x1"); // kept for re-linking by text
    EXPECT_EQ(p.GetValueText(), "30");                  // the last value stays

    // Binding again to a range of the new table works as before.
    link.SetNumber(0, 0, 5);
    EXPECT_TRUE(p.RefreshFromCells(link.Add(0, 0, 1, 1), false));
    EXPECT_TRUE(b.IsBound());
    EXPECT_EQ(p.GetValueText(), "5");
}

TEST_F(CellBindingTest, RenamedBindingsWriteUnderTheirNewName)
{
    // Bound elements of an array are renamed by position when copied in; the value the stage
    // shows and the variable the movie writes must carry that name, not the template's.
    CParameter element("template", ParamType::CellBinding);
    element.RefreshFromCells(link.Add(0, 1, 1, 1), false);
    CParameter array("cells", ParamType::Group);
    array.InsertElementCopy(element, -1);
    CParameter* copy = array.InsertElementCopy(element, -1);
    ASSERT_NE(copy, nullptr);
    EXPECT_EQ(copy->GetName(), "1");
    EXPECT_EQ(copy->GetBinding()->GetValue().GetName(), "1");
    ASSERT_EQ(copy->GetBinding()->GetLinkCount(), 1);
    EXPECT_EQ(PathText(*copy->GetBinding()->GetLink(0)), ".1");

    CParameter list("labels", ParamType::CellBinding);
    CParameter& value = list.GetBinding()->GetValue();
    value.SetType(ParamType::List);
    list.RefreshFromCells(link.Add(0, 0, 1, 2), false);
    list.SetName("names");
    EXPECT_EQ(list.GetBinding()->GetValue().GetName(), "names");
    EXPECT_EQ(PathText(*list.GetBinding()->GetLink(1)), ".names.1");
}

TEST_F(CellBindingTest, LinksEmitTheirCopyActions)
{
    CParameter p("value", ParamType::CellBinding);
    p.RefreshFromCells(link.Add(0, 1, 1, 1), false);
    CBindingLink& l = *p.GetBinding()->GetLink(0);
    CActionList none;
    l.EmitActions(none);
    EXPECT_TRUE(none.empty()); // no owner yet
    l.SetOwnerName(std::string(80, 'n'));
    EXPECT_EQ(l.GetOwnerName().size(), 63u);
    // A constant link stores its value into the movie; a formula link reads it back.
    l.SetKind(kLinkConstant);
    CActionList store;
    l.EmitActions(store);
    l.SetKind(kLinkFormula);
    CActionList load;
    l.EmitActions(load);
    EXPECT_FALSE(store.empty());
    EXPECT_FALSE(load.empty());
    EXPECT_NE(store.ToBytes(false), load.ToBytes(false));

    CBindingLink other(CVariablePath(), 5);
    l.AddSameCellLink(&other);
    l.AddSameCellLink(&l); // never related to itself
    l.AddDependentLink(&other);
    EXPECT_EQ(l.GetSameCellLinks().size(), 1u);
    l.ResetValues();
    EXPECT_TRUE(l.GetDependentLinks().empty());
}

TEST_F(CellBindingTest, XmlDataEntryTakesItsNameFromTheNameCell)
{
    CXMLDataEntry entry;
    EXPECT_EQ(entry.GetName(), "");
    entry.SetName("typed");
    entry.RefreshText();
    EXPECT_EQ(entry.GetName(), "typed");
    entry.GetNameBinding().RefreshParameter(link.Add(0, 0, 1, 1), false);
    entry.RefreshText();
    EXPECT_EQ(entry.GetName(), "Name");
}
