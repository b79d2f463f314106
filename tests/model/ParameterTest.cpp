#include "model/Parameter.h"
#include "model/CellBinding.h"
#include "model/CompoundParameter.h"
#include "model/ParameterSet.h"
#include "model/ValueList.h"

#include <gtest/gtest.h>

#include <clocale>

using namespace model;

namespace {

std::unique_ptr<CParameter> Make(const char* name, ParamType type)
{
    return std::make_unique<CParameter>(name, type);
}

// A list parameter ("items", type 5) with elements "a", "b", "c".
std::unique_ptr<CParameter> MakeList()
{
    auto list = Make("items", ParamType::List);
    for (const char* text : {"a", "b", "c"}) {
        CParameter element("x", ParamType::Text);
        element.SetString(text);
        list->InsertElementCopy(element, -1);
    }
    return list;
}

std::string Names(const CParameter& list)
{
    std::string out;
    for (int i = 0; i < list.GetElementCount(); ++i) {
        out += list.GetElement(i)->GetName() + "=" + list.GetElement(i)->GetValueText() + ";";
    }
    return out;
}

} // namespace

TEST(Parameter, SettersTakeOnlyTheirTypeUnlessForced)
{
    struct Case {
        ParamType type;
        std::function<bool(CParameter&, bool)> set;
        ParamType typeAfterForce;
    };
    const Case cases[] = {
        {ParamType::Number, [](CParameter& p, bool f) { return p.SetString("x", f); }, ParamType::Text},
        {ParamType::Text, [](CParameter& p, bool f) { return p.SetDouble(1.5, f); }, ParamType::Number},
        {ParamType::Text, [](CParameter& p, bool f) { return p.SetBool(true, f); }, ParamType::Boolean},
        {ParamType::Color, [](CParameter& p, bool f) { return p.SetInt(7, f); }, ParamType::Integer},
        {ParamType::Integer, [](CParameter& p, bool f) { return p.SetColor(0xFF, f); }, ParamType::Color},
        {ParamType::Group, [](CParameter& p, bool f) { return p.SetString("x", f); }, ParamType::Text},
    };
    for (const Case& c : cases) {
        CParameter p("p", c.type);
        EXPECT_FALSE(c.set(p, false)) << static_cast<int>(c.type);
        EXPECT_EQ(p.GetType(), c.type);
        EXPECT_TRUE(c.set(p, true)) << static_cast<int>(c.type);
        EXPECT_EQ(p.GetType(), c.typeAfterForce);
    }
    // The second string kind takes strings without retyping.
    CParameter second("s", ParamType::OtherText);
    EXPECT_TRUE(second.SetString("text"));
    EXPECT_EQ(second.GetType(), ParamType::OtherText);
}

TEST(Parameter, ValueTextAndTypeCode)
{
    std::setlocale(LC_NUMERIC, "de_DE.UTF-8"); // the text must not follow the process locale
    struct Case {
        std::function<void(CParameter&)> set;
        const char* text;
        const char* code;
    };
    const Case cases[] = {
        {[](CParameter& p) { p.SetString("hello", true); }, "hello", "s"},
        {[](CParameter& p) { p.SetDouble(2.5, true); }, "2.5", "f"},
        {[](CParameter& p) { p.SetDouble(1.0 / 3, true); }, "0.333333333333333", "f"},
        {[](CParameter& p) { p.SetBool(true, true); }, "true", "b"},
        {[](CParameter& p) { p.SetInt(-42, true); }, "-42", "i"},
        {[](CParameter& p) { p.SetColor(0xAB12, true); }, "0x00AB12", ""},
        {[](CParameter& p) {
             p.SetInt(1, true);
             p.SetUndefined();
         },
         "undefined", "u"},
    };
    for (const Case& c : cases) {
        CParameter p("p", ParamType::Text);
        c.set(p);
        EXPECT_EQ(p.GetValueText(), c.text);
        EXPECT_EQ(p.GetTypeCode(), c.code);
    }
    std::setlocale(LC_NUMERIC, "C");

    char small[4];
    CParameter p("p", ParamType::Text);
    p.SetString("abcdefgh");
    EXPECT_STREQ(p.GetValueText(small, sizeof small), "abc");
}

TEST(Parameter, CopiesAreDeepAndIndependent)
{
    auto group = Make("General", ParamType::Group);
    group->GetSet()->Add(MakeList());
    auto choice = group->GetSet()->Add(Make("mode", ParamType::Choice));
    choice->GetValueList()->AddAllowed("one");
    choice->GetValueList()->GetPrototype().SetString("one");

    std::unique_ptr<CParameter> copy = group->Clone();
    CParameter* copiedList = copy->GetSet()->FindParameter("items");
    copiedList->GetElement(0)->SetString("changed");
    copy->GetSet()->FindParameter("mode")->GetValueList()->GetPrototype().SetString("two");

    EXPECT_EQ(group->GetSet()->FindParameter("items")->GetElement(0)->GetString(), "a");
    EXPECT_EQ(group->GetSet()->FindParameter("mode")->GetValueText(), "one");
    EXPECT_EQ(copiedList->GetOwner(), copy->GetSet());
}

TEST(Parameter, AssigningFromOwnMemberCopiesBeforeReleasing)
{
    // A group replaced by one of its own members, and a set by a set nested inside it.
    auto group = Make("outer", ParamType::Group);
    CParameter* inner = group->GetSet()->Add(Make("inner", ParamType::List));
    inner->InsertElementCopy(*MakeList()->GetElement(1), -1);
    *group = *inner;
    EXPECT_EQ(group->GetName(), "inner");
    EXPECT_EQ(Names(*group), "0=b;");

    auto holder = Make("holder", ParamType::Group);
    CParameter* nested = holder->GetSet()->Add(MakeList());
    CParameterSet& outerSet = *holder->GetSet();
    outerSet = *nested->GetSet();
    EXPECT_EQ(outerSet.GetCount(), 3);
    EXPECT_EQ(outerSet.GetAt(2)->GetString(), "c");
}

TEST(Parameter, ElementOperationsKeepIndexNames)
{
    auto list = MakeList();
    EXPECT_EQ(Names(*list), "0=a;1=b;2=c;");

    CParameter inserted("whatever", ParamType::Text);
    inserted.SetString("new");
    list->InsertElementCopy(inserted, 1);
    EXPECT_EQ(Names(*list), "0=a;1=new;2=b;3=c;");

    EXPECT_TRUE(list->RemoveElementAt(0));
    EXPECT_FALSE(list->RemoveElementAt(7));
    EXPECT_EQ(Names(*list), "0=new;1=b;2=c;");

    // The template is the first non-group element as it was when first asked for.
    list->InsertTemplateElement(-1);
    EXPECT_EQ(Names(*list), "0=new;1=b;2=c;3=new;");

    auto other = MakeList();
    list->AppendCopiesFrom(*other);
    EXPECT_EQ(list->GetElementCount(), 7);
    EXPECT_EQ(list->GetElement(6)->GetName(), "6");

    list->ClearElements();
    EXPECT_EQ(list->GetElementCount(), 0);
    ASSERT_NE(list->GetGroupTemplate(), nullptr);
    EXPECT_EQ(list->InsertTemplateElement(-1)->GetString(), "new");

    // Named members of a group keep their names; only copies inserted by position are numbered.
    auto group = Make("Appearance", ParamType::Group);
    CParameter member("borderColor", ParamType::Color);
    group->InsertElementCopy(member, -1)->SetName("borderColor");
    CParameter fill("fillColor", ParamType::Color);
    group->InsertElementCopy(fill, 0);
    EXPECT_EQ(group->GetElement(0)->GetName(), "0"); // the inserted copy is named by its position
    EXPECT_EQ(group->GetElement(1)->GetName(), "borderColor");
    group->RemoveElementAt(0);
    EXPECT_EQ(group->GetElement(0)->GetName(), "borderColor");

    CParameter scalar("s", ParamType::Text);
    EXPECT_EQ(scalar.InsertTemplateElement(0), nullptr);
    EXPECT_EQ(scalar.GetGroupTemplate(), nullptr);
    EXPECT_FALSE(scalar.RefreshFromCells(nullptr, false));
}

TEST(ParameterSet, FindParameterIsExactAndOneLevel)
{
    CParameterSet set;
    auto general = set.Add(Make("General", ParamType::Group));
    general->GetSet()->Add(Make("title", ParamType::Text));
    set.Add(Make("Title", ParamType::Text));
    set.Add(Make("Title", ParamType::Integer));

    EXPECT_EQ(set.FindParameter("Title")->GetType(), ParamType::Text); // first match
    EXPECT_EQ(set.FindParameter("title"), nullptr);                // not deep, case-sensitive
    EXPECT_NE(set.FindParameter("title", general->GetSet()), nullptr);
    EXPECT_EQ(set.FindParameter("missing"), nullptr);

    set.RemoveAll();
    EXPECT_EQ(set.GetCount(), 0);
    ASSERT_NE(set.GetElementTemplate(), nullptr); // kept when the set is emptied
    EXPECT_EQ(set.GetElementTemplate()->GetName(), "Title");
}

TEST(ValueList, IntegerChoiceTakesTextFromPages)
{
    CValueList list(true);
    for (const char* v : {"10", "20"}) {
        list.AddAllowed(v);
    }
    CParameter& prototype = list.GetPrototype();
    EXPECT_TRUE(prototype.SetString("20"));
    EXPECT_EQ(prototype.GetInt(), 20);
    EXPECT_EQ(list.GetCurrentText(), "20");
    for (const char* bad : {"", "x", "12x", "99999999999"}) {
        EXPECT_FALSE(prototype.SetString(bad)) << bad;
    }
    EXPECT_EQ(prototype.GetInt(), 20);
    EXPECT_EQ(list.GetAllowed(5), "");

    CValueList copy(list);
    copy.GetPrototype().SetString("10");
    EXPECT_EQ(list.GetCurrentText(), "20");
    copy.SetInteger(false);
    EXPECT_EQ(copy.GetCurrentText(), "10");
    EXPECT_TRUE(copy.GetPrototype().SetString("anything"));
}

TEST(CompoundParameter, SetsEveryChildAndMergesGroups)
{
    auto a = Make("General", ParamType::Group);
    a->GetSet()->Add(Make("title", ParamType::Text))->SetString("A");
    auto b = Make("General", ParamType::Group);
    b->GetSet()->Add(Make("title", ParamType::Text))->SetString("B");
    b->GetSet()->Add(Make("extra", ParamType::Text));

    auto shared = CCompoundParameter::MakeCopy(*a);
    shared->AddChild(b.get());
    shared->GetSet()->FindParameter("title")->SetString("both");
    EXPECT_EQ(b->GetSet()->FindParameter("title")->GetString(), "both");
    EXPECT_EQ(shared->GetSet()->FindParameter("extra"), nullptr);

    // A multi-selection edits choices through their current value and linked edits through
    // the bound value; both must reach every selected component.
    std::unique_ptr<CParameter> members[2];
    for (auto& member : members) {
        member = Make("Behavior", ParamType::Group);
        CValueList& mode = *member->GetSet()->Add(Make("mode", ParamType::Choice))->GetValueList();
        mode.SetInteger(true);
        mode.GetPrototype().SetString("1");
        member->GetSet()->Add(Make("source", ParamType::CellBinding))->GetBinding()->GetValue().SetString("old");
    }
    auto behavior = CCompoundParameter::MakeCopy(*members[0]);
    for (auto& member : members) {
        behavior->AddChild(member.get());
    }
    CParameter& mode = behavior->GetSet()->FindParameter("mode")->GetValueList()->GetPrototype();
    EXPECT_TRUE(mode.SetString("3"));
    EXPECT_FALSE(mode.SetString("three"));
    behavior->GetSet()->FindParameter("source")->GetBinding()->GetValue().SetString("typed");
    for (auto& member : members) {
        EXPECT_EQ(member->GetSet()->FindParameter("mode")->GetValueText(), "3");
        EXPECT_EQ(member->GetSet()->FindParameter("source")->GetValueText(), "typed");
    }

    CParameterValueList changes;
    CParameter target("t", ParamType::Number);
    auto saved = std::make_unique<CParameter>("t", ParamType::Number);
    saved->SetDouble(4.0);
    target.SetDouble(9.0);
    changes.Add(&target, std::move(saved));
    CParameter skipped("g", ParamType::Group);
    changes.Add(&skipped, std::make_unique<CParameter>("g", ParamType::Group));
    changes.Apply();
    EXPECT_EQ(target.GetDouble(), 4.0);
    EXPECT_EQ(changes.GetCount(), 0u);
}
