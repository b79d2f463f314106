#include "app/canvas/MovieGeneration.h"

#include <atomic>
#include <memory>
#include <thread>

#include "app/core/DesignerContext.h"
#include "app/dialogs/WaitDlg.h"
#include "model/ComponentCatalog.h"
#include "platform/dialogs/MessageBox.h"
#include "platform/docview/WinApp.h"
#include "publish/BaseMovie.h"
#include "publish/DocData.h"
#include "publish/FunctionLibrary.h"
#include "publish/MovieBuilder.h"
#include "publish/ProgramContext.h"
#include "publish/Publisher.h"
#include "sheet/cells/CellValueMap.h"

namespace {

// What the user-interface thread hands the worker, and what the worker hands back. It lives on
// the stack of GenerateSwf, which waits for the worker before it returns.
struct GenerationBlock {
    std::string path;
    CDocData* snapshot = nullptr;
    CComponentCatalog* catalog = nullptr;
    CProgramContext* context = nullptr;
    std::uint16_t firstCharacterId = 1;
    bool preview = false;
    model::CFileBatch* outputs = nullptr;
    publish::MovieBuildResult result;
    HWND wake = nullptr;
    std::atomic<bool> done{false};
    std::string error;
};

unsigned GenerateSwfThreadProc(GenerationBlock* block)
{
    try {
        std::int32_t width = 0, height = 0;
        block->snapshot->GetStageSize(width, height);
        // The program's context stays current for the worker: its catalogue, library and
        // counters are the ones the snapshot was taken with.
        block->result = publish::BuildAndWriteMovie(block->path, *block->snapshot, *block->catalog, width * 20,
                                                    height * 20, block->preview,
                                                    {block->context->GetCharacterIds(), block->firstCharacterId,
                                                     block->context->GetDepths()},
                                                    block->outputs);
    } catch (const std::exception& failure) {
        block->error = failure.what();
        if (block->error.empty())
            block->error = "the movie could not be built";
    }
    block->done = true;
    // The waiting loop looks at the flag between messages: one more message makes it look now.
    if (block->wake != nullptr)
        ::PostMessage(block->wake, WM_NULL, 0, 0);
    return 0;
}

std::uint16_t FirstBuildId(const CDesignerContext& designer, CProgramContext& context)
{
    if (designer.Program() != nullptr)
        return designer.FirstBuildId();
    return context.GetCharacterIds().Peek();
}

} // namespace

bool CMovieGeneration::Generate(const Snapshot& takeSnapshot, const std::string& path, const SwfGeneration& how,
                                CWnd* owner, std::string& error)
{
    error.clear();
    CProgramContext* context = m_designer.Program();
    CComponentCatalog* catalog = m_designer.Catalog();
    if (context == nullptr || catalog == nullptr || m_designer.BaseMovie() == nullptr) {
        error = "the program's components or base movie are missing";
        return false;
    }
    // Message handlers run while the worker builds; one of them must not start another build.
    bool idle = false;
    if (!m_designer.Generating().compare_exchange_strong(idle, true)) {
        error = "a movie is being generated already";
        return false;
    }

    // The snapshot and the model compile are taken here, before the worker starts: while it
    // runs, the stage's replies may still move components on this thread.
    CBaseMovie& base = *m_designer.BaseMovie();
    if (how.recompile)
        base.SetModelChanged();
    CDocData snapshot;
    takeSnapshot(snapshot);
    // The compile gave the model a fresh value map; given values go over a copy of it for
    // this one build, and the model's own come back whatever happens.
    std::unique_ptr<CCellValueMap> kept;
    if (how.values != nullptr) {
        auto merged = std::make_unique<CCellValueMap>(base.GetValueMap());
        merged->ClearMarks();
        for (const auto& [id, record] : *how.values)
            if (record.mark != 0)
                merged->Replace(record);
        kept = base.ReplaceValueMap(std::move(merged));
    }

    GenerationBlock block;
    block.path = path;
    block.snapshot = &snapshot;
    block.catalog = catalog;
    block.context = context;
    block.firstCharacterId = FirstBuildId(m_designer, *context);
    block.preview = how.preview;
    block.outputs = how.outputs;
    {
        CWaitDlg wait("Generating SWF...", owner);
        block.wake = wait.GetSafeHwnd();
        std::thread worker(GenerateSwfThreadProc, &block);
        MSG msg;
        bool quit = false;
        while (!block.done.load()) {
            if (!::GetMessage(&msg, nullptr, 0, 0)) {
                // The program is asked to end: the request is put back for the main loop, and
                // the worker is still waited for, since it works on this document.
                quit = true;
                break;
            }
            ::TranslateMessage(&msg);
            ::DispatchMessage(&msg);
        }
        worker.join();
        if (quit)
            ::PostQuitMessage(static_cast<int>(msg.wParam));
    }
    m_designer.Generating() = false;
    if (kept)
        base.ReplaceValueMap(std::move(kept));

    if (!block.error.empty()) {
        error = block.error;
        if (how.reportFailure)
            ShowMessageBox(owner, "The movie could not be generated:\n" + path + "\n" + block.error,
                           "Generating SWF", MB_OK | MB_ICONSTOP);
        return false;
    }
    if (how.result != nullptr)
        *how.result = block.result;
    CFunctionLibrary* library = m_designer.FunctionLibrary();
    if (library != nullptr && library->GetUnsupportedCount() > 0) {
        std::vector<std::string> names;
        for (int i = 0; i < library->GetUnsupportedCount(); ++i)
            names.push_back(library->GetUnsupportedName(i));
        ShowMessageBox(owner, publish::UnsupportedFunctionsMessage(names), "Unsupported Functions",
                       MB_OK | MB_ICONEXCLAMATION);
    }
    return true;
}
