#include "publish/StaticDataTable.h"

#include "model/CellBinding.h"
#include "model/Component.h"
#include "model/Parameter.h"
#include "model/ParameterKinds.h"
#include "model/ParameterSet.h"
#include "sheet/cells/Range.h"
#include "swf/ActionList.h"
#include "swf/Actions.h"
#include "tests/support/ActionText.h"

#include <gtest/gtest.h>

#include <initializer_list>

namespace {

using namespace model;

const std::string kEmptyTable = "push 'STATIC'; push 0; initobject; setvar";

std::unique_ptr<CParameter> Field(const std::string& name, int32_t variableId)
{
    auto field = std::make_unique<CParameter>(name, ParamType::Text);
    field->SetVariableId(variableId);
    return field;
}

std::unique_ptr<CParameter> List(const std::string& name, model::ParamType type,
                                 std::vector<std::unique_ptr<CParameter>> items)
{
    auto list = std::make_unique<CParameter>(name, type);
    for (auto& item : items)
        list->GetSet()->Add(std::move(item));
    return list;
}

template <typename... Parameters> std::vector<std::unique_ptr<CParameter>> Items(Parameters... items)
{
    std::vector<std::unique_ptr<CParameter>> list;
    (list.push_back(std::move(items)), ...);
    return list;
}

class StaticDataTableTest : public ::testing::Test {
protected:
    // A binding parameter with its bound value; bound to a range unless range is false.
    std::unique_ptr<CParameter> Binding(std::unique_ptr<CParameter> value, int direction, bool bound = true)
    {
        auto binding = std::make_unique<CParameter>(value->GetName(), ParamType::CellBinding);
        binding->GetBinding()->SetValue(std::move(value));
        binding->GetBinding()->SetDirection(direction);
        if (bound)
            binding->GetBinding()->SetRange(&range_);
        return binding;
    }
    CComponent* Component(const std::string& name, std::vector<std::unique_ptr<CParameter>> groups)
    {
        auto component = std::make_unique<CSwfComponent>(nullptr);
        component->SetName(name);
        auto set = std::make_unique<CParameterSet>();
        for (auto& group : groups)
            set->Add(std::move(group));
        component->SetParameters(std::move(set));
        components_.push_back(std::move(component));
        return components_.back().get();
    }
    std::string Export()
    {
        std::vector<CComponent*> list;
        for (auto& component : components_)
            list.push_back(component.get());
        CActionList actions;
        ExportSeriesArrays(list, actions);
        return testsupport::ActionText(actions);
    }

    CRange range_;
    std::vector<std::unique_ptr<CComponent>> components_;
};

TEST_F(StaticDataTableTest, LiveBindingsLeaveTheTableEmpty)
{
    EXPECT_EQ(Export(), kEmptyTable);
    Component("slider", Items(List("General", ParamType::Group,
                                   Items(Binding(Field("value", 3), kDirectionInput),
                                         Binding(Field("label", 4), kDirectionOutput),
                                         Binding(Field("title", 5), kDirectionBoth),
                                         // Its table is gone: the ids it holds mean nothing now.
                                         Binding(Field("seriesNames", 6), kDirectionNone, false)))));
    EXPECT_EQ(Export(), kEmptyTable);
}

TEST_F(StaticDataTableTest, StaticFieldsAreListedPerVariable)
{
    // One variable (12) feeds two fields of the chart; the series names are static although
    // they follow the model both ways; the data rows nest two lists deep.
    Component(
        "chart",
        Items(List("General", ParamType::Group,
                   Items(Binding(Field("title", 12), kDirectionNone),
                         Binding(List("seriesNames", ParamType::List, Items(Field("0", 7), Field("1", -1))),
                                 kDirectionBoth))),
              List("Data", ParamType::Group,
                   Items(Binding(List("values", ParamType::CellList,
                                      Items(List("0", ParamType::List, Items(Field("0", 12))),
                                            List("1", ParamType::List, Items(Field("0", 30), Field("1", 31))))),
                                 kDirectionNone)))));
    Component("gauge", Items(Binding(Field("value", 3), kDirectionInput)));

    EXPECT_EQ(
        Export(),
        kEmptyTable +
            "; push 'STATIC'; getvar; push '7'; push '0'; push 'chart.seriesNames'; push 2; initarray; push 1; initarray; setmember"
            "; push 'STATIC'; getvar; push '12'; push 'title'; push 'chart'; push 2; initarray;"
            " push '0'; push 'chart.values.0'; push 2; initarray; push 2; initarray; setmember"
            "; push 'STATIC'; getvar; push '30'; push '0'; push 'chart.values.1'; push 2; initarray; push 1; initarray; setmember"
            "; push 'STATIC'; getvar; push '31'; push '1'; push 'chart.values.1'; push 2; initarray; push 1; initarray; setmember");
}

} // namespace
