#include "sheet/host/ExcelHost.h"

#include "model/ModelHooks.h"

#include "sheet/cells/CellModel.h"
#include "sheet/cells/Range.h"
#include "sheet/cells/RangeText.h"
#include "sheet/cells/VariableTable.h"
#include "sheet/workbook/WorkbookError.h"
#include "sheet/workbook/WorkbookImport.h"
#include "sheet/workbook/XlsxReader.h"

#include <chrono>
#include <filesystem>

using namespace sheet;

namespace {

std::atomic<CExcelHost*>& CurrentHost()
{
    static std::atomic<CExcelHost*> current{nullptr};
    return current;
}

} // namespace

CExcelHost::CExcelHost(IExcelHostWindow* window, std::string workbookPath)
    : window_(window), workbookPath_(std::move(workbookPath))
{
}

CExcelHost::~CExcelHost()
{
    StopWorker();
    if (sessionOpen_)
        EndDataSession();
    CExcelHost* self = this;
    CurrentHost().compare_exchange_strong(self, nullptr);
}

CExcelHost* CExcelHost::GetCurrent()
{
    return CurrentHost().load();
}

void CExcelHost::SetCurrent(CExcelHost* host)
{
    CurrentHost().store(host);
}

std::string CExcelHost::GetWorkbookPath() const
{
    std::lock_guard lock(mutex_);
    return workbookPath_;
}

void CExcelHost::SetWorkbookPath(std::string path)
{
    std::lock_guard lock(mutex_);
    workbookPath_ = std::move(path);
}

std::string CExcelHost::GetWorkbookText() const
{
    std::lock_guard lock(mutex_);
    return workbookText_;
}

void CExcelHost::SetWorkbookText(std::string text)
{
    std::lock_guard lock(mutex_);
    workbookText_ = std::move(text);
}

std::string CExcelHost::GetFailedItemText() const
{
    std::lock_guard lock(mutex_);
    return failedItem_;
}

std::string CExcelHost::GetLastError() const
{
    std::lock_guard lock(mutex_);
    return lastError_;
}

void CExcelHost::StartWorker(CCellModel* target)
{
    StopWorker();
    SetCurrent(this);
    {
        std::lock_guard lock(mutex_);
        done_ = false;
        failedItem_.clear();
        lastError_.clear();
    }
    worker_ = std::thread([this, target, path = GetWorkbookPath()] { Run(target, path); });
}

void CExcelHost::StopWorker()
{
    if (!worker_.joinable())
        return;
    stop_ = true;
    worker_.join();
    stop_ = false;
}

bool CExcelHost::IsWorkerRunning() const
{
    std::lock_guard lock(mutex_);
    return !done_;
}

bool CExcelHost::WaitForWorker(int milliseconds)
{
    std::unique_lock lock(mutex_);
    return doneChanged_.wait_for(lock, std::chrono::milliseconds(milliseconds), [this] { return done_; });
}

void CExcelHost::Post(ImportCode code, long value)
{
    if (window_)
        window_->PostImportMessage(code, value);
}

void CExcelHost::Finish()
{
    std::lock_guard lock(mutex_);
    done_ = true;
    doneChanged_.notify_all();
}

void CExcelHost::Run(CCellModel* target, std::string path)
{
    xlsx::Workbook workbook;
    try {
        if (!target)
            throw WorkbookError("No model to import into");
        xlsx::ReadOptions options;
        options.cancel = &stop_;
        workbook = xlsx::ReadWorkbookFile(path, options);
    } catch (const xlsx::ReadCancelled&) {
        Finish();
        return;
    } catch (const std::exception& e) {
        {
            std::lock_guard lock(mutex_);
            lastError_ = e.what();
        }
        Post(ImportCode::NoModel, 1);
        Finish();
        return;
    }

    std::size_t total = StoredCellCount(workbook);
    if (total == 0) {
        // A start with no steps would make the progress display divide by zero.
        {
            std::lock_guard lock(mutex_);
            lastError_ = "The workbook has no cells";
        }
        Post(ImportCode::NoModel, 1);
        Finish();
        return;
    }
    SetWorkbookText(std::filesystem::path(path).filename().string());
    Post(ImportCode::Start, static_cast<long>(total));
    FillOptions fill;
    fill.stop = &stop_;
    fill.progress = [this](std::size_t done) { Post(ImportCode::Progress, static_cast<long>(done)); };
    FillResult result = FillCellModel(std::move(workbook), *target, fill);
    switch (result.outcome) {
    case FillOutcome::Done:
        Post(ImportCode::Progress, static_cast<long>(total));
        Post(ImportCode::Done, 0);
        break;
    case FillOutcome::FormulaFailed: {
        std::lock_guard lock(mutex_);
        failedItem_ = result.failedItem;
        lastError_ = result.failure;
    }
        Post(ImportCode::FormulaFailed, 0);
        break;
    case FillOutcome::Stopped:
        break;
    }
    Finish();
}

CRangeSelection CExcelHost::GetSelectedRange(const CCellModel& model, CVariableTable& table,
                                             std::string& rangeText, bool multipleAreas)
{
    CRangeSelection selection;
    if (!picker_ || !picker_->CanStart())
        return selection;
    if (window_)
        window_->EnableMainWindow(false);
    RangePickAnswer answer = picker_->PickRange(rangeText, multipleAreas);
    auto warn = [this](const char* text, const char* caption) {
        if (window_)
            window_->ShowWarning(text, caption);
    };
    switch (answer.outcome) {
    case RangePickOutcome::Cancelled:
        break;
    case RangePickOutcome::Cleared:
        rangeText.clear();
        selection.outcome = RangePickOutcome::Cleared;
        break;
    case RangePickOutcome::Failed:
        warn(kPickerFailedText, kPickerFailedCaption);
        break;
    case RangePickOutcome::Picked: {
        std::vector<std::string> areas = SplitRangeAreas(answer.rangeText);
        if (areas.size() > 1 && !multipleAreas) {
            warn(kMultipleRangesText, kMultipleRangesCaption);
            areas.resize(1);
        }
        CRange range;
        bool ok = !areas.empty();
        for (const auto& area : areas) {
            CCellRef start, end;
            ok = ok && ParseRangeArea(area, model, start, end) && range.AddArea(start, end);
        }
        if (!ok) {
            warn(kPickerFailedText, kPickerFailedCaption);
            break;
        }
        // Refused before the table numbers every cell of it.
        static_assert(model::kMaxBindingCells == 524288, "kRangeTooLargeText names the bound");
        if (range.GetCellCount() > model::kMaxBindingCells) {
            warn(kRangeTooLargeText, kRangeTooLargeCaption);
            break;
        }
        int index = table.AddRange(range);
        // A table already holding its limit of range cells takes no more: a pick that
        // cannot be stored is a failed pick, never a picked range of none.
        if (index < 0) {
            warn(kPickerFailedText, kPickerFailedCaption);
            break;
        }
        selection.rangeIndex = index;
        selection.range = table.GetRange(static_cast<std::size_t>(index));
        selection.outcome = RangePickOutcome::Picked;
        rangeText = selection.range->GetText();
        break;
    }
    }
    if (window_)
        window_->EnableMainWindow(true);
    return selection;
}

void CExcelHost::BeginDataSession()
{
    sessionOpen_ = true;
    if (picker_)
        picker_->ShowSession(true);
}

void CExcelHost::EndDataSession()
{
    sessionOpen_ = false;
    if (picker_)
        picker_->ShowSession(false);
}
