#pragma once

// A component page as data: its dialog template (ids, texts and coordinates) plus one row per
// field it edits. A row names the key or keys, the kind of control block, how a change is
// written, when the block is usable and its help topic; binding on opening, re-reading on each
// activation, storing on each event and the F1 topic are written once here. A page class keeps
// as code only the rules that belong to it alone, and gets its rows' events before its own
// message map.

#include "pages/PageBlocks.h"
#include "pages/ScrollBehavior.h"
#include "pages/SelectorKit.h"
#include "propui/ComponentPage.h"

#include <functional>
#include <memory>
#include <optional>
#include <set>
#include <string>
#include <vector>

class CFontDataCtrl;
class CPageClassRegistry;

namespace pages {

class CFieldPage;

enum class FieldKind {
    // A check box over a boolean. ids: the box.
    Check,
    // Radio buttons over a choice's (or a string's) text. ids: one button per entry of choices.
    Radio,
    // A drop-down list over a choice. ids: the list, then captions switched with it.
    Choice,
    // A colour swatch. ids: the swatch, then captions switched with it (hidden with it when
    // hideMissing).
    Colour,
    // A colour a check box switches on. ids: the box, the swatch, then captions that go with the
    // box; keys: the switch, the colour.
    CheckedColour,
    // A number typed in place, kept within its range. ids: the edit, then captions switched with it.
    Number,
    // A spin edit over a number. ids: the spin edit, then captions switched with it.
    Spin,
    // A value typed in place or linked to cells. ids: the edit, the link button, then captions
    // switched with it.
    LinkedValue,
    // The display-status block: ids in the order of CVisibilityBlock::Ids. keys are fixed
    // ("displayStatus", "displayKey", "introStyle", "introTime").
    Visibility,
    // The same block with the duration typed in place and the stored effect matched exactly,
    // as the simple components have it. The same ids and keys.
    TypedVisibility,
    // A font chooser over a text-format group. ids: the chooser, then captions switched with it;
    // keys: the first that names a group is the one edited.
    Font,
    // A button whose action is the page's own (onCommand). ids: the button.
    Command,
    // A scroll bar's Enable, Disable and Auto Hide radio buttons. ids: in the order of
    // CScrollRadios::Ids.
    Scroll,
    // A text typed into a box or taken from a cell, chosen by two radio buttons. ids: in the
    // order of CTextOrCell::Ids.
    TextOrCell,
    // The cell a value goes into, shown as its range and picked with a button (with the policy's
    // range check; onCommand, when given, is the page's own pick). ids: the range edit, the link
    // button, then captions that are disabled without a cell binding (hideMissing: the whole
    // block is hidden).
    CellLink,
    // A value whose rules are the page's own: the row only names its keys and help topic.
    Own,
};

// Where a row's key is looked up.
enum class FieldScope {
    Page,      // the group the page edits
    Component, // the page's group first, then anywhere one group down in the component
};

struct FieldPolicy {
    // The parameter's own forced write (the second argument of its setters).
    bool force = false;
    // Missing parameters hide their control instead of only disabling it.
    bool hideMissing = false;
    // A change the stage shows is republished; others (sound, say) only mark the document.
    bool republish = true;
    // The display-status block: whether a new status link or entry effect is republished.
    bool republishStatus = true;
    bool republishEffect = true;
    // Spins: the stored number is shown negated (a shift stored downwards, shown upwards).
    bool negate = false;
    // A switched colour whose switch is missing stays off.
    bool offWithoutSwitch = false;
    // A font chooser whose colour dialog keeps the document's custom colours (the chooser then
    // belongs to the sheet's main page), rather than being seeded with them.
    bool fontKeepsDocumentColours = false;
    // Linked values: how typed text and cleared links are written, and whether a value without
    // a cell binding counts as missing.
    CLinkedValueEdit::Policy linked;
    bool bindingOnly = false;
    // Cell links: what a picked range must satisfy.
    std::optional<CRangeCheck> rangeCheck;
};

struct ParamField {
    FieldKind kind = FieldKind::Check;
    std::vector<int> ids;
    std::vector<const char*> keys;
    FieldScope scope = FieldScope::Page;
    // The group of the page's set that holds the keys (the rows that look their keys up: check,
    // radio, choice, colour, number, spin, linked value, cell link); null: the set itself.
    const char* within = nullptr;
    FieldPolicy policy;
    // Radio: the text each button stands for.
    std::vector<const char*> choices;
    // Usable only while this holds (checked after every change); empty: always.
    std::function<bool(const CFieldPage&)> enabledWhen;
    // Part of the page only when this holds once the page is created (a field one kind of the
    // component lacks): otherwise its controls are left to the page and it edits nothing.
    std::function<bool(const CFieldPage&)> presentWhen;
    // The F1 topic while one of the row's controls has the focus; empty: the page's default.
    std::function<int(const CFieldPage&)> help;
    // The controls the topic is for; empty: all of the row's.
    std::vector<int> helpIds;
    // Command rows (and cell links that pick by the page's rule): the page's own action.
    std::function<void(CFieldPage&)> onCommand;
    // Run after a check, radio or cell link stored its change and before the owner is told, for
    // what the change implies elsewhere in the component.
    std::function<void(CFieldPage&)> afterStore;
};

// Row makers, so that a page's table reads as a table.
ParamField CheckRow(int id, const char* key, FieldPolicy policy = {});
ParamField RadioRow(std::vector<int> ids, const char* key, std::vector<const char*> choices,
                    FieldPolicy policy = {});
ParamField ChoiceRow(int id, const char* key, FieldPolicy policy = {});
ParamField ColourRow(int id, const char* key, FieldPolicy policy = {});
ParamField CheckedColourRow(int checkId, const char* checkKey, int colourId, const char* colourKey,
                            FieldPolicy policy = {});
ParamField NumberRow(int id, const char* key);
ParamField SpinRow(int id, const char* key, std::vector<int> captions = {}, FieldPolicy policy = {});
ParamField LinkedRow(int editId, int linkId, const char* key, FieldPolicy policy = {});
ParamField VisibilityRow(const CVisibilityBlock::Ids& ids);
// The block's ids of a page that names them as every page with the block does.
template <class Page> CVisibilityBlock::Ids VisibilityIdsOf()
{
    return {Page::IDC_STATUS_RANGE, Page::IDC_STATUS_LINK,   Page::IDC_STATUS_LABEL, Page::IDC_KEY,
            Page::IDC_KEY_LINK,     Page::IDC_KEY_LABEL,     Page::IDC_EFFECT,       Page::IDC_EFFECT_LABEL,
            Page::IDC_DURATION,     Page::IDC_DURATION_LABEL};
}
ParamField TypedVisibilityRow(const CVisibilityBlock::Ids& ids, FieldPolicy policy);
ParamField CommandRow(int id, std::function<void(CFieldPage&)> action);
ParamField FontRow(int id, std::vector<const char*> keys, std::vector<int> captions = {},
                   FieldPolicy policy = {});
ParamField ScrollRow(const CScrollRadios::Ids& ids, const char* key);
ParamField TextOrCellRow(const CTextOrCell::Ids& ids, const char* key);
// keys: the first the page's group holds is the one linked.
ParamField CellLinkRow(int rangeId, int linkId, std::vector<const char*> keys, FieldPolicy policy = {});
ParamField OwnRow(std::vector<int> ids, std::vector<const char*> keys);
// The same topic for every type.
std::function<int(const CFieldPage&)> Topic(int topic);
// The row with a help topic, for all its controls or only the given ones.
ParamField WithHelp(ParamField row, int topic, std::vector<int> onlyIds = {});
// The row with captions that are switched with its controls.
ParamField WithCaptions(ParamField row, std::vector<int> captions);
// The row with its keys in a group of the page's set.
ParamField Within(const char* group, ParamField row);
// The row usable only while the page says so.
ParamField EnabledWhen(ParamField row, std::function<bool(const CFieldPage&)> when);
// The row taking part only for the components the page says.
ParamField PresentWhen(ParamField row, std::function<bool(const CFieldPage&)> when);
// A display-status block whose effect, duration and status link share the entry-effect topic.
ParamField WithEffectHelp(ParamField visibilityRow);

class CFieldPage : public CComponentPage {
public:
    using TemplateMaker = std::function<DialogTemplate(const CFieldPage&)>;
    using HelpTopic = std::function<int(const CFieldPage&)>;

    // groupName: the group a page of a hand-made page set edits within the whole set.
    CFieldPage(const char* groupName, TemplateMaker makeTemplate, std::vector<ParamField> rows,
               HelpTopic defaultHelp);
    ~CFieldPage() override;

    using CComponentPage::Create;
    BOOL Create(CParameterSet* group, const std::string& title, bool modal, IPropertyOwner* owner,
                CParameterSet* root) override;
    void OnSheetSize() override {}
    BOOL OnInitDialog() override;
    BOOL OnSetActive() override;
    int GetHelpContextId() override;

    const std::vector<ParamField>& Fields() const { return m_rows; }
    // The set the rows edit.
    CParameterSet* FieldSet() const { return PageGroup(*this, m_groupName); }
    // The parameter of a row (its first key the component holds); null when none.
    CParameter* FieldParameter(const ParamField& row) const;
    // The keys of the rows that the component holds, i.e. what this page edits of it (a page
    // that hosts others adds theirs).
    virtual std::set<std::string> EditedKeys() const;
    // The chooser of a Font row; null for an id of no such row.
    CFontDataCtrl* FontOf(int id) const;
    // Re-reads every row and re-applies the enabling rules.
    void ShowFields();

protected:
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    // After a row stored a change and told the owner (for a display-status block: a new entry
    // effect): the page's own follow-up.
    virtual void OnFieldChanged(const ParamField&) {}

private:
    struct Block;
    void AttachField(const ParamField& row, Block& block);
    void ShowField(const ParamField& row, Block& block);
    bool HandleCommand(const ParamField& row, Block& block, int id, UINT code);
    void ApplyEnabling();
    bool Present(const ParamField& row) const { return !row.presentWhen || row.presentWhen(*this); }
    bool ShowCellRange(const ParamField& row);
    void AttachFont(const ParamField& row, Block& block);
    void AttachTypedVisibility(const ParamField& row, Block& block);
    void ShowTypedVisibility(const ParamField& row, Block& block);
    bool HandleTypedVisibility(const ParamField& row, Block& block, int id, UINT code);
    void EnableTypedKey(const ParamField& row, Block& block, bool enable);

    const char* m_groupName;
    TemplateMaker m_makeTemplate;
    std::vector<ParamField> m_rows;
    std::vector<std::unique_ptr<Block>> m_blocks;
    HelpTopic m_defaultHelp;
};

// The keys the pages of a component edit: its pages are made as the Component Properties sheet
// makes them (the hand-made set for its symbol, else one page per group), each over the
// component's own parameters, and asked for the keys of their rows that the component holds.
// Pages not yet written as rows add nothing.
std::set<std::string> KeysEditedBy(const CPageClassRegistry& registry, const std::string& symbol,
                                   CParameterSet* root);

} // namespace pages
