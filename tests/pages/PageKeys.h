#pragma once

// What the property pages of a component look for in its parameters, learnt by driving them, and
// whether its movie's script reads it: the contract between a component's pages, its default
// file and its movie. A page that edits a key the movie never reads, or that looks for a key its
// component does not have (and so stays disabled), shows a person a setting that does nothing.
//
// KeysThePagesEdit is the one place that drives the pages; whatever way the pages come to tell
// their keys, only it has to change.

#include "model/Parameter.h"
#include "model/ParameterLookups.h"
#include "model/ParameterSet.h"
#include "pages/ExternalFileImport.h"
#include "pages/PageRegistry.h"
#include "pages/ChartAppearancePage.h"
#include "platform/controls/Button.h"
#include "platform/controls/ComboBox.h"
#include "platform/controls/ControlMessages.h"
#include "platform/window/UserInput.h"
#include "propui/ComponentPage.h"
#include "propui/ComponentPropertySheet.h"
#include "propui/PageFactory.h"
#include "publish/TempFiles.h"
#include "tests/pages/PageFixture.h"
#include "tests/support/TestSupport.h"

#include <filesystem>
#include <fstream>
#include <map>
#include <memory>
#include <regex>
#include <set>
#include <sstream>
#include <string>
#include <vector>

namespace pagekeys {

// Keys as paths below the component's groups: "markerAlpha", "chartTitleProps/showBorder".
struct PageKeys {
    std::set<std::string> found;   // looked up and there: what the pages edit
    std::set<std::string> missing; // looked up in no group that has it
};

namespace detail {

struct Recorder {
    std::map<const CParameterSet*, std::string> paths; // a group or a set nested in one -> its path
    std::map<std::string, bool> seen;                  // key path -> found somewhere
};

inline void MapSets(Recorder& recorder, const CParameterSet& set, const std::string& path)
{
    recorder.paths[&set] = path;
    for (int i = 0; i < set.GetCount(); ++i) {
        const CParameter* parameter = set.GetAt(i);
        if (parameter->GetType() == model::ParamType::Group && parameter->GetSet() != nullptr)
            MapSets(recorder, *parameter->GetSet(), path.empty() ? parameter->GetName() : path + "/" + parameter->GetName());
    }
}

inline void Record(const CParameterSet& set, const std::string& name, void* context)
{
    auto& recorder = *static_cast<Recorder*>(context);
    const auto at = recorder.paths.find(&set);
    // The root holds the groups themselves; a page finds its keys in them.
    if (at == recorder.paths.end() || at->second.empty())
        return;
    // The group a key is in is no part of its name: a page looks a key up in every group.
    const std::string& path = at->second;
    const auto slash = path.find('/');
    const std::string key = slash == std::string::npos ? name : path.substr(slash + 1) + "/" + name;
    bool& found = recorder.seen[key];
    // Looked up without "in": the set itself was searched.
    for (int i = 0; i < set.GetCount(); ++i)
        if (set.GetAt(i)->GetName() == name)
            found = true;
}

// Clicks every enabled check box and radio button and picks every item of every enabled list
// of the page, so that what the page looks up only when shown or changed is looked up too.
inline void Drive(CWnd& page)
{
    for (CWnd* child : page.GetChildren()) {
        if (!child->IsWindowEnabled() || !child->IsWindowVisible())
            continue;
        if (auto* combo = dynamic_cast<CComboBox*>(child)) {
            for (int i = 0; i < combo->GetCount(); ++i)
                combo->UserSelect(i);
            if (combo->GetCount() > 0)
                combo->UserSelect(0);
        } else if (child->GetClassName() == "Button") {
            const DWORD kind = child->GetStyle() & BS_TYPEMASK;
            if (kind == BS_AUTOCHECKBOX || kind == BS_CHECKBOX || kind == BS_AUTORADIOBUTTON || kind == BS_RADIOBUTTON) {
                CUserInput::Click(*child, CPoint(3, 3));
                if (kind == BS_AUTOCHECKBOX || kind == BS_CHECKBOX)
                    CUserInput::Click(*child, CPoint(3, 3));
            }
        }
    }
}

} // namespace detail

// Opens the component's property sheet as the designer does, shows every page and, for a
// chart's Appearance page, every sub-page, drives each, and gives the keys they looked for.
// The context must name the page classes; the pages change root as they are driven.
inline PageKeys KeysThePagesEdit(CParameterSet& root, CPropertyPageContext& context, CWnd& parent,
                                 IPropertyOwner& owner)
{
    detail::Recorder recorder;
    detail::MapSets(recorder, root, "");
    model::WatchParameterLookups(&detail::Record, &recorder);
    {
        auto sheet = std::make_unique<CComponentPropertySheet>("Component Properties");
        sheet->SetContext(&context);
        sheet->BuildPages(&root, false, &owner);
        sheet->Create(&parent, WS_CHILD | WS_VISIBLE);
        for (int i = 0; i < sheet->GetComponentPageCount(); ++i) {
            sheet->SetActivePage(i);
            CComponentPage* page = sheet->GetComponentPage(i);
            detail::Drive(*page);
            if (auto* appearance = dynamic_cast<CChartAppearancePage*>(page)) {
                for (int sub = 0; sub < 5; ++sub) {
                    // A person cannot reach a sub-page whose button is disabled (a pie's axes).
                    const CWnd* button = appearance->GetDlgItem(CChartAppearancePage::IDC_SERIES + sub);
                    if (button != nullptr && !button->IsWindowEnabled())
                        continue;
                    if (!appearance->ShowSubPage(sub))
                        continue;
                    if (CWnd* shown = appearance->SubPage(sub)) {
                        detail::Drive(*shown);
                        // Driven once more: a change of one control enables another.
                        detail::Drive(*shown);
                    }
                }
            }
        }
        sheet->DestroyWindow();
    }
    model::WatchParameterLookups(nullptr, nullptr);
    PageKeys keys;
    for (const auto& [key, found] : recorder.seen)
        (found ? keys.found : keys.missing).insert(key);
    return keys;
}

// True when a group of root (or a set nested in one, for "set/key") holds the key path.
inline bool HasKey(const CParameterSet& root, const std::string& path)
{
    for (int g = 0; g < root.GetCount(); ++g) {
        const CParameterSet* set = root.GetAt(g)->GetSet();
        std::string rest = path;
        for (std::size_t slash; set != nullptr && (slash = rest.find('/')) != std::string::npos;) {
            const CParameter* nested = set->FindParameter(rest.substr(0, slash));
            set = nested != nullptr ? nested->GetSet() : nullptr;
            rest = rest.substr(slash + 1);
        }
        if (set != nullptr && set->FindParameter(rest) != nullptr)
            return true;
    }
    return false;
}

// The names a component's movie script uses (identifiers and quoted texts), with the shared
// scripts it includes, from the installation's sources under assets/.
inline std::set<std::string> NamesTheMovieReads(const std::string& symbol)
{
    const std::filesystem::path assets = testsupport::SourceDir() / "assets";
    std::set<std::string> names;
    std::set<std::string> included;
    std::vector<std::filesystem::path> pending = {assets / "component" / "standard" / (symbol + ".as")};
    const std::regex include(R"(#include\s+\"([^\"]+)\")");
    const std::regex word(R"([A-Za-z_][A-Za-z0-9_]*)");
    while (!pending.empty()) {
        const std::filesystem::path file = pending.back();
        pending.pop_back();
        if (!included.insert(file.lexically_normal().string()).second)
            continue;
        std::ifstream in(file);
        std::stringstream text;
        text << in.rdbuf();
        const std::string script = text.str();
        for (std::sregex_iterator it(script.begin(), script.end(), include), end; it != end; ++it)
            pending.push_back(assets / (*it)[1].str());
        for (std::sregex_iterator it(script.begin(), script.end(), word), end; it != end; ++it)
            names.insert(it->str());
    }
    return names;
}

// True when the script uses every name of the key path.
inline bool MovieReads(const std::set<std::string>& names, const std::string& path)
{
    std::size_t from = 0;
    for (std::size_t slash; (slash = path.find('/', from)) != std::string::npos; from = slash + 1)
        if (names.count(path.substr(from, slash - from)) == 0)
            return false;
    return names.count(path.substr(from)) != 0;
}

// The shipped pages registered as the program registers them, for the tests that drive them.
class RegisteredPagesTest : public pagetest::PageTest {
protected:
    void SetUp() override
    {
        PageTest::SetUp();
        pages::RegisterComponentPages(registry, temporaries, tip);
        context.pages = &registry;
    }

    CPageClassRegistry registry;
    publish::CDefaultTempFiles temporaries;
    pages::SwfImportTip tip;
};

} // namespace pagekeys
