// A component page's fields typed into by a person at the screen: what the keys type reaches
// the component when the person leaves the field, by Tab or by a click elsewhere, also when it
// is only a sign, a point or a mark of punctuation.

#include "PersonFixture.h"

#include <memory>

#include "model/DefaultParameters.h"
#include "model/Parameter.h"
#include "model/ParameterSet.h"
#include "pages/FieldPage.h"
#include "pages/PageKit.h"
#include "platform/controls/InPlaceEdit.h"
#include "platform/controls/SpinEdit.h"
#include "propui/PropertyOwner.h"

namespace {

using namespace pages;

enum : int {
    IDC_ANGLE = 3400,
    IDC_ANGLE_LABEL,
    IDC_TITLE,
    IDC_TITLE_LINK,
    IDC_OFFSET,
    IDC_OFFSET_LABEL,
    IDC_APPLY,
};

class QuietOwner : public IPropertyOwner {
public:
    void Refresh(int) override { ++told; }
    void MarkDocumentChanged() override {}
    std::string GetTitleName() const override { return "Label 1"; }
    std::string GetComponentTypeName() const override { return "KVLabelCompSymbol"; }
    CPropertyMap* GetFirstPropertyMap() override { return nullptr; }
    int GetComponentCount() const override { return 1; }
    int told = 0;
};

// A spin, a value typed or linked, a number typed in place, and a button to click away to.
std::unique_ptr<CFieldPage> MakePage()
{
    DialogTemplate t = PageTemplate(904, "General");
    t.Add("Static", "Angle", IDC_ANGLE_LABEL, 7, 9, 40, 8, kLabelStyle)
        .Add(CSpinEdit::kClassName, "", IDC_ANGLE, 60, 7, 60, 13, kTab)
        .Add("Edit", "", IDC_TITLE, 7, 26, 140, 13, kEditStyle)
        .Add("Button", "...", IDC_TITLE_LINK, 150, 26, 16, 13, kTab)
        .Add("Static", "Offset", IDC_OFFSET_LABEL, 7, 47, 40, 8, kLabelStyle)
        .Add("Edit", "", IDC_OFFSET, 60, 45, 40, 13, kEditStyle)
        .Add("Button", "Apply", IDC_APPLY, 7, 66, 50, 14, kTab);
    std::vector<ParamField> rows = {
        SpinRow(IDC_ANGLE, "angle", {IDC_ANGLE_LABEL}),
        LinkedRow(IDC_TITLE, IDC_TITLE_LINK, "title"),
        WithCaptions(NumberRow(IDC_OFFSET, "offset"), {IDC_OFFSET_LABEL}),
        CommandRow(IDC_APPLY, [](CFieldPage&) {}),
    };
    return std::make_unique<CFieldPage>(
        "General", [t](const CFieldPage&) { return t; }, std::move(rows), Topic(5));
}

class PageFieldsByHandTest : public PersonTest {
protected:
    void SetUp() override
    {
        PersonTest::SetUp();
        ResetDialogTemplates();
        defaults = model::ReadDefaultParameters(
            "<?xml version=\"1.0\"?><component symbol=\"X\">"
            "<param name=\"General\" type=\"7\">"
            "<param name=\"angle\" type=\"1\" value=\"135\" min=\"-180\" max=\"180\" step=\"1\"/>"
            "<param name=\"title\" type=\"0\" value=\"Sales\"/>"
            "<param name=\"offset\" type=\"3\" value=\"50\" min=\"-100\" max=\"100\" step=\"1\"/>"
            "</param></component>");
        group = defaults.parameters->FindParameter("General")->GetSet();
        ASSERT_TRUE(window.CreateEx(0, "Sheet", "Label 1 Properties", WS_OVERLAPPEDWINDOW | WS_VISIBLE,
                                    CRect(80, 80, 560, 400), nullptr, 0));
        context.mainWindow = &window;
        page = MakePage();
        page->SetContext(&context);
        page->Create(group, "General", false, &owner, defaults.parameters.get());
        ASSERT_TRUE(page->CreatePage(&window));
        page->SetWindowPos(nullptr, 8, 8, 0, 0, SWP_NOZORDER | SWP_NOSIZE);
        page->ShowWindow(SW_SHOW);
        page->OnSetActive();
        gtkscreen::Flush();
    }
    void TearDown() override
    {
        page.reset();
        window.DestroyWindow();
        ResetDialogTemplates();
        PersonTest::TearDown();
    }

    // The field a person types into for a dialog item: the spin's edit part, or the in-place
    // edit that took the item's place.
    CWnd* FieldFor(ScreenUser& user, int id)
    {
        CWnd* field = nullptr;
        user.OnUi([&] {
            if (auto* spin = dynamic_cast<CSpinEdit*>(page->GetDlgItem(id))) {
                field = spin->EditPart();
                return;
            }
            for (CWnd* child : page->GetChildren())
                if (auto* edit = dynamic_cast<CInPlaceEdit*>(child);
                    edit != nullptr && edit->GetStandsFor() == id)
                    field = edit;
        });
        return field;
    }
    double Number(const char* key) { return group->FindParameter(key)->GetDouble(); }
    // Clicks into the field at the start or the end of its text and types there: no key but
    // the typed ones goes down.
    void TypeInto(ScreenUser& user, CWnd& field, bool atStart, const std::string& keys)
    {
        const CRect r = user.RectOf(field);
        user.Click(CPoint(atStart ? r.left + 3 : r.right - 4, r.CenterPoint().y));
        EXPECT_TRUE(user.WaitFor([&] { return CWnd::GetFocus() == &field; })) << "the field took no focus";
        user.Type(keys);
    }

    ComponentDefaults defaults;
    CParameterSet* group = nullptr;
    CWnd window;
    CPropertyPageContext context;
    QuietOwner owner;
    std::unique_ptr<CFieldPage> page;
};

// A sign or a point typed on its own once never reached the component when the person clicked
// elsewhere: the toolkit sent no key down for those keys, and a field wrote what it held on
// losing the focus only after one (Tab, a key itself, always wrote).
TEST_F(PageFieldsByHandTest, ASignOrAPointTypedAloneIsWrittenWhenThePersonLeaves)
{
    ASSERT_TRUE(gtkscreen::RunPerson([&](ScreenUser& user) {
        PERSON_READY(user, window);
        CWnd* angle = FieldFor(user, IDC_ANGLE);
        CWnd* title = FieldFor(user, IDC_TITLE);
        CWnd* offset = FieldFor(user, IDC_OFFSET);
        ASSERT_TRUE(angle != nullptr && title != nullptr && offset != nullptr);
        CWnd* apply = nullptr;
        user.OnUi([&] { apply = page->GetDlgItem(IDC_APPLY); });

        // The spin: a sign in front, left by Tab; a point behind, left by a click, shows the
        // number it stores.
        TypeInto(user, *angle, true, "-");
        user.Keys("Tab");
        EXPECT_TRUE(user.WaitFor([&] { return Number("angle") == -135; })) << "the spin kept its value";
        TypeInto(user, *angle, false, ".");
        user.Click(user.CenterOf(*apply));
        EXPECT_TRUE(user.WaitFor([&] { return angle->GetWindowText() == "-135"; }));

        // The page's text: a full stop behind, left by Tab; a slash in front, left by a click (a
        // second click where the first was would be a double click).
        TypeInto(user, *title, false, ".");
        user.Keys("Tab");
        EXPECT_TRUE(user.WaitFor([&] { return group->FindParameter("title")->GetString() == "Sales."; }));
        TypeInto(user, *title, true, "/");
        user.Click(user.CenterOf(*apply));
        EXPECT_TRUE(user.WaitFor([&] { return group->FindParameter("title")->GetString() == "/Sales."; }));

        // The number typed in place: a sign in front, left by a click; a point behind, by Tab.
        TypeInto(user, *offset, true, "-");
        user.Click(user.CenterOf(*apply));
        EXPECT_TRUE(user.WaitFor([&] { return group->FindParameter("offset")->GetInt() == -50; }));
        TypeInto(user, *offset, false, ".");
        user.Keys("Tab");
        EXPECT_TRUE(user.WaitFor([&] { return offset->GetWindowText() == "-50"; }));
        ShotOf(user, window, "page-fields-typed-signs");
    }));
    EXPECT_GE(owner.told, 4);
}

} // namespace
