// The XML data connection's General, Behavior and Appearance tabs on its shipped parameters,
// and the XML data file its preview writes.

#include "model/CellBinding.h"
#include "model/ModelHooks.h"
#include "model/XMLDataEntry.h"
#include "pages/PageBlocks.h"
#include "pages/PageKit.h"
#include "pages/XmlDataFile.h"
#include "pages/XmlDataGeneralPage.h"
#include "pages/XmlDataPages.h"
#include "platform/controls/ListBox.h"
#include "platform/controls/SpinEdit.h"
#include "platform/services/Services.h"
#include "publish/TempFiles.h"
#include "sheet/cells/Range.h"
#include "tests/pages/PageFixture.h"

#include <cstdlib>
#include <fstream>
#include <sstream>

namespace {

using model::ParamType;
using sheet::RangePickOutcome;

// Bindings reach the fixture's cells and variable table through this link, as the program's
// reach the base movie's.
class TableLink : public model::IModelLink {
public:
    TableLink(CVariableTable& table, CCellModel& cells) : table_(table), cells_(cells) { model::SetModelLink(this); }
    ~TableLink() override { model::ResetModelLink(); }
    std::string GetRangeText(const model::RangeHandle& range) override { return AsRange(&range)->GetText(); }
    std::vector<model::RangeArea> ReadRange(const model::RangeHandle& handle) override
    {
        std::vector<model::RangeArea> areas;
        for (const CRangeArea& a : AsRange(&handle)->GetAreas()) {
            model::RangeArea& area = areas.emplace_back();
            area.rows = a.Rows();
            area.columns = a.Columns();
            for (int r = 0; r < area.rows; ++r)
                for (int c = 0; c < area.columns; ++c) {
                    model::CellValue& cell = area.cells.emplace_back();
                    const int row = a.start.row + r, column = a.start.column + c;
                    cell.id = table_.FindCell(a.start.sheet, row, column);
                    if (auto data = cells_.GetCell(a.start.sheet, row, column)) {
                        cell.text = data->valueText;
                        char* end = nullptr;
                        cell.number = std::strtod(cell.text.c_str(), &end);
                        cell.kind = !cell.text.empty() && *end == '\0' ? model::CellValue::kNumber
                                                                        : model::CellValue::kText;
                    }
                }
        }
        return areas;
    }
    bool HasFormula(std::int32_t) override { return false; }
    int FindRange(const model::RangeHandle& range) override { return table_.FindRange(*AsRange(&range)); }
    const model::RangeHandle* GetRange(int index) override
    {
        return index < 0 ? nullptr : table_.GetRange(static_cast<std::size_t>(index));
    }
    const model::RangeHandle* MakeSubRange(const model::RangeHandle&, int, int, int, int, int) override
    {
        return nullptr;
    }
    void ModelLinksChanged() override {}
    std::uint64_t GetTableGeneration() override { return 1; }

private:
    CVariableTable& table_;
    CCellModel& cells_;
};

// Previews land in the test's own folder.
class FolderTempFiles : public publish::ITempFileMaker {
public:
    explicit FolderTempFiles(std::filesystem::path folder) : folder_(std::move(folder)) {}
    std::filesystem::path Create(const std::string& prefix, const std::string& extension) override
    {
        if (refuse)
            return {};
        std::filesystem::path file = folder_ / (prefix + std::to_string(made.size()) + extension);
        std::ofstream(file).flush();
        made.push_back(file);
        return file;
    }
    void Discard(const std::filesystem::path& file) override { std::filesystem::remove(file); }
    std::vector<std::filesystem::path> made;
    bool refuse = false;

private:
    std::filesystem::path folder_;
};

void Drop(CParameterSet* set, const char* key)
{
    for (int i = 0; i < set->GetCount(); ++i)
        if (set->GetAt(i)->GetName() == key)
            set->RemoveAt(i--);
}

std::string ReadText(const std::filesystem::path& file)
{
    std::ifstream in(file, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

class XmlDataPagesTest : public pagetest::PageTest {
protected:
    using General = CXMLDataGeneralPage;

    void SetUp() override
    {
        PageTest::SetUp();
        shell = &UseRecordingShell();
    }
    void TearDown() override
    {
        PageTest::TearDown();
        ResetShellService();
    }

    CParameter* Key(const char* key) { return pages::FindInComponent(defaults.parameters.get(), key); }
    General& OpenGeneral()
    {
        return Show(std::make_unique<General>(&temporaries), defaults.parameters.get(), "General",
                    defaults.parameters.get());
    }
    CListBox& List(int id) { return *static_cast<CListBox*>(Item(id)); }
    void SelectEntry(int listId, int index) { List(listId).UserSelect(index); }
    std::vector<std::string> Names(const char* key)
    {
        std::vector<std::string> names;
        const CParameter* array = Key(key);
        for (int i = 0; i < array->GetElementCount(); ++i)
            names.push_back(array->GetElement(i)->GetString());
        return names;
    }
    void SetNumber(const char* sheet, int row, int column, const std::string& text)
    {
        cells.SetCell(sheet, row, column, CCellData{text, "number", "", false});
    }
    void SetText(const char* sheet, int row, int column, const std::string& text)
    {
        cells.SetCell(sheet, row, column, CCellData{text, "string", "", false});
    }

    TableLink link{table, cells};
    testsupport::TempDir folder;
    FolderTempFiles temporaries{folder.path()};
    CRecordingShell* shell = nullptr;
};

// ---- the file ----

// Hand-made arrays: names, and a ranges binding whose value holds one element per bound entry.
struct Arrays {
    CParameter names{"sendNames_ary", ParamType::List};
    CParameter ranges{"sendRanges_ary", ParamType::CellBinding};
    std::vector<std::unique_ptr<CXMLDataEntry>> entries;

    void Name(const std::string& name) { names.InsertElementCopy(CParameter("0", ParamType::Text), -1)->SetString(name); }
    // An element of rows of texts.
    void Values(const std::vector<std::vector<std::string>>& rows)
    {
        CParameter& value = ranges.GetBinding()->GetValue();
        if (value.GetType() != ParamType::List)
            value.SetType(ParamType::List);
        CParameter* element = value.InsertElementCopy(CParameter("0", ParamType::List), -1);
        for (const auto& row : rows) {
            CParameter* r = element->InsertElementCopy(CParameter("0", ParamType::List), -1);
            for (const std::string& cell : row)
                r->InsertElementCopy(CParameter("0", ParamType::Text), -1)->SetString(cell);
        }
    }
    void Entry(const model::RangeHandle* range)
    {
        entries.push_back(std::make_unique<CXMLDataEntry>());
        entries.back()->GetRangeBinding().SetRange(range);
    }
};

TEST_F(XmlDataPagesTest, TheFileEscapesNamesAndValuesAndEndsWithoutLineBreak)
{
    CRange one;
    one.AddArea(CCellRef("S", 1, 1), CCellRef("S", 1, 2));
    const model::RangeHandle* bound = table.GetRange(static_cast<std::size_t>(table.AddRange(one)));

    Arrays a;
    EXPECT_EQ(pages::XMLDataFileText(&a.names, &a.ranges, a.entries), "<data>\r\n</data>");

    a.Name("a<b&c");
    a.Name("B \"quoted\"");
    a.Values({{"x>y", "&amp;"}});
    a.Entry(bound);
    a.Entry(nullptr);
    EXPECT_EQ(pages::XMLDataFileText(&a.names, &a.ranges, a.entries),
              "<data>\r\n"
              " <variable name=\"a&lt;b&amp;c\">\r\n"
              "  <row>\r\n"
              "   <column>x&gt;y</column>\r\n"
              "   <column>&amp;amp;</column>\r\n"
              "  </row>\r\n"
              " </variable>\r\n"
              // A quotation mark in a name would end the attribute: it is written as an entity.
              " <variable name=\"B &quot;quoted&quot;\">\r\n"
              " </variable>\r\n"
              "</data>");
}

TEST_F(XmlDataPagesTest, EntriesWithoutRangeTakeNoElementAndUndefinedCellsAreEmpty)
{
    CRange one;
    one.AddArea(CCellRef("S", 1, 1), CCellRef("S", 1, 1));
    const model::RangeHandle* bound = table.GetRange(static_cast<std::size_t>(table.AddRange(one)));

    Arrays a;
    for (const char* name : {"first", "second", "third", "extra"})
        a.Name(name);
    a.Values({{"1"}});
    a.Values({{"3", "undefined"}, {"4", "5"}});
    a.ranges.GetBinding()->GetValue().GetElement(1)->GetElement(0)->GetElement(1)->SetUndefined(true);
    a.Entry(bound);
    a.Entry(nullptr);
    a.Entry(bound);
    // "extra" has no entry at all (a names array longer than the list): it carries no values.
    const std::string text = pages::XMLDataFileText(&a.names, &a.ranges, a.entries);
    EXPECT_EQ(text, "<data>\r\n"
                    " <variable name=\"first\">\r\n  <row>\r\n   <column>1</column>\r\n  </row>\r\n </variable>\r\n"
                    " <variable name=\"second\">\r\n </variable>\r\n"
                    " <variable name=\"third\">\r\n  <row>\r\n   <column>3</column>\r\n   <column></column>\r\n"
                    "  </row>\r\n  <row>\r\n   <column>4</column>\r\n   <column>5</column>\r\n  </row>\r\n"
                    " </variable>\r\n"
                    " <variable name=\"extra\">\r\n </variable>\r\n"
                    "</data>");

    // Nothing to write into: the call says so.
    EXPECT_FALSE(pages::WriteXMLDataFile(folder / "missing" / "kv0.xml", &a.names, &a.ranges, a.entries));
    EXPECT_TRUE(pages::WriteXMLDataFile(folder / "kv0.xml", &a.names, &a.ranges, a.entries));
    EXPECT_EQ(ReadText(folder / "kv0.xml"), text);
}

// ---- General ----

TEST_F(XmlDataPagesTest, GeneralOpensOnTheLoadSideOfAShippedConnection)
{
    Load("KVXMLDataSymbol", "");
    OpenGeneral();
    EXPECT_EQ(Text(General::IDC_LABEL), "XML Data");
    EXPECT_FALSE(Checked(General::IDC_ENABLE_SEND));
    EXPECT_TRUE(Checked(General::IDC_ENABLE_LOAD));
    for (int id : {General::IDC_SEND_LIST, General::IDC_SEND_ADD, General::IDC_SEND_REMOVE, General::IDC_SEND_PREVIEW})
        EXPECT_FALSE(Enabled(id)) << id;
    EXPECT_TRUE(Enabled(General::IDC_LOAD_LIST));
    EXPECT_TRUE(Enabled(General::IDC_LOAD_ADD));
    EXPECT_FALSE(Enabled(General::IDC_LOAD_REMOVE));
    EXPECT_FALSE(Enabled(General::IDC_LOAD_PREVIEW));
    EXPECT_FALSE(Enabled(General::IDC_LOAD_NAME));
    Click(General::IDC_LOAD_ADD);
    Click(General::IDC_LOAD_ADD);
    Picture("xml-data-general");
}

TEST_F(XmlDataPagesTest, TheLastTransferringSideCannotBeSwitchedOff)
{
    Load("KVXMLDataSymbol", "");
    OpenGeneral();
    CParameter* type = Key("transferType");
    Click(General::IDC_ENABLE_LOAD);
    EXPECT_EQ(pages::ChoiceText(type), "send");
    EXPECT_TRUE(Checked(General::IDC_ENABLE_SEND));
    EXPECT_TRUE(Enabled(General::IDC_SEND_ADD));
    EXPECT_FALSE(Enabled(General::IDC_LOAD_ADD));
    Click(General::IDC_ENABLE_LOAD);
    EXPECT_EQ(pages::ChoiceText(type), "sendAndLoad");
    Click(General::IDC_ENABLE_SEND);
    EXPECT_EQ(pages::ChoiceText(type), "load");
    Click(General::IDC_ENABLE_LOAD);
    EXPECT_EQ(pages::ChoiceText(type), "send");
    // The stage shows no direction: nothing is republished, the document is changed.
    EXPECT_EQ(Notified(), 0);
    EXPECT_EQ(owner.marked, 4);
}

TEST_F(XmlDataPagesTest, AddingAndRemovingKeepTheNamesAndTheCounter)
{
    Load("KVXMLDataSymbol", "");
    OpenGeneral();
    for (int i = 0; i < 3; ++i)
        Click(General::IDC_LOAD_ADD);
    EXPECT_EQ(Names("loadNames_ary"), (std::vector<std::string>{"Range0", "Range1", "Range2"}));
    EXPECT_EQ(List(General::IDC_LOAD_LIST).GetCurSel(), 2);
    EXPECT_EQ(Text(General::IDC_LOAD_NAME), "Range2");
    EXPECT_TRUE(Enabled(General::IDC_LOAD_REMOVE));

    // Removing the last item selects the new last one; without a selection nothing goes.
    Click(General::IDC_LOAD_REMOVE);
    EXPECT_EQ(Names("loadNames_ary"), (std::vector<std::string>{"Range0", "Range1"}));
    EXPECT_EQ(List(General::IDC_LOAD_LIST).GetCurSel(), 1);
    SelectEntry(General::IDC_LOAD_LIST, 0);
    EXPECT_EQ(Text(General::IDC_LOAD_NAME), "Range0");
    Click(General::IDC_LOAD_REMOVE);
    EXPECT_EQ(Names("loadNames_ary"), (std::vector<std::string>{"Range1"}));
    EXPECT_EQ(Text(General::IDC_LOAD_NAME), "Range1");
    List(General::IDC_LOAD_LIST).SetCurSel(-1);
    boxes->Answer(IDOK);
    Click(General::IDC_LOAD_REMOVE);
    ASSERT_EQ(boxes->Log().size(), 1u);
    EXPECT_EQ(boxes->Log()[0].text, General::kRemoveNothing);
    EXPECT_EQ(boxes->Log()[0].caption, General::kProgramTitle);
    EXPECT_EQ(Names("loadNames_ary").size(), 1u);

    // A one-item list emptied: no selection, empty and disabled fields.
    SelectEntry(General::IDC_LOAD_LIST, 0);
    Click(General::IDC_LOAD_REMOVE);
    EXPECT_EQ(List(General::IDC_LOAD_LIST).GetCount(), 0);
    EXPECT_EQ(Text(General::IDC_LOAD_NAME), "");
    EXPECT_FALSE(Enabled(General::IDC_LOAD_NAME));
    EXPECT_FALSE(Enabled(General::IDC_LOAD_RANGE_LINK));
    EXPECT_FALSE(Enabled(General::IDC_LOAD_REMOVE));
    EXPECT_EQ(Notified(), 0);

    // The numbering goes on in the next opening of the sheet, from the stored counter.
    OpenGeneral();
    Click(General::IDC_LOAD_ADD);
    EXPECT_EQ(Names("loadNames_ary"), (std::vector<std::string>{"Range3"}));
}

TEST_F(XmlDataPagesTest, APageThatNeverOpenedLeavesTheCounterAlone)
{
    Load("KVXMLDataSymbol", "");
    const std::uint8_t seven[4] = {7, 0, 0, 0};
    owner.properties.SetProperty("LoadIndex", seven, 4);
    {
        General unopened(&temporaries);
        unopened.Create(defaults.parameters.get(), "General", false, &owner, defaults.parameters.get());
    }
    OpenGeneral();
    Click(General::IDC_LOAD_ADD);
    EXPECT_EQ(Names("loadNames_ary"), (std::vector<std::string>{"Range7"}));
}

TEST_F(XmlDataPagesTest, LinkedEntriesSurviveReopeningAndPreviewTheirCells)
{
    ImportWorkbook();
    SetNumber("Inputs", 4, 2, "1.5");
    SetText("Inputs", 4, 3, "a<b");
    SetNumber("Inputs", 5, 2, "2");
    SetNumber("Inputs", 5, 3, "3");
    SetText("Inputs", 8, 2, "price");
    SetNumber("Inputs", 9, 2, "7");
    Load("KVXMLDataSymbol", "");
    OpenGeneral();
    for (int i = 0; i < 3; ++i)
        Click(General::IDC_LOAD_ADD);

    SelectEntry(General::IDC_LOAD_LIST, 0);
    picker->Answer(RangePickOutcome::Picked, "'Inputs'!$B$4:$C$5");
    Click(General::IDC_LOAD_RANGE_LINK);
    EXPECT_EQ(Text(General::IDC_LOAD_RANGE), "'Inputs'!$B$4:$C$5");
    EXPECT_EQ(Notified(), 1);

    // The name taken from a cell; a cleared pick afterwards keeps it.
    SelectEntry(General::IDC_LOAD_LIST, 2);
    picker->Answer(RangePickOutcome::Picked, "'Inputs'!$B$8");
    Click(General::IDC_LOAD_NAME_LINK);
    EXPECT_EQ(List(General::IDC_LOAD_LIST).GetText(2), "price");
    EXPECT_EQ(Text(General::IDC_LOAD_NAME), "'Inputs'!$B$8");
    picker->Answer(RangePickOutcome::Picked, "'Inputs'!$B$9");
    Click(General::IDC_LOAD_RANGE_LINK);
    picker->Answer(RangePickOutcome::Cleared);
    Click(General::IDC_LOAD_NAME_LINK);
    EXPECT_EQ(List(General::IDC_LOAD_LIST).GetText(2), "price");

    // Typing a name; an empty one keeps the old.
    SelectEntry(General::IDC_LOAD_LIST, 1);
    TypeInto(General::IDC_LOAD_NAME, "middle");
    TypeInto(General::IDC_LOAD_NAME, "");
    EXPECT_EQ(Text(General::IDC_LOAD_NAME), "middle");
    EXPECT_EQ(Names("loadNames_ary"), (std::vector<std::string>{"Range0", "middle", "price"}));

    // The ranges array holds the two entries that have cells, each as rows.
    const CParameter& value = Key("loadRanges_ary")->GetBinding()->GetValue();
    ASSERT_EQ(value.GetElementCount(), 2);
    ASSERT_EQ(value.GetElement(0)->GetElementCount(), 2);
    EXPECT_EQ(value.GetElement(0)->GetElement(1)->GetElement(1)->GetValueText(), "3");
    EXPECT_EQ(value.GetElement(1)->GetElement(0)->GetElement(0)->GetValueText(), "7");
    EXPECT_EQ(Key("loadRanges_ary")->GetBinding()->GetRecordedRanges().size(), 3u);
    EXPECT_EQ(Key("loadRanges_ary")->GetBinding()->GetRecordedRanges()[1], -1);

    Click(General::IDC_LOAD_PREVIEW);
    ASSERT_EQ(temporaries.made.size(), 1u);
    ASSERT_EQ(shell->requests.size(), 1u);
    EXPECT_EQ(shell->requests[0].target, temporaries.made[0].string());
    EXPECT_EQ(ReadText(temporaries.made[0]),
              "<data>\r\n"
              " <variable name=\"Range0\">\r\n"
              "  <row>\r\n   <column>1.5</column>\r\n   <column>a&lt;b</column>\r\n  </row>\r\n"
              "  <row>\r\n   <column>2</column>\r\n   <column>3</column>\r\n  </row>\r\n"
              " </variable>\r\n"
              " <variable name=\"middle\">\r\n </variable>\r\n"
              " <variable name=\"price\">\r\n  <row>\r\n   <column>7</column>\r\n  </row>\r\n </variable>\r\n"
              "</data>");

    // The next opening of the sheet finds the same list, the entry without cells included.
    auto& again = OpenGeneral();
    ASSERT_EQ(again.LoadEntries().size(), 3u);
    EXPECT_FALSE(again.LoadEntries()[1]->GetRangeBinding().IsBound());
    EXPECT_EQ(List(General::IDC_LOAD_LIST).GetText(1), "middle");
    EXPECT_TRUE(Enabled(General::IDC_LOAD_REMOVE));
    SelectEntry(General::IDC_LOAD_LIST, 2);
    EXPECT_EQ(Text(General::IDC_LOAD_RANGE), "'Inputs'!$B$9");
    SelectEntry(General::IDC_LOAD_LIST, 0);
    EXPECT_EQ(Text(General::IDC_LOAD_RANGE), "'Inputs'!$B$4:$C$5");
    EXPECT_EQ(Text(General::IDC_LOAD_NAME), "Range0");
}

TEST_F(XmlDataPagesTest, APreviewThatCannotBeWrittenSaysSoAndOpensNothing)
{
    Load("KVXMLDataSymbol", "");
    OpenGeneral();
    Click(General::IDC_LOAD_ADD);
    temporaries.refuse = true;
    boxes->Answer(IDOK);
    Click(General::IDC_LOAD_PREVIEW);
    ASSERT_EQ(boxes->Log().size(), 1u);
    EXPECT_EQ(boxes->Log()[0].caption, std::string("Error"));
    EXPECT_TRUE(shell->requests.empty());
}

TEST_F(XmlDataPagesTest, LinkingWithoutEntriesOrSelectionAsksForOne)
{
    ImportWorkbook();
    Load("KVXMLDataSymbol", "");
    auto& page = OpenGeneral();
    // The link buttons are disabled then; the handlers still refuse on their own.
    EXPECT_FALSE(Enabled(General::IDC_LOAD_RANGE_LINK));
    boxes->Answer(IDOK);
    page.OnLoadRangeLink();
    Click(General::IDC_LOAD_ADD);
    List(General::IDC_LOAD_LIST).SetCurSel(-1);
    boxes->Answer(IDOK);
    boxes->Answer(IDOK);
    page.OnLoadRangeLink();
    page.OnLoadNameLink();
    ASSERT_EQ(boxes->Log().size(), 3u);
    EXPECT_EQ(boxes->Log()[0].text, General::kNoEntries);
    EXPECT_EQ(boxes->Log()[1].text, General::kLinkNothing);
    EXPECT_EQ(boxes->Log()[2].text, General::kLinkNothing);
    EXPECT_EQ(Notified(), 0);
}

TEST_F(XmlDataPagesTest, LabelAndAddressAreTypedOrLinked)
{
    ImportWorkbook();
    Load("KVXMLDataSymbol", "");
    OpenGeneral();
    TypeInto(General::IDC_URL, "http://127.0.0.1/data.xml");
    EXPECT_EQ(Key("url")->GetBinding()->GetValue().GetString(), "http://127.0.0.1/data.xml");
    picker->Answer(RangePickOutcome::Picked, "'Inputs'!$B$4");
    Click(General::IDC_LABEL_LINK);
    EXPECT_TRUE(Key("label")->GetBinding()->IsBound());
    picker->Answer(RangePickOutcome::Cleared);
    Click(General::IDC_LABEL_LINK);
    EXPECT_EQ(Key("label")->GetBinding()->GetValue().GetString(), "");
    EXPECT_EQ(Notified(), 3);
}

TEST_F(XmlDataPagesTest, HelpTopicsFollowTheFocusedControl)
{
    Load("KVXMLDataSymbol", "");
    auto& page = OpenGeneral();
    const std::pair<int, int> topics[] = {
        {General::IDC_LABEL, 2332},       {General::IDC_LABEL_LINK, 2332}, {General::IDC_URL, 2335},
        {General::IDC_URL_LINK, 2335},    {General::IDC_ENABLE_SEND, 2334}, {General::IDC_ENABLE_LOAD, 2333},
        {General::IDC_LOAD_ADD, 2333},    {General::IDC_LOAD_LIST, 2333},
    };
    for (const auto& [id, topic] : topics) {
        Item(id)->SetFocus();
        EXPECT_EQ(page.GetHelpContextId(), topic) << id;
    }
}

// ---- Behavior ----

TEST_F(XmlDataPagesTest, BehaviorIntervalFollowsRefreshOnInterval)
{
    using Page = CXMLDataBehaviorPage;
    Load("KVXMLDataSymbol", "");
    auto& page = Open<Page>(defaults.parameters.get(), "Behavior");
    EXPECT_TRUE(Checked(Page::IDC_REFRESH_LOAD));
    EXPECT_FALSE(Checked(Page::IDC_REFRESH_AUTO));
    EXPECT_FALSE(Enabled(Page::IDC_INTERVAL_LABEL));
    EXPECT_FALSE(Enabled(Page::IDC_INTERVAL));
    EXPECT_FALSE(Enabled(Page::IDC_DURATION));
    Click(Page::IDC_REFRESH_AUTO);
    EXPECT_TRUE(Key("refreshAuto")->GetBool());
    EXPECT_TRUE(Enabled(Page::IDC_INTERVAL_LABEL));
    EXPECT_TRUE(Enabled(Page::IDC_INTERVAL));
    EXPECT_EQ(Notified(), 1);
    // Activation applies the rule again.
    Key("refreshAuto")->SetBool(false);
    page.OnSetActive();
    EXPECT_FALSE(Enabled(Page::IDC_INTERVAL));
    Key("refreshAuto")->SetBool(true);
    page.OnSetActive();

    Choose(Page::IDC_EFFECT, 1);
    EXPECT_EQ(Key("introStyle")->GetString(), "Fade-in");
    EXPECT_TRUE(Enabled(Page::IDC_DURATION));
    Choose(Page::IDC_EFFECT, 0);
    EXPECT_FALSE(Enabled(Page::IDC_DURATION));
    EXPECT_EQ(Notified(), 3);
    Picture("xml-data-behavior");

    auto* interval = dynamic_cast<CSpinEdit*>(Item(Page::IDC_INTERVAL));
    ASSERT_NE(interval, nullptr);
    interval->Increment();
    EXPECT_EQ(Key("refreshInterval")->GetDouble(), 61);
    EXPECT_EQ(Notified(), 4);
}

TEST_F(XmlDataPagesTest, BehaviorWithoutRefreshOnIntervalDisablesIt)
{
    using Page = CXMLDataBehaviorPage;
    CParameterSet* root = Load("KVXMLDataSymbol", "");
    CParameterSet* behavior = root->FindParameter("Behavior")->GetSet();
    Drop(behavior, "refreshAuto");
    Open<Page>(root, "Behavior");
    EXPECT_FALSE(Enabled(Page::IDC_REFRESH_AUTO));
    EXPECT_TRUE(Visible(Page::IDC_REFRESH_AUTO));
    EXPECT_FALSE(Enabled(Page::IDC_INTERVAL));
    EXPECT_FALSE(Enabled(Page::IDC_INTERVAL_LABEL));
}

// ---- Appearance ----

TEST_F(XmlDataPagesTest, AppearanceCustomColourFollowsItsCheckBox)
{
    using Page = CXMLDataAppearancePage;
    Load("KVXMLDataSymbol", "");
    Open<Page>(defaults.parameters.get(), "Appearance");
    EXPECT_EQ(Text(Page::IDC_POSITION), "left");
    EXPECT_TRUE(Visible(Page::IDC_TRANSPARENCY));
    EXPECT_FALSE(Enabled(Page::IDC_COLOR));
    Click(Page::IDC_USE_COLOR);
    EXPECT_TRUE(Enabled(Page::IDC_COLOR));
    files->AnswerColour(RGB(0x11, 0x22, 0x33));
    Click(Page::IDC_COLOR);
    EXPECT_EQ(Key("customColor")->GetColor(), 0x112233u);
    Choose(Page::IDC_POSITION, 2);
    EXPECT_EQ(pages::ChoiceText(Key("labelAlignment")), "right");
    Picture("xml-data-appearance");
    Click(Page::IDC_USE_COLOR);
    EXPECT_FALSE(Enabled(Page::IDC_COLOR));
    EXPECT_EQ(Key("customColor")->GetColor(), 0x112233u);
    EXPECT_EQ(Notified(), 4);
}

TEST_F(XmlDataPagesTest, AppearanceWithoutTransparencyShowsNoSpin)
{
    using Page = CXMLDataAppearancePage;
    CParameterSet* root = Load("KVXMLDataSymbol", "");
    CParameterSet* appearance = root->FindParameter("Appearance")->GetSet();
    Drop(appearance, "transparency");
    Open<Page>(root, "Appearance");
    EXPECT_FALSE(Visible(Page::IDC_TRANSPARENCY));
    EXPECT_FALSE(Visible(Page::IDC_TRANSPARENCY_LABEL));
}

} // namespace
