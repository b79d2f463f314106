#include "publish/DocBuilder.h"

#include "model/CellBinding.h"
#include "model/ComponentCatalog.h"
#include "model/FileBytes.h"
#include "model/Parameter.h"
#include "model/ParameterSet.h"
#include "model/TextUtil.h"
#include "model/ValueList.h"
#include "publish/BaseMovie.h"
#include "publish/CompileModel.h"
#include "publish/DocWriter.h"
#include "publish/ExportSettings.h"
#include "sheet/cells/CellModel.h"
#include "sheet/cells/Range.h"
#include "sheet/cells/RangeText.h"
#include "sheet/cells/VariableTable.h"
#include "sheet/workbook/WorkbookError.h"
#include "sheet/workbook/WorkbookImport.h"
#include "sheet/workbook/XlsxReader.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace publish {

namespace {

[[noreturn]] void Fail(const std::string& where, const std::string& why)
{
    throw DescriptionError(where + ": " + why);
}

// A setting with limits takes in a description only what its property page lets the person
// choose: a value past them can break the component's drawing (a slice line wider than the
// slice hides it).
void RequireWithinRange(const CParameter& p, double value, const std::string& where)
{
    const std::optional<ParamRange>& range = p.GetRange();
    if (range && (value < range->minimum || value > range->maximum))
        Fail(where, FormatDouble(value, 15) + " is past the limits of this setting (" +
                        FormatDouble(range->minimum, 15) + " to " + FormatDouble(range->maximum, 15) + ")");
}

// The path of groups (from set, joined by dots) that holds a parameter of this name, for a
// description that names a parameter one group too high; empty when none does.
std::string GroupHolding(CParameterSet& set, const std::string& name, int depth = 0)
{
    if (depth > 8)
        return {};
    for (int i = 0; i < set.GetCount(); ++i) {
        CParameter* p = set.GetAt(i);
        if (p->GetType() != model::ParamType::Group || !p->GetSet())
            continue;
        if (p->GetSet()->FindParameter(name))
            return p->GetName();
        const std::string deeper = GroupHolding(*p->GetSet(), name, depth + 1);
        if (!deeper.empty())
            return p->GetName() + "." + deeper;
    }
    return {};
}

std::vector<unsigned char> ReadInput(const std::filesystem::path& file, std::uint64_t maxBytes = 256ull << 20)
{
    std::vector<unsigned char> bytes;
    std::string reason;
    if (!model::ReadFileBytes(file.string(), bytes, static_cast<std::size_t>(maxBytes), &reason)) {
        throw DescriptionError(file.string() + ": cannot be read (" + reason + ")");
    }
    return bytes;
}

class Builder {
public:
    Builder(const DocDescription& description, CBaseMovie& base) : d_(description), base_(base) {}

    std::vector<unsigned char> Build();

private:
    void ImportWorkbook();
    // The largest workbook file read: what the reader's bounds take, at least what any other input may be.
    std::uint64_t WorkbookBytes() const
    {
        return std::max<std::uint64_t>(256ull << 20, base_.GetWorkbookReading().limits.maxPackageBytes);
    }
    const CRange* AddRange(const std::string& text, const std::string& where);
    void PlaceComponents();
    void ApplyParameters(CParameterSet& set, const json::Value& values, const std::string& where);
    void ApplyValue(CParameter& parameter, const json::Value& value, const std::string& where);
    void ApplyBinding(CParameter& parameter, const json::Value& value, const std::string& where);
    void SetRangeEntries();
    void SetExportSettings();
    void MakeCanvasObjects();

    const DocDescription& d_;
    CBaseMovie& base_;
    std::vector<std::unique_ptr<CComponent>> components_;
    CDocData doc_;
};

void Builder::ImportWorkbook()
{
    if (d_.workbook.empty()) {
        return;
    }
    const std::string where = d_.workbook.string();
    try {
        sheet::FillResult result =
            sheet::FillCellModel(sheet::xlsx::ReadWorkbook(ReadInput(d_.workbook, WorkbookBytes()),
                                                           base_.GetWorkbookReading()),
                                 base_.GetCellModel());
        if (result.outcome != sheet::FillOutcome::Done) {
            Fail(where, sheet::FailureText(result));
        }
    } catch (const sheet::WorkbookError& error) {
        Fail(where, error.what());
    }
}

const CRange* Builder::AddRange(const std::string& text, const std::string& where)
{
    CRange range;
    std::vector<std::string> areas = sheet::SplitRangeAreas(text);
    for (const std::string& area : areas) {
        CCellRef start, end;
        if (!sheet::ParseRangeArea(area, base_.GetCellModel(), start, end) || !range.AddArea(start, end)) {
            Fail(where, "\"" + text + "\" is not a range of the workbook");
        }
    }
    if (areas.empty()) {
        Fail(where, "an empty range");
    }
    const int index = base_.GetVariableTable().AddRange(range);
    if (index < 0) {
        Fail(where, "the ranges of the document hold too many cells");
    }
    return base_.GetVariableTable().GetRange(static_cast<std::size_t>(index));
}

void Builder::PlaceComponents()
{
    CComponentCatalog* catalog = GetComponentCatalog();
    for (const ComponentDescription& c : d_.components) {
        CSwfComponent* prototype = catalog ? catalog->FindByTypeName(c.symbol) : nullptr;
        if (!prototype) {
            Fail(c.where + ".symbol", "no component \"" + c.symbol + "\" in the catalogue");
        }
        std::unique_ptr<CComponent> component = prototype->CreateInstance();
        if (!c.name.empty()) {
            component->SetName(c.name);
        }
        // The placement bounds stay the symbol's own (from the catalogue): the rectangle says
        // where it goes.
        component->SetRect(c.rect);
        if (c.parameters.kind == json::Kind::Object) {
            if (!component->GetParameters()) {
                Fail(c.where + ".parameters", "the component has no parameters");
            }
            ApplyParameters(*component->GetParameters(), c.parameters, c.where + ".parameters");
        }
        components_.push_back(std::move(component));
    }
}

void Builder::ApplyParameters(CParameterSet& set, const json::Value& values, const std::string& where)
{
    if (values.kind != json::Kind::Object) {
        Fail(where, "expected an object of parameters");
    }
    for (const json::Member& member : values.members) {
        CParameter* parameter = set.FindParameter(member.key);
        if (!parameter) {
            const std::string group = GroupHolding(set, member.key);
            Fail(where, "no parameter \"" + member.key + "\" here" +
                            (group.empty() ? std::string() : "; it is in the group \"" + group + "\""));
        }
        ApplyValue(*parameter, member.value, where + "." + member.key);
    }
}

void Builder::ApplyValue(CParameter& p, const json::Value& value, const std::string& where)
{
    auto expect = [&](json::Kind kind) {
        if (value.kind != kind) {
            Fail(where, std::string("expected ") + json::KindName(kind) + " for this parameter");
        }
    };
    switch (p.GetType()) {
    case model::ParamType::Text:
    case model::ParamType::OtherText:
        expect(json::Kind::String);
        p.SetString(value.text);
        return;
    case model::ParamType::Number:
        expect(json::Kind::Number);
        RequireWithinRange(p, value.number, where);
        p.SetDouble(value.number);
        return;
    case model::ParamType::Boolean:
        expect(json::Kind::Boolean);
        p.SetBool(value.boolean);
        return;
    case model::ParamType::Integer:
        expect(json::Kind::Number);
        if (value.number != std::floor(value.number) ||
            std::fabs(value.number) > std::numeric_limits<std::int32_t>::max()) {
            Fail(where, "expected a whole number");
        }
        RequireWithinRange(p, value.number, where);
        p.SetInt(static_cast<std::int32_t>(value.number));
        return;
    case model::ParamType::Color: {
        expect(json::Kind::String);
        std::optional<std::uint32_t> color = ParseColorText(value.text);
        if (!color) {
            Fail(where, "expected a colour as \"#RRGGBB\" or \"0xRRGGBB\"");
        }
        p.SetColor(*color);
        return;
    }
    case model::ParamType::Choice: {
        expect(json::Kind::String);
        CValueList& list = *p.GetValueList();
        const auto& allowed = list.GetAllowedValues();
        if ((!allowed.empty() && std::find(allowed.begin(), allowed.end(), value.text) == allowed.end()) ||
            !model::StoreChoiceText(list.GetPrototype(), value.text, false)) {
            Fail(where, "\"" + value.text + "\" is not one of the choices");
        }
        return;
    }
    case model::ParamType::Group:
        // A number format may be given by its code alone, as it was before it became a group.
        if (value.kind == json::Kind::String && p.GetSet() != nullptr) {
            if (CParameter* code = p.GetSet()->FindParameter("numFormat")) {
                code->SetString(value.text);
                return;
            }
        }
        ApplyParameters(*p.GetSet(), value, where);
        return;
    case model::ParamType::List:
    case model::ParamType::CellList:
    case model::ParamType::CellTable:
        expect(json::Kind::Array);
        p.ClearElements();
        for (std::size_t i = 0; i < value.items.size(); ++i) {
            CParameter* element = p.InsertTemplateElement(static_cast<int>(i));
            if (!element) {
                Fail(where, "the list has no element template");
            }
            ApplyValue(*element, value.items[i], where + "[" + std::to_string(i) + "]");
        }
        return;
    case model::ParamType::CellBinding:
        ApplyBinding(p, value, where);
        return;
    default:
        Fail(where, "this parameter takes no value");
    }
}

// A binding is a range text, or an object with the range and the direction of the data.
void Builder::ApplyBinding(CParameter& p, const json::Value& value, const std::string& where)
{
    std::string text;
    int direction = -1;
    if (value.kind == json::Kind::String) {
        text = value.text;
    } else if (value.kind == json::Kind::Object) {
        for (const json::Member& member : value.members) {
            if (member.key == "range" && member.value.kind == json::Kind::String) {
                text = member.value.text;
            } else if (member.key == "direction" && member.value.kind == json::Kind::String) {
                direction = model::DirectionFromName(member.value.text);
                if (direction < 0) {
                    Fail(where + ".direction", "expected \"both\", \"input\", \"output\" or \"none\"");
                }
            } else {
                Fail(where, "a binding holds a \"range\" text and a \"direction\" text only");
            }
        }
    } else {
        Fail(where, "expected a range text or an object with \"range\" and \"direction\"");
    }
    CCellBinding& binding = *p.GetBinding();
    if (direction >= 0) {
        binding.SetDirection(direction);
    }
    // As a pick in the workbook does: the range and its text, then the values of its cells.
    const CRange* range = text.empty() ? nullptr : AddRange(text, where);
    binding.SetRange(range);
    binding.RefreshParameter(range, true);
}

void Builder::SetRangeEntries()
{
    std::vector<CRangeEntry>& entries = base_.GetRangeEntries();
    entries.clear();
    for (std::size_t i = 0; i < d_.rangeEntries.size(); ++i) {
        const RangeEntryDescription& e = d_.rangeEntries[i];
        CRangeEntry entry;
        entry.name = e.name;
        if (!e.range.empty()) {
            const CRange* range =
                AddRange(e.range, "description.rangeEntries[" + std::to_string(i) + "].range");
            entry.rangeIndex = base_.GetVariableTable().FindRange(*range);
            entry.rangeText = range->GetText();
        }
        entries.push_back(std::move(entry));
    }
}

void Builder::SetExportSettings()
{
    if (!d_.exportSettings) {
        return;
    }
    const ExportSettingsDescription& s = *d_.exportSettings;
    CExportSettings& settings = base_.GetExportSettings();
    if (s.mode) {
        settings.mode = static_cast<DataSourceMode>(*s.mode);
    }
    if (s.connectionMethod) {
        settings.connectionMethod = static_cast<ConnectionMethod>(*s.connectionMethod);
    }
    settings.excelFile = s.excelFile.value_or(settings.excelFile);
    settings.url = s.url.value_or(settings.url);
    settings.gatewayUrl = s.gatewayUrl.value_or(settings.gatewayUrl);
    settings.password = s.password.value_or(settings.password);
    settings.refreshSeconds = s.refreshSeconds.value_or(settings.refreshSeconds);
    settings.refresh = s.refresh.value_or(settings.refresh);
    settings.sampleQuery = s.sampleQuery.value_or(settings.sampleQuery);
    settings.collaboration = s.collaboration.value_or(settings.collaboration);
    settings.realTimeCollaboration = s.realTimeCollaboration.value_or(settings.realTimeCollaboration);
    settings.edited = true;
    if (s.urlCell) {
        const std::string where = "description.exportSettings.urlCell";
        const CRange* range = AddRange(*s.urlCell, where);
        if (range->GetCellCount() != 1) {
            Fail(where, "expected one cell");
        }
        settings.SetUrlCell(*range->GetCell(0));
    }
}

// One canvas object per component, in the description's order, except that the members of a
// group make one object at the place of their first member.
void Builder::MakeCanvasObjects()
{
    std::vector<const std::vector<std::size_t>*> groupOf(components_.size(), nullptr);
    for (const auto& group : d_.groups) {
        for (std::size_t member : group) {
            groupOf[member] = &group;
        }
    }
    std::vector<bool> placed(components_.size(), false);
    for (std::size_t i = 0; i < components_.size(); ++i) {
        if (placed[i]) {
            continue;
        }
        std::vector<std::size_t> members = groupOf[i] ? *groupOf[i] : std::vector<std::size_t>{i};
        auto record = std::make_unique<CObjectRecord>();
        record->rect = components_[members.front()]->GetRect();
        record->enabled = d_.components[members.front()].enabled ? 1 : 0;
        for (std::size_t m : members) {
            placed[m] = true;
            const ComponentRect r = components_[m]->GetRect();
            record->rect = {std::min(record->rect.left, r.left), std::min(record->rect.top, r.top),
                            std::max(record->rect.right, r.right), std::max(record->rect.bottom, r.bottom)};
            record->components.push_back(components_[m].get());
            record->names.push_back(components_[m]->GetName());
        }
        doc_.AddComponent(std::move(record));
    }
}

std::vector<unsigned char> Builder::Build()
{
    base_.ResetModel();
    ImportWorkbook();
    PlaceComponents();
    SetRangeEntries();
    SetExportSettings();
    MakeCanvasObjects();
    CompileModel(base_, doc_.GetInstances());

    doc_.SetStageSize(d_.width, d_.height);
    doc_.SetPaperColor(d_.paper[0], d_.paper[1], d_.paper[2]);
    doc_.SetDescription(d_.description);
    doc_.SetFileName(d_.modelSource.value_or(d_.workbook.filename().string()));

    DocFileContent content;
    content.version = d_.version;
    content.catalogVariant = d_.catalogVariant;
    content.doc = &doc_;
    content.base = &base_;
    if (!d_.workbook.empty()) {
        content.workbook = ReadInput(d_.workbook, WorkbookBytes());
    }
    for (const FileDescription& file : d_.files) {
        content.files.push_back({file.name, ReadInput(file.path)});
    }
    content.customColors = d_.customColors;
    return WriteDocumentFile(content);
}

} // namespace

std::vector<unsigned char> BuildDocument(const DocDescription& description, CBaseMovie& base)
{
    // The workbook is imported into the model as into a new document's, which starts empty.
    if (base.GetCellModel().GetCellCount() > 0) {
        throw DescriptionError("the model root already holds a model; a document is built on a new one");
    }
    model::ResetInstanceCounter();
    if (CComponentCatalog* catalog = GetComponentCatalog()) {
        catalog->ResetCounters();
    }
    return Builder(description, base).Build();
}

} // namespace publish
