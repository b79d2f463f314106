#include "AppFixture.h"

#include "app/core/AppIds.h"
#include "app/shell/AppResources.h"
#include "platform/docview/Resources.h"
#include "platform/drawing/IconTheme.h"

namespace {

class ToolBarResourcesTest : public AppTest {
protected:
    void SetUp() override
    {
        AppTest::SetUp();
        RegisterAppResources();
    }
};

// Every button of every bar: an icon that the build or the desktop theme provides at 1x and
// 2x, a tool tip and a fly-by prompt.
TEST_F(ToolBarResourcesTest, EveryToolbarCommandHasAnIconAndATip)
{
    CResourceTable& r = GetResources();
    EXPECT_EQ(r.ToolBarIds(), (std::vector<UINT>{IDR_TOOLBAR_MAIN, IDR_TOOLBAR_PREVIEW, IDR_TOOLBAR_OFFICE,
                                                 IDR_TOOLBAR_IMPORT}));

    CIconTheme theme;
    theme.SetFolders({testsupport::InstallDir() / "icons"}, DefaultThemeFolders());
    const bool themeInstalled = theme.Find("document-new-symbolic", 16) != nullptr;
    for (UINT bar : r.ToolBarIds()) {
        const std::vector<UINT>& buttons = r.FindToolBar(bar)->buttons;
        const std::vector<std::string>* icons = r.FindToolBarIcons(bar);
        ASSERT_NE(icons, nullptr) << bar;
        ASSERT_EQ(icons->size(), buttons.size()) << bar;
        for (std::size_t i = 0; i < buttons.size(); ++i) {
            const std::string& icon = (*icons)[i];
            if (buttons[i] == ID_SEPARATOR) {
                EXPECT_EQ(icon, "") << bar << " " << i;
                continue;
            }
            const std::string tip = ExtractSubString(r.LoadString(buttons[i]), 1);
            EXPECT_FALSE(tip.empty()) << buttons[i];
            EXPECT_FALSE(ExtractSubString(r.LoadString(buttons[i]), 0).empty()) << buttons[i]; // fly-by prompt
            ASSERT_FALSE(icon.empty()) << buttons[i];
            const bool ours = icon.starts_with("vantorel-");
            if (!ours && !themeInstalled)
                continue;
            for (int size : {16, 32})
                EXPECT_NE(theme.Find(icon, size), nullptr) << icon << " at " << size;
        }
    }
}

} // namespace

namespace {

// The letter after '&' ("&&" is a plain ampersand), lower case; 0 when the text has none.
char Mnemonic(const std::string& text)
{
    for (std::size_t i = 0; i + 1 < text.size(); ++i) {
        if (text[i] != '&')
            continue;
        if (text[i + 1] == '&') {
            ++i;
            continue;
        }
        return static_cast<char>(std::tolower(static_cast<unsigned char>(text[i + 1])));
    }
    return 0;
}

void ExpectUniqueMnemonics(const std::vector<MenuTemplateItem>& items, const std::string& where)
{
    std::map<char, std::string> taken;
    for (const MenuTemplateItem& item : items) {
        const char key = Mnemonic(item.text);
        if (key != 0) {
            const auto [at, fresh] = taken.emplace(key, item.text);
            EXPECT_TRUE(fresh) << where << ": '" << item.text << "' and '" << at->second << "' share &" << key;
        }
        if (item.isPopup)
            ExpectUniqueMnemonics(item.popup, where + " > " + item.text);
    }
}

// Alt and a letter must reach one item: within each menu (and on the bar) no two items share
// their underlined letter.
TEST_F(ToolBarResourcesTest, MnemonicsAreUniqueWithinEachMenu)
{
    EXPECT_EQ(Mnemonic("Save &As..."), 'a');
    EXPECT_EQ(Mnemonic("Fish && &Chips"), 'c');
    EXPECT_EQ(Mnemonic("Plain"), 0);
    for (UINT id : {IDR_MAINFRAME, IDR_CONTEXT_MENU}) {
        const std::vector<MenuTemplateItem>* menu = GetResources().FindMenu(id);
        ASSERT_NE(menu, nullptr) << id;
        ExpectUniqueMnemonics(*menu, "menu " + std::to_string(id));
    }
}

} // namespace
