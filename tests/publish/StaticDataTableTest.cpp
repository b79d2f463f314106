#include "publish/StaticDataTable.h"

#include "model/CellBinding.h"
#include "model/Component.h"
#include "model/Parameter.h"
#include "model/ParameterKinds.h"
#include "model/ParameterSet.h"
#include "sheet/Range.h"
#include "swf/ActionList.h"
#include "swf/Actions.h"

#include <gtest/gtest.h>

#include <initializer_list>

namespace {

using namespace model;

// The actions as text: pushed values, then the names of the opcode-only actions.
std::string Listing(const CActionList& actions)
{
    std::string text;
    for (const auto& action : actions) {
        if (!text.empty())
            text += "; ";
        if (const auto* push = dynamic_cast<const CActionPush*>(action.get())) {
            for (const CPushValue& value : push->GetValues())
                text += value.type == swf::PushType::String ? "'" + value.text + "'"
                                                            : std::to_string(value.integer);
            continue;
        }
        switch (static_cast<swf::ActionCode>(action->GetCode())) {
        case swf::ActionCode::GetVariable:
            text += "GetVariable";
            break;
        case swf::ActionCode::SetVariable:
            text += "SetVariable";
            break;
        case swf::ActionCode::InitArray:
            text += "InitArray";
            break;
        case swf::ActionCode::InitObject:
            text += "InitObject";
            break;
        case swf::ActionCode::SetMember:
            text += "SetMember";
            break;
        default:
            text += "?";
        }
    }
    return text;
}

const std::string kEmptyTable = "'STATIC'; 0; InitObject; SetVariable";

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

template <typename... Items> std::vector<std::unique_ptr<CParameter>> Items(Items... items)
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
        return Listing(actions);
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
            "; 'STATIC'; GetVariable; '7'; '0'; 'chart.seriesNames'; 2; InitArray; 1; InitArray; SetMember"
            "; 'STATIC'; GetVariable; '12'; 'title'; 'chart'; 2; InitArray;"
            " '0'; 'chart.values.0'; 2; InitArray; 2; InitArray; SetMember"
            "; 'STATIC'; GetVariable; '30'; '0'; 'chart.values.1'; 2; InitArray; 1; InitArray; SetMember"
            "; 'STATIC'; GetVariable; '31'; '1'; 'chart.values.1'; 2; InitArray; 1; InitArray; SetMember");
}

} // namespace
