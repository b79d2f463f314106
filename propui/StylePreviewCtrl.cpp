#include "propui/StylePreviewCtrl.h"

#include "model/Component.h"
#include "model/ComponentCatalog.h"
#include "model/GlobalStyle.h"
#include "model/TextUtil.h"
#include "swf/SwfFile.h"

#include <cmath>
#include <cstdint>

namespace {

struct Sample {
    const char* symbol;
    CStylePreviewCtrl::Slot slot;
    double x, y;
    double scale; // 0: left at its own size
};

// The samples in the order they are added; the backgrounds go first so that they lie beneath.
constexpr Sample kSamples[] = {
    {"KVBackground2Symbol", CStylePreviewCtrl::LargeBackground, -100, -100, 1.53},
    {"KVBackground2Symbol", CStylePreviewCtrl::SmallBackground, 15, 225, 0.53},
    {"KVComboChartSymbol", CStylePreviewCtrl::ComboChart, 15, -45, 0},
    {"KVProgressBarHSymbol", CStylePreviewCtrl::ProgressBar, 27, 290, 0},
    {"KVListBoxSymbol", CStylePreviewCtrl::ListBox, 250, 226, 0},
    {"KVSliderHSymbol", CStylePreviewCtrl::Slider, 30, 247, 0},
};

// Restyling order: the backgrounds first, as they were added.
constexpr CStylePreviewCtrl::Slot kStyleOrder[] = {
    CStylePreviewCtrl::LargeBackground, CStylePreviewCtrl::SmallBackground, CStylePreviewCtrl::ComboChart,
    CStylePreviewCtrl::ProgressBar,     CStylePreviewCtrl::ListBox,         CStylePreviewCtrl::Slider,
};

std::int32_t Truncate(double value)
{
    return static_cast<std::int32_t>(std::trunc(value));
}

} // namespace

CStylePreviewCtrl::CStylePreviewCtrl(IStylePreviewStage& stage, const CComponentCatalog* catalog)
    : m_stage(stage), m_catalog(catalog)
{
}

CStylePreviewCtrl::~CStylePreviewCtrl()
{
    if (GetSafeHwnd() != nullptr)
        DestroyWindow();
}

void CStylePreviewCtrl::SetVariable(const std::string& name, const std::string& value)
{
    std::string sent;
    sent.reserve(value.size());
    for (std::size_t i = 0; i < value.size(); ++i) {
        sent += value[i];
        if (value[i] == '\r' && i + 1 < value.size() && value[i + 1] == '\n')
            ++i;
    }
    CShockwaveFlash::SetVariable(name, sent);
}

void CStylePreviewCtrl::CallLabel(const char* label)
{
    TCallLabel("/", label);
}

void CStylePreviewCtrl::SendNameAndType(const CComponent& instance)
{
    SetVariable("_root.__compName", instance.GetName());
    SetVariable("_root.__compType", instance.GetTypeName());
}

void CStylePreviewCtrl::LoadSamples()
{
    const std::filesystem::path movie = m_stage.GetPreviewMoviePath();
    // The stage's copy for the preview is written larger than the canvas; the preview shows a
    // 400 by 300 pixel part of it, whole. A copy that is missing leaves the preview blank.
    if (!movie.empty())
        PatchSwfFrameSize(movie, kFrameWidth, kFrameHeight);
    Zoom(0);
    LoadMovie(0, "loadblank");
    LoadMovie(0, movie.string());
    if (FlashVersion() < 0x5FFFF) {
        SetMovie(movie.string());
        Play();
    }
    // The samples are numbered like placed components, but they never reach the document: the
    // counter goes back to where it was, so the next component placed takes the next number.
    const std::uint32_t counter = model::InstanceCounter();
    for (const Sample& s : kSamples) {
        CComponent* instance = AddComponent(s.symbol, s.slot);
        if (instance == nullptr)
            continue;
        MoveComponent(instance, s.x, s.y);
        if (s.scale != 0)
            ResizeComponent(instance, s.scale);
    }
    model::InstanceCounter() = counter;
}

CComponent* CStylePreviewCtrl::AddComponent(const std::string& symbol, Slot slot)
{
    const CSwfComponent* prototype = m_catalog != nullptr ? m_catalog->FindByTypeName(symbol) : nullptr;
    if (prototype == nullptr)
        return nullptr;
    m_samples[slot] = prototype->CreateInstance();
    CComponent& instance = *m_samples[slot];
    SendNameAndType(instance);
    m_stage.SendTreeAndPlacement(*this, instance);
    CallLabel("AddComponent");
    return &instance;
}

void CStylePreviewCtrl::MoveComponent(CComponent* instance, double x, double y)
{
    if (instance == nullptr)
        return;
    const ComponentRect r = instance->GetRect();
    // A symbol that draws nothing has no extent to scale by: it is taken at its own size.
    const double w = instance->GetWidth(), h = instance->GetHeight();
    const double xs = w != 0 ? (r.right - r.left) / w : 1.0;
    const double ys = h != 0 ? (r.bottom - r.top) / h : 1.0;
    const std::int32_t left = Truncate(instance->GetLeft() * xs + x * 20);
    const std::int32_t top = Truncate(instance->GetTop() * ys + y * 20);
    instance->SetRect({left, top, left + (r.right - r.left), top + (r.bottom - r.top)});
    SetVariable("_root.__compName", instance->GetName());
    SetVariable("_root.__x", FormatDouble(x, 8));
    SetVariable("_root.__y", FormatDouble(y, 8));
    CallLabel("MoveComp");
}

void CStylePreviewCtrl::ResizeComponent(CComponent* instance, double factor)
{
    if (instance == nullptr)
        return;
    SendNameAndType(*instance);
    // Right and bottom are scaled where they lie, so a sample moved to a negative origin grows
    // by more than the factor; the sample layout is made for that.
    ComponentRect r = instance->GetRect();
    r.right = Truncate(r.right * factor);
    r.bottom = Truncate(r.bottom * factor);
    instance->SetRect(r);
    m_stage.SendTreeAndPlacement(*this, *instance);
    CallLabel("ResizeComp");
}

void CStylePreviewCtrl::ApplyStyle(const CGlobalStyle& style)
{
    for (Slot slot : kStyleOrder)
        UpdateComponent(m_samples[slot].get(), style);
}

void CStylePreviewCtrl::UpdateComponent(CComponent* instance, const CGlobalStyle& style)
{
    if (instance == nullptr)
        return;
    if (CParameterSet* parameters = instance->GetParameters())
        parameters->ApplyGlobalStyle(style);
    SendNameAndType(*instance);
    m_stage.SendTreeAndPlacement(*this, *instance);
    CallLabel("UpdateComponent");
}

void CStylePreviewCtrl::DeleteSamples()
{
    for (Slot slot : kStyleOrder)
        DeleteComponent(m_samples[slot].get());
}

void CStylePreviewCtrl::DeleteComponent(CComponent* instance)
{
    if (instance == nullptr)
        return;
    SetVariable("_root.__compName", instance->GetName());
    CallLabel("DeleteComponent");
}
