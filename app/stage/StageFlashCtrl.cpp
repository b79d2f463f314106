#include "app/stage/StageFlashCtrl.h"

#include "app/core/DesignerContext.h"

#include "model/ComponentCatalog.h"
#include "model/ComponentDef.h"
#include "model/TextUtil.h"
#include "model/Trace.h"
#include "platform/dialogs/MessageBox.h"
#include "platform/docview/Frame.h"
#include "platform/docview/View.h"
#include "platform/docview/WinApp.h"
#include "base/Clock.h"
#include "platform/window/Input.h"
#include "platform/window/Messages.h"
#include "publish/BaseMovie.h"
#include "publish/ProgramContext.h"
#include "publish/TempFiles.h"
#include "sheet/cells/CellModel.h"
#include "swf/SwfError.h"
#include "swf/SwfFile.h"
#include "swf/SwfMovie.h"
#include "swf/SwfOutputMovie.h"
#include "swf/SwfTags.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <limits>

namespace {

constexpr UINT_PTR kBusyTimer = 1;
constexpr UINT kBusyTimerPeriodMs = 500;
// A few prototypes a tick: each costs the player some 30 ms to draw and measure, and the
// user's own changes go between the ticks.
constexpr UINT kMeasureTimerPeriodMs = 40;
constexpr std::size_t kMeasuresPerTick = 4;

class CMainWindowStageHost final : public IStageHost {
public:
    void BeginBusy() override { BeginStageBusy(); }
    void EndBusy() override { EndStageBusy(); }
    void RepaintCanvas() override
    {
        auto* frame = dynamic_cast<CFrameWnd*>(AfxGetMainWnd());
        if (frame == nullptr)
            return;
        if (CView* view = frame->GetActiveView())
            view->Invalidate(TRUE);
    }
    void ReportStageProblem(const std::string& text) override
    {
        if (auto* frame = dynamic_cast<CFrameWnd*>(AfxGetMainWnd()))
            frame->SetMessageText(text);
        AfxMessageBox(text, MB_ICONEXCLAMATION);
    }
};

std::vector<std::string> SplitAtSpaces(const std::string& text)
{
    std::vector<std::string> tokens;
    std::size_t i = 0;
    while (i < text.size()) {
        while (i < text.size() && text[i] == ' ')
            ++i;
        const std::size_t start = i;
        while (i < text.size() && text[i] != ' ')
            ++i;
        if (i > start)
            tokens.push_back(text.substr(start, i - start));
    }
    return tokens;
}

// The player writes numbers in the C form whatever the locale; a token that is not a finite
// number makes the whole reply unusable.
bool ParseNumbers(const std::vector<std::string>& tokens, std::size_t first, double (&out)[4])
{
    for (std::size_t i = 0; i < 4; ++i) {
        const std::string& t = tokens[first + i];
        const char* begin = t.data();
        if (*begin == '+')
            ++begin;
        double value = 0;
        const auto [end, ec] = std::from_chars(begin, t.data() + t.size(), value);
        if (ec != std::errc() || end != t.data() + t.size() || !std::isfinite(value))
            return false;
        out[i] = value * 20;
    }
    return true;
}

std::int32_t Truncate(double twips)
{
    constexpr double lo = std::numeric_limits<std::int32_t>::min();
    constexpr double hi = std::numeric_limits<std::int32_t>::max();
    return static_cast<std::int32_t>(std::trunc(std::fmin(std::fmax(twips, lo), hi)));
}

std::string Number(double value)
{
    return FormatDouble(value, 8);
}

} // namespace

IStageHost& GetMainWindowStageHost()
{
    static CMainWindowStageHost host;
    return host;
}

void BeginStageBusy()
{
    if (CWnd* main = AfxGetMainWnd())
        main->EnableWindow(FALSE);
    SetCursor(LoadCursorId(IDC_WAIT));
}

void EndStageBusy()
{
    if (CWnd* main = AfxGetMainWnd())
        main->EnableWindow(TRUE);
    SetCursor(LoadCursorId(IDC_ARROW));
}

CStageFlashCtrl* GetStageFlashCtrl()
{
    CDesignerContext* context = CDesignerContext::Current();
    return context != nullptr ? context->Stage() : nullptr;
}

CStageFlashCtrl::CStageFlashCtrl(StageSetup setup) : m_setup(std::move(setup))
{
    if (LoadToolMovie())
        WriteStageFiles();
}

CStageFlashCtrl::~CStageFlashCtrl()
{
    if (m_awaitedReplies > 0 && m_busyShown)
        Host().EndBusy();
    DiscardStageFiles();
}

IStageHost& CStageFlashCtrl::Host()
{
    return m_setup.host != nullptr ? *m_setup.host : GetMainWindowStageHost();
}

// --- the stage movie files --------------------------------------------------------------------

bool CStageFlashCtrl::LoadToolMovie()
{
    const std::filesystem::path path = m_setup.installDir / "asset" / "toolsrc.dat";
    // The tool movie's characters go above the catalogue's, since both end up in one movie.
    const std::uint16_t firstId = m_setup.catalog != nullptr ? m_setup.catalog->GetAssetIds().Peek() : 1;
    std::string lastError;
    for (int attempt = 0; attempt < kLoadAttempts; ++attempt) {
        auto movie = std::make_unique<CSwfMovie>();
        swf::IdCounter ids(firstId);
        swf::LoadOptions options;
        options.remapIds = &ids;
        options.keepRawActions = true;
        try {
            movie->LoadFile(path, options);
        } catch (const std::exception& e) {
            lastError = e.what();
            Trace("Stage movie %s not read: %s", path.string().c_str(), e.what());
            continue;
        }
        movie->AddUse();
        movie->SetWriteAll(true);
        m_toolMovie = std::move(movie);
        return true;
    }
    m_error = "The stage movie " + path.string() + " cannot be read: " + lastError;
    return false;
}

bool CStageFlashCtrl::WriteStageFiles()
{
    publish::ITempFileMaker& files =
        m_setup.tempFiles != nullptr ? *m_setup.tempFiles : publish::GetTempFileMaker();
    CComponentCatalog* catalog = m_setup.catalog;
    const int variants = catalog != nullptr ? std::max(1, catalog->GetFolderCount()) : 1;
    for (int v = 0; v < variants; ++v) {
        std::vector<CSwfComponent*> marked;
        if (catalog != nullptr && catalog->GetFolderCount() > 0) {
            catalog->SelectVariant(v);
            for (int c = 0; c < catalog->GetCategoryCount(); ++c) {
                CComponentCategory* category = catalog->GetCategory(c);
                for (int i = 0; i < category->GetItemCount(); ++i)
                    if (CSwfComponent* prototype = category->GetItem(i)) {
                        prototype->ApplyVariant();
                        marked.push_back(prototype);
                    }
            }
        }
        CSwfOutputMovie movie;
        movie.AddTag(std::make_unique<CSwfScriptLimits>(256, 60));
        if (catalog != nullptr)
            movie.AddTag(catalog);
        movie.AddTag(m_toolMovie.get());
        movie.SetFrameCount(m_toolMovie->GetFrameCount());

        // Only the last pass's files are played; an earlier pass's files go at once.
        DiscardStageFiles();
        bool written = true;
        m_stagePath = files.Create("kv", ".swf");
        m_largeStagePath = files.Create("kv", ".swf");
        try {
            if (m_stagePath.empty() || m_largeStagePath.empty())
                throw std::runtime_error("no temporary file can be made");
            movie.WriteFile(m_stagePath, kStageWidth, kStageHeight, 30, false);
            movie.WriteFile(m_largeStagePath, kLargeStageWidth, kLargeStageHeight, 30, false);
        } catch (const std::exception& e) {
            m_error = std::string("The stage movie cannot be written: ") + e.what();
            written = false;
        }
        for (CSwfComponent* prototype : marked)
            prototype->ApplyVariant2();
        // The borrowed tags are removed before the output movie goes, which leaves them alone.
        if (!written) {
            DiscardStageFiles();
            return false;
        }
    }
    return true;
}

void CStageFlashCtrl::DiscardStageFiles()
{
    publish::ITempFileMaker& files =
        m_setup.tempFiles != nullptr ? *m_setup.tempFiles : publish::GetTempFileMaker();
    for (std::filesystem::path* path : {&m_stagePath, &m_largeStagePath}) {
        if (!path->empty())
            files.Discard(*path);
        path->clear();
    }
}

// --- loading -----------------------------------------------------------------------------------

// A new document empties the program's temporary folder, and the stage's files go with it; the
// player reads them again at every reload, so they are written again, at the size last set.
void CStageFlashCtrl::RestoreStageFiles()
{
    if (m_stagePath.empty() || (std::filesystem::exists(m_stagePath) && std::filesystem::exists(m_largeStagePath)))
        return;
    if (!WriteStageFiles())
        return;
    if (m_stageWidthTwips > 0 && !PatchSwfFrameSize(m_stagePath, m_stageWidthTwips, m_stageHeightTwips))
        Trace("Stage frame not resized to %d x %d twips", m_stageWidthTwips, m_stageHeightTwips);
}

void CStageFlashCtrl::LoadStageMovie()
{
    RestoreStageFiles();
    // What the player has not taken yet was meant for the movie that goes now (a document's
    // components added as it opened, then added again at the new size): unless an answer is
    // awaited from it, it goes too.
    if (m_target == nullptr && GetPlayer() != nullptr && m_pending.empty() && m_measuresUnanswered == 0)
        GetPlayer()->DropUnsent();
    LoadMovie(0, "loadblank");
    LoadMovie(0, m_stagePath.string());
    // A player older than version 6 does not start a movie loaded that way.
    if (FlashVersion() < 0x5FFFF) {
        SetMovie(m_stagePath.string());
        Play();
    }
}

void CStageFlashCtrl::Init(bool measureInBackground)
{
    LoadStageMovie();
    CComponentCatalog* catalog = m_setup.catalog;
    if (catalog == nullptr)
        return;
    m_toMeasure.clear();
    for (int c = 0; c < catalog->GetCategoryCount(); ++c) {
        CComponentCategory* category = catalog->GetCategory(c);
        for (int i = 0; i < category->GetItemCount(); ++i)
            if (CSwfComponent* prototype = category->GetItem(i))
                m_toMeasure.push_back(prototype->GetTypeName());
    }
    std::reverse(m_toMeasure.begin(), m_toMeasure.end());
    // A player that takes calls at once (in this process) measures now.
    const bool caughtUp = GetPlayer() == nullptr || GetPlayer()->CaughtUp();
    if (measureInBackground && !caughtUp && m_hWnd != nullptr && SetTimer(kMeasureTimer, kMeasureTimerPeriodMs) != 0)
        return;
    while (!m_toMeasure.empty())
        MeasureSome();
}

void CStageFlashCtrl::MeasureSome()
{
    for (std::size_t i = 0; i < kMeasuresPerTick && !m_toMeasure.empty(); ++i) {
        const std::string symbol = std::move(m_toMeasure.back());
        m_toMeasure.pop_back();
        if (CSwfComponent* prototype = m_setup.catalog != nullptr ? m_setup.catalog->FindByTypeName(symbol) : nullptr)
            GetComponentBounds(*prototype);
    }
    if (m_toMeasure.empty() && m_hWnd != nullptr)
        KillTimer(kMeasureTimer);
}

void CStageFlashCtrl::SetStageSize(int width, int height)
{
    if (m_hWnd != nullptr)
        MoveWindow(0, 0, width, height, TRUE);
    RestoreStageFiles();
    m_stageWidthTwips = width * 20;
    m_stageHeightTwips = height * 20;
    if (!m_stagePath.empty() && !PatchSwfFrameSize(m_stagePath, width * 20, height * 20))
        Trace("Stage frame not resized to %d x %d", width, height);
    Reload();
}

void CStageFlashCtrl::Reload()
{
    LoadStageMovie();
    SetModelVariables();
}

void CStageFlashCtrl::SetModelVariables()
{
    if (!m_setup.namedValues)
        return;
    for (const auto& [name, value] : m_setup.namedValues())
        SetVar("_root." + name, value);
}

void CStageFlashCtrl::SetVar(const std::string& name, const std::string& value)
{
    std::string copy;
    copy.reserve(value.size());
    for (std::size_t i = 0; i < value.size(); ++i) {
        copy += value[i];
        if (value[i] == '\r' && i + 1 < value.size() && value[i + 1] == '\n')
            ++i;
    }
    CShockwaveFlash& player = m_target != nullptr ? *m_target : *this;
    player.SetVariable(name, copy);
}

void CStageFlashCtrl::CallLabel(const char* label)
{
    CShockwaveFlash& player = m_target != nullptr ? *m_target : *this;
    player.TCallLabel("/", label);
}

// --- the labels --------------------------------------------------------------------------------

CStageFlashCtrl::Placement CStageFlashCtrl::ComputePlacement(const CComponentBase& instance,
                                                            const ComponentRect& rect)
{
    const auto& b = instance.GetBounds(); // xmin, xmax, ymin, ymax
    // A symbol not measured yet (or drawing nothing) has no extent: it is placed unscaled
    // rather than sending the movie an infinite scale.
    const double w = b[1] - b[0], h = b[3] - b[2];
    const double xscale = w != 0 ? (rect.right - rect.left) / w : 1.0;
    const double yscale = h != 0 ? (rect.bottom - rect.top) / h : 1.0;
    return {(rect.left - b[0] * xscale) * 0.05, (rect.top - b[2] * yscale) * 0.05, xscale, yscale};
}

void CStageFlashCtrl::PlaceObject(const CComponentBase& instance, const ComponentRect& rect)
{
    const Placement p = ComputePlacement(instance, rect);
    SetVar("_root.obj0._x", Number(p.x));
    SetVar("_root.obj0._y", Number(p.y));
    SetVar("_root.obj0._xscale", Number(p.xscale * 100));
    SetVar("_root.obj0._yscale", Number(p.yscale * 100));
}

void CStageFlashCtrl::SendNameAndType(const CComponent& instance)
{
    SetVar("_root.__compName", instance.GetName());
    SetVar("_root.__compType", instance.GetTypeName());
}

void CStageFlashCtrl::SendTreeAndPlacement(const CComponentBase& instance)
{
    SendParameters(instance);
    PlaceObject(instance, instance.GetRect());
}

void CStageFlashCtrl::SendTreeAndPlacementTo(CShockwaveFlash& player, const CComponentBase& instance)
{
    CShockwaveFlash* const previous = m_target;
    m_target = &player;
    SendTreeAndPlacement(instance);
    m_target = previous;
}

void CStageFlashCtrl::AddComponent(IStageObject& object)
{
    for (int i = 0; i < object.GetInstanceCount(); ++i) {
        const CComponent* instance = object.GetInstance(i);
        if (instance == nullptr)
            continue;
        SendNameAndType(*instance);
        SendTreeAndPlacement(*instance);
        CallLabel("AddComponent");
    }
}

void CStageFlashCtrl::UpdateComponent(IStageObject& object)
{
    if (object.GetInstanceCount() > 0)
        BeginBusy();
    for (int i = 0; i < object.GetInstanceCount(); ++i) {
        const CComponent* instance = object.GetInstance(i);
        if (instance == nullptr)
            continue;
        AwaitReply(instance->GetName(), object, true);
        SendNameAndType(*instance);
        SendTreeAndPlacement(*instance);
        CallLabel("UpdateComponent");
    }
    // Nothing was sent that would answer.
    if (m_awaitedReplies == 0)
        EndBusy();
}

void CStageFlashCtrl::ReinitComponent(IStageObject& object)
{
    for (int i = 0; i < object.GetInstanceCount(); ++i) {
        const CComponent* instance = object.GetInstance(i);
        if (instance == nullptr)
            continue;
        SendNameAndType(*instance);
        AwaitReply(instance->GetName(), object, false);
        SendTreeAndPlacement(*instance);
        CallLabel("ReinitComp");
    }
}

void CStageFlashCtrl::ResizeComponent(IStageObject& object)
{
    for (int i = 0; i < object.GetInstanceCount(); ++i) {
        const CComponent* instance = object.GetInstance(i);
        if (instance == nullptr)
            continue;
        SendNameAndType(*instance);
        if (instance->HasTrait("table")) {
            // The table lays its rows out again at the new size, so it is rebuilt and measured.
            AwaitReply(instance->GetName(), object, true);
            BeginBusy();
            SendTreeAndPlacement(*instance);
            CallLabel("ResizeComp");
        } else {
            const Placement p = ComputePlacement(*instance, instance->GetRect());
            SetVar("_root.__x", Number(p.x));
            SetVar("_root.__y", Number(p.y));
            SetVar("_root.__xscale", Number(p.xscale * 100));
            SetVar("_root.__yscale", Number(p.yscale * 100));
            CallLabel("FastResizeComp");
        }
    }
}

void CStageFlashCtrl::MoveComponent(IStageObject& object)
{
    for (int i = 0; i < object.GetInstanceCount(); ++i) {
        const CComponent* instance = object.GetInstance(i);
        if (instance == nullptr)
            continue;
        const Placement p = ComputePlacement(*instance, instance->GetRect());
        SetVar("_root.__compName", instance->GetName());
        SetVar("_root.__x", Number(p.x));
        SetVar("_root.__y", Number(p.y));
        CallLabel("MoveComp");
    }
}

void CStageFlashCtrl::DeleteComponent(IStageObject& object)
{
    for (int i = 0; i < object.GetInstanceCount(); ++i)
        if (const CComponent* instance = object.GetInstance(i)) {
            SetVar("_root.__compName", instance->GetName());
            CallLabel("DeleteComponent");
        }
}

void CStageFlashCtrl::EnableComponent(IStageObject& object)
{
    for (int i = 0; i < object.GetInstanceCount(); ++i)
        if (const CComponent* instance = object.GetInstance(i)) {
            SetVar("_root.__compName", instance->GetName());
            CallLabel("EnableComp");
        }
}

void CStageFlashCtrl::DisableComponent(IStageObject& object)
{
    for (int i = 0; i < object.GetInstanceCount(); ++i)
        if (const CComponent* instance = object.GetInstance(i)) {
            SetVar("_root.__compName", instance->GetName());
            CallLabel("DisableComp");
        }
}

void CStageFlashCtrl::SwapDepths(const CComponentBase& a, const CComponentBase& b)
{
    SetVar("_root.__compA", a.GetName());
    SetVar("_root.__compB", b.GetName());
    CallLabel("SwapDepths");
}

void CStageFlashCtrl::GetComponentBounds(const CComponentBase& prototype)
{
    SetVar("_root.__compType", prototype.GetTypeName());
    SendParameters(prototype);
    CallLabel("GetComponentBounds");
    if (m_target == nullptr)
        ++m_measuresUnanswered;
}

// --- replies and the busy state ----------------------------------------------------------------

void CStageFlashCtrl::AwaitReply(const std::string& name, IStageObject& object, bool busy)
{
    m_pending.emplace(name, &object);
    if (busy) {
        ++m_busyNames[name];
        ++m_awaitedReplies;
        m_busyDeadline = GetClock().NowMs() + kBusyTimeoutMs;
    }
}

IStageObject* CStageFlashCtrl::TakePending(const std::string& name)
{
    auto it = m_pending.find(name);
    if (it == m_pending.end())
        return nullptr;
    IStageObject* object = it->second;
    m_pending.erase(it);
    return object;
}

void CStageFlashCtrl::ForgetObject(const IStageObject& object)
{
    for (auto it = m_pending.begin(); it != m_pending.end();) {
        if (it->second != &object) {
            ++it;
            continue;
        }
        // Its replies will never be matched, so the busy state no longer waits for them.
        if (auto busy = m_busyNames.find(it->first); busy != m_busyNames.end()) {
            m_awaitedReplies -= busy->second;
            m_busyNames.erase(busy);
        }
        it = m_pending.erase(it);
    }
    if (m_awaitedReplies == 0)
        EndBusy();
}

void CStageFlashCtrl::BeginBusy()
{
    m_busyDeadline = GetClock().NowMs() + kBusyTimeoutMs;
    if (m_busyShown)
        return;
    m_busyShown = true;
    Host().BeginBusy();
    if (m_hWnd != nullptr)
        SetTimer(kBusyTimer, kBusyTimerPeriodMs);
}

void CStageFlashCtrl::EndBusy()
{
    if (!m_busyShown)
        return;
    m_busyShown = false;
    if (m_hWnd != nullptr)
        KillTimer(kBusyTimer);
    Host().EndBusy();
}

void CStageFlashCtrl::CheckBusyTimeout()
{
    if (!m_busyShown || GetClock().NowMs() < m_busyDeadline)
        return;
    Trace("The stage did not answer %d update(s) in time", m_awaitedReplies);
    m_awaitedReplies = 0;
    m_busyNames.clear();
    EndBusy();
}

LRESULT CStageFlashCtrl::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_TIMER && wParam == kBusyTimer) {
        CheckBusyTimeout();
        return 0;
    }
    if (message == WM_TIMER && wParam == kMeasureTimer) {
        // A tick's measures wait until the player has taken what went before (the document's
        // components, the user's changes, the previous tick's measures).
        if (GetPlayer() == nullptr || GetPlayer()->CaughtUp()) {
            m_measuresBegun = true;
            MeasureSome();
        }
        return 0;
    }
    return CShockwaveFlash::DefWindowProc(message, wParam, lParam);
}

void CStageFlashCtrl::OnMovieNotLoaded(const std::string& movie, const std::string& why)
{
    Trace("The stage movie %s did not load %s", movie.c_str(), why.c_str());
    // Nothing the movie was asked will be answered.
    m_pending.clear();
    m_busyNames.clear();
    m_awaitedReplies = 0;
    m_measuresUnanswered = 0;
    EndBusy();
    Host().ReportStageProblem("The canvas could not load its player movie " + why +
                              ", so the components are not drawn. Open the document again, "
                              "perhaps once the computer is less busy.");
}

BOOL CStageFlashCtrl::OnFSCommand(const std::string& command, const std::string& args)
{
    if (command == "GetBounds")
        OnGetBounds(SplitAtSpaces(args));
    else if (command == "UpdateComp")
        OnUpdateComp(SplitAtSpaces(args));
    else if (command == "ResizeComp")
        OnResizeComp(SplitAtSpaces(args));
    else if (command == "ReinitComp" || command == "Refresh")
        Host().RepaintCanvas();
    else if (command == "Displayf")
        Trace("%s", args.c_str());
    return TRUE;
}

void CStageFlashCtrl::OnGetBounds(const std::vector<std::string>& tokens)
{
    m_measuresUnanswered = std::max(0, m_measuresUnanswered - 1);
    double b[4];
    if (tokens.size() < 5 || m_setup.catalog == nullptr || !ParseNumbers(tokens, 1, b))
        return;
    CComponentDef* definition = m_setup.catalog->FindDefinition(tokens[0]);
    CSwfComponent* prototype = m_setup.catalog->FindByTypeName(tokens[0]);
    if (definition == nullptr)
        return;
    const std::array<double, 4> bounds{b[0], b[1], b[2], b[3]};
    if (bounds != definition->GetBounds())
        definition->SetBoundsChanged(1);
    definition->SetBounds(bounds);
    if (prototype != nullptr) {
        prototype->SetBounds(b[0], b[2], b[1], b[3]);
        prototype->SetRect({Truncate(b[0]), Truncate(b[2]), Truncate(b[1]), Truncate(b[3])});
    }
}

void CStageFlashCtrl::OnUpdateComp(const std::vector<std::string>& tokens)
{
    double b[4], natural[4];
    if (tokens.size() < 5 || !ParseNumbers(tokens, 1, b))
        return;
    const bool hasNatural = tokens.size() >= 9 && ParseNumbers(tokens, 5, natural);
    const std::string& name = tokens[0];
    CountReply(name);
    IStageObject* object = TakePending(name);
    if (object == nullptr)
        return;
    const ComponentRect r{Truncate(b[0]), Truncate(b[2]), Truncate(b[1]), Truncate(b[3])};
    object->SetStagePosition(r);
    if (hasNatural)
        object->SetNaturalSize(Truncate(natural[1] - natural[0]), Truncate(natural[3] - natural[2]));
    for (int i = 0; i < object->GetInstanceCount(); ++i)
        if (CComponent* instance = object->GetInstance(i)) {
            instance->SetRect(r);
            if (hasNatural)
                instance->SetBounds(natural[0], natural[2], natural[1], natural[3]);
        }
    object->UpdateBounds();
    Host().RepaintCanvas();
}

// A reply the busy state waited for: the state ends with the last one outstanding.
void CStageFlashCtrl::CountReply(const std::string& name)
{
    if (auto busy = m_busyNames.find(name); busy != m_busyNames.end()) {
        --m_awaitedReplies;
        if (--busy->second == 0)
            m_busyNames.erase(busy);
    }
    if (m_awaitedReplies == 0)
        EndBusy();
}

void CStageFlashCtrl::OnResizeComp(const std::vector<std::string>& tokens)
{
    double b[4];
    if (tokens.size() < 5 || !ParseNumbers(tokens, 1, b))
        return;
    const std::string& name = tokens[0];
    CountReply(name);
    IStageObject* object = TakePending(name);
    if (object == nullptr)
        return;
    object->SetStagePosition({Truncate(b[0]), Truncate(b[2]), Truncate(b[1]), Truncate(b[3])});
    Host().RepaintCanvas();
}

std::unique_ptr<CStageFlashCtrl> MakeProgramStage(CDesignerContext& designer)
{
    // The stage of the running program: the installation's stage movie and catalogue.
    CComponentCatalog* catalog = designer.Catalog();
    if (catalog == nullptr || designer.BaseFolder().empty())
        return nullptr;
    StageSetup setup;
    setup.installDir = designer.BaseFolder();
    setup.catalog = catalog;
    if (CProgramContext* context = designer.Program())
        setup.tempFiles = &context->GetTempFiles();
    setup.namedValues = [] {
        CBaseMovie* base = GetBaseMovie();
        return base != nullptr ? base->GetCellModel().GetNamedValues() : std::map<std::string, std::string>{};
    };
    return std::make_unique<CStageFlashCtrl>(setup);
}
