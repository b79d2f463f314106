#include "model/Component.h"

#include "base/ModelError.h"
#include "model/BindingLink.h"
#include "model/CellBinding.h"
#include "model/ChartData.h"
#include "model/ComponentCatalog.h"
#include "model/ComponentClipParameters.h"
#include "model/ComponentDef.h"
#include "model/ParameterRecords.h"

#include "swf/ActionList.h"
#include "swf/SwfIds.h"
#include "swf/SwfMovie.h"
#include "swf/SwfPlaceObject2.h"

#include <cmath>
#include <functional>

using namespace model;

namespace {

std::int32_t ToFixed(double scale)
{
    double fixed = std::round(scale * 65536.0);
    if (!(fixed > INT32_MIN && fixed < INT32_MAX)) {
        return 0x10000;
    }
    return static_cast<std::int32_t>(fixed);
}

std::int32_t ToTwips(double value)
{
    if (!(value > INT32_MIN && value < INT32_MAX)) {
        return 0;
    }
    return static_cast<std::int32_t>(std::lround(value));
}

IComponentScripts*& InstalledScripts()
{
    static IComponentScripts* scripts = nullptr;
    return scripts;
}

} // namespace

namespace model {

void SetComponentScripts(IComponentScripts* scripts)
{
    InstalledScripts() = scripts;
}

void ResetComponentScripts()
{
    InstalledScripts() = nullptr;
}

IComponentScripts* GetComponentScripts()
{
    return InstalledScripts();
}

namespace {

std::uint32_t* g_instanceCounter = nullptr;

} // namespace

std::uint32_t& InstanceCounter()
{
    static std::uint32_t processCounter = 0;
    return g_instanceCounter ? *g_instanceCounter : processCounter;
}

void SetInstanceCounter(std::uint32_t* counter)
{
    g_instanceCounter = counter;
}

void ResetInstanceCounter()
{
    InstanceCounter() = 0;
}

std::string MakeInstanceName(const std::string& symbol, std::uint32_t number)
{
    std::string suffix = "_" + std::to_string(number);
    return symbol.substr(0, 63 - suffix.size()) + suffix;
}

} // namespace model

CComponentBase::CComponentBase(CComponentDef* definition) : definition_(definition)
{
}

CComponentBase::CComponentBase(const CComponentBase& other)
    : name_(other.name_), rect_(other.rect_), bounds_(other.bounds_), definition_(other.definition_),
      parameters_(other.parameters_ ? std::make_unique<CParameterSet>(*other.parameters_) : nullptr),
      properties_(other.properties_)
{
}

CComponentBase::~CComponentBase() = default;

std::string CComponentBase::GetTypeName() const
{
    return definition_ ? definition_->GetName() : std::string();
}

bool CComponentBase::HasTrait(std::string_view trait) const
{
    return definition_ != nullptr && definition_->HasTrait(trait);
}

void CComponentBase::SetBounds(double left, double top, double right, double bottom)
{
    bounds_ = {left, right, top, bottom};
}

void CComponentBase::GetSize(int& width, int& height) const
{
    width = static_cast<int>(GetWidth());
    height = static_cast<int>(GetHeight());
}

double CComponentBase::GetOriginX() const
{
    if (!definition_ || definition_->GetWidth() == 0) {
        return definition_ ? definition_->GetOriginX() : 0;
    }
    return definition_->GetOriginX() * GetWidth() / definition_->GetWidth();
}

double CComponentBase::GetOriginY() const
{
    if (!definition_ || definition_->GetHeight() == 0) {
        return definition_ ? definition_->GetOriginY() : 0;
    }
    return definition_->GetOriginY() * GetHeight() / definition_->GetHeight();
}

int CComponentBase::GetScalingMode() const
{
    return definition_ ? definition_->GetScalingMode() : 3;
}

std::string CComponentBase::MakeDisplayName()
{
    if (!definition_) {
        return std::string();
    }
    // Like instance names, a long label is shortened rather than the counter that tells the
    // names apart.
    std::string suffix = " " + std::to_string(definition_->NextCounter());
    return definition_->GetDisplayName().substr(0, 63 - suffix.size()) + suffix;
}

CComponent::CComponent(const CComponent& other) : CComponentBase(other)
{
}

CComponent::~CComponent() = default;

void CComponent::MarkUsed()
{
    if (!definition_) {
        return;
    }
    CComponentDef::Symbol symbol = definition_->GetCurrentSymbol();
    if (symbol.movie) {
        symbol.movie->MarkCharacterUsed(symbol.characterId);
    }
}

void CComponent::ReleaseUse()
{
    if (!definition_) {
        return;
    }
    CComponentDef::Symbol symbol = definition_->GetCurrentSymbol();
    if (symbol.movie) {
        symbol.movie->UnmarkCharacterUsed(symbol.characterId);
    }
}

void CComponent::PlaceInMovie(CSwfMovie& movie, swf::IdCounter& depths) const
{
    if (!definition_) {
        return;
    }
    CComponentDef::Symbol symbol = definition_->GetCurrentSymbol();
    if (!symbol.movie) {
        return;
    }
    // The clip goes where the canvas put it, exactly as the stage shows it: the symbol's own
    // bounds (measured by the stage, else the catalogue's) stretched over the rectangle. A
    // symbol whose extent is unknown, or an empty rectangle, gets its own size at the corner.
    const std::array<double, 4>& own = GetWidth() > 0 && GetHeight() > 0 ? bounds_ : definition_->GetBounds();
    const double ownWidth = own[1] - own[0];
    const double ownHeight = own[3] - own[2];
    const double width = static_cast<double>(rect_.right) - rect_.left;
    const double height = static_cast<double>(rect_.bottom) - rect_.top;
    double xscale = 1;
    double yscale = 1;
    CSwfMatrix matrix;
    if (ownWidth > 0 && ownHeight > 0 && width > 0 && height > 0 && (width != ownWidth || height != ownHeight)) {
        xscale = width / ownWidth;
        yscale = height / ownHeight;
        matrix.hasScale = true;
        matrix.scaleX = ToFixed(xscale);
        matrix.scaleY = ToFixed(yscale);
    }
    matrix.translateX = ToTwips(rect_.left - own[0] * xscale);
    matrix.translateY = ToTwips(rect_.top - own[2] * yscale);
    std::uint16_t depth = depths.Next();
    auto placement = std::make_unique<CSwfPlaceObject2>(depth, symbol.characterId, matrix, name_);
    // The clip reads its parameters as members, set before its class constructor runs.
    if (parameters_) {
        placement->SetClipActions(BuildParameterClipActions(*parameters_));
    }
    movie.AddTag(std::move(placement));
}

void CComponent::BuildActionScript(CActionList& actions)
{
    if (IComponentScripts* scripts = GetComponentScripts()) {
        scripts->BuildActionScript(*this, actions);
    }
}

void CComponent::BuildActionStatements(std::vector<CActionList>& statements)
{
    if (IComponentScripts* scripts = GetComponentScripts()) {
        scripts->BuildActionStatements(*this, statements);
    }
}

void IComponentScripts::BuildActionStatements(CComponent& component, std::vector<CActionList>& statements)
{
    BuildActionScript(component, statements.emplace_back());
}

void CComponent::EmitModelInitCall(CActionList& actions)
{
    if (IComponentScripts* scripts = GetComponentScripts()) {
        scripts->EmitModelInitCall(*this, actions);
    }
}

void CComponent::CollectBindingLinks(std::vector<CBindingLink*>& links) const
{
    if (!parameters_) {
        return;
    }
    ForEachCellBinding(*parameters_, [&](CParameter& parameter) {
        CCellBinding& binding = *parameter.GetBinding();
        for (int i = 0; i < binding.GetLinkCount(); ++i) {
            CBindingLink* link = binding.GetLink(i);
            link->SetOwnerName(name_);
            links.push_back(link);
        }
    });
}

void CComponent::SplitBindingLinks(std::vector<CBindingLink*>& constants,
                                   std::vector<CBindingLink*>& formulas) const
{
    std::vector<CBindingLink*> links;
    CollectBindingLinks(links);
    for (CBindingLink* link : links) {
        if (link->GetKind() == kLinkConstant) {
            constants.push_back(link);
        } else if (link->GetKind() == kLinkFormula) {
            formulas.push_back(link);
        }
    }
}

void CComponent::RebuildLinkNameSets()
{
    firstNames_.clear();
    secondNames_.clear();
    std::vector<CBindingLink*> links;
    CollectBindingLinks(links);
    for (const CBindingLink* link : links) {
        for (const CBindingLink* other : link->GetSameCellLinks()) {
            if (other->GetOwnerName() != name_) {
                firstNames_.insert(other->GetOwnerName());
            }
        }
        for (const CBindingLink* dependent : link->GetDependentLinks()) {
            if (dependent->GetOwnerName() != name_) {
                secondNames_.insert(dependent->GetOwnerName());
            }
        }
    }
}

void CComponent::ClearBindingValues()
{
    std::vector<CBindingLink*> links;
    CollectBindingLinks(links);
    for (CBindingLink* link : links) {
        link->ResetValues();
    }
}

void CComponent::UpdateBindings()
{
    if (!parameters_) {
        return;
    }
    ForEachCellBinding(*parameters_, [](CParameter& parameter) {
        CCellBinding& binding = *parameter.GetBinding();
        if (const model::RangeHandle* range = binding.GetRangePtr()) {
            binding.RefreshParameter(range, false);
        }
    });
}

void CComponent::RefreshFromModel()
{
    UpdateBindings();
    if (!parameters_ || !parameters_->FindParameter("General")) {
        return;
    }
    CParameter* general = parameters_->FindParameter("General");
    if (general->GetSet() && CChartData::IsChart(*parameters_)) {
        // The series come back from the ranges the data binding recorded; the parameters were
        // refreshed above. Writing the series back would go through a data block and a
        // series-names range that only a newly picked data range yields, and would unlink the
        // chart's data from its cells.
        CChartData chart;
        chart.SetChartType(general->GetSet(), parameters_.get());
        chart.Reload();
    }
}

void CComponent::Save(base::RecordWriter& out) const
{
    out.WriteString(GetTypeName());
    out.WriteString(name_);
    out.WriteI32(rect_.left);
    out.WriteI32(rect_.top);
    out.WriteI32(rect_.right);
    out.WriteI32(rect_.bottom);
    for (double b : bounds_) {
        out.WriteF64(b);
    }
    out.WriteU8(parameters_ ? 1 : 0);
    if (parameters_) {
        WriteParameterSet(out, *parameters_);
    }
    properties_.Save(out);
}

void CComponent::Load(base::RecordReader& in)
{
    std::string symbol = in.ReadString("component symbol");
    if (definition_ && symbol != definition_->GetName()) {
        in.Fail("component symbol", "\"" + symbol + "\" is not " + definition_->GetName());
    }
    std::string name = in.ReadString("component name");
    ComponentRect rect;
    rect.left = in.ReadI32("component rectangle");
    rect.top = in.ReadI32("component rectangle");
    rect.right = in.ReadI32("component rectangle");
    rect.bottom = in.ReadI32("component rectangle");
    std::array<double, 4> bounds;
    for (double& b : bounds) {
        b = in.ReadF64("component bounds");
    }
    std::uint8_t hasParameters = in.ReadU8("component parameter flag");
    if (hasParameters > 1) {
        in.Fail("component parameter flag", "bad presence flag " + std::to_string(hasParameters));
    }
    std::unique_ptr<CParameterSet> parameters = hasParameters ? ReadParameterSet(in) : nullptr;
    CPropertyMap properties;
    properties.Load(in);

    SetName(name);
    rect_ = rect;
    bounds_ = bounds;
    parameters_ = std::move(parameters);
    properties_ = std::move(properties);
}

std::unique_ptr<CComponent> CSwfComponent::CreateInstance() const
{
    auto instance = std::make_unique<CSwfComponent>(*this);
    instance->SetName(MakeInstanceName(GetTypeName(), ++InstanceCounter()));
    return instance;
}

std::unique_ptr<CComponent> ReadComponentFromFile(base::RecordReader& in)
{
    in.ReadU32("component record header");
    // Peek at the symbol to find the definition, then let the instance read the whole record.
    base::RecordReader peek = in;
    std::string symbol = peek.ReadString("component symbol");
    CComponentCatalog* catalog = GetComponentCatalog();
    CComponentDef* definition = catalog ? catalog->FindDefinition(symbol) : nullptr;
    if (!definition) {
        in.Fail("component symbol", "no component \"" + symbol + "\" in the catalogue");
    }
    auto component = std::make_unique<CSwfComponent>(definition);
    component->Load(in);
    return component;
}

void WriteComponentToFile(base::RecordWriter& out, const CComponent& component)
{
    out.WriteU32(0);
    component.Save(out);
}

void ReadInstanceCounter(base::RecordReader& in)
{
    InstanceCounter() = in.ReadU32("instance counter");
}

void WriteInstanceCounter(base::RecordWriter& out)
{
    out.WriteU32(InstanceCounter());
}
