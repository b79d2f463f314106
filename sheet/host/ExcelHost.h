#pragma once

#include "sheet/host/ExcelHostWindow.h"
#include "sheet/host/RangePicker.h"

#include <atomic>
#include <condition_variable>
#include <memory>
#include <mutex>
#include <string>
#include <thread>

class CCellModel;
class CRange;
class CVariableTable;

// The answer of a range pick: the range stored in the variable table (owned by the table)
// for a pick, none for a cleared selection or a cancelled pick.
struct CRangeSelection {
    sheet::RangePickOutcome outcome = sheet::RangePickOutcome::Cancelled;
    const CRange* range = nullptr;
    int rangeIndex = -1;
};

// The per-document link to the imported workbook: the import worker that reads it into a
// fresh cell model and reports only through the import messages, and the range picker.
class CExcelHost {
public:
    static constexpr const char* kMultipleRangesText = "Warning: Only first range selection will apply.";
    static constexpr const char* kMultipleRangesCaption = "Multiple Ranges Selected";
    static constexpr const char* kPickerFailedText =
        "Problem accessing Excel.  Please check if Excel is busy.";
    static constexpr const char* kPickerFailedCaption = "Excel Failed";
    // A document could not be opened again with more cells bound than model::kMaxBindingCells.
    static constexpr const char* kRangeTooLargeText =
        "The selected range holds more than 524288 cells, more than the components of a dashboard can "
        "be linked to. Please select a smaller range.";
    static constexpr const char* kRangeTooLargeCaption = "Range Too Large";

    // The window is borrowed and must outlive the host. Reading the workbook waits for
    // StartWorker, so a bad file is reported through the import messages, never here.
    CExcelHost(sheet::IExcelHostWindow* window, std::string workbookPath);
    ~CExcelHost();
    CExcelHost(const CExcelHost&) = delete;
    CExcelHost& operator=(const CExcelHost&) = delete;

    // The host of the loaded model; none while no model is loaded.
    static CExcelHost* GetCurrent();
    static void SetCurrent(CExcelHost* host);

    // The import dialog sets the path while the worker may be running; the worker reads the
    // path it was started with.
    std::string GetWorkbookPath() const;
    void SetWorkbookPath(std::string path);
    // Stored by the import (the workbook's file name) and read with each range pick.
    std::string GetWorkbookText() const;
    void SetWorkbookText(std::string text);
    // After FormulaFailed: the A1 text of the cell whose formula could not be read (and, in
    // the last error, why); after NoModel: why nothing was imported.
    std::string GetFailedItemText() const;
    std::string GetLastError() const;

    // Reads the workbook into the model (borrowed; it must stay alive until the worker has
    // finished or StopWorker returned) on a worker thread and makes this host current. Any
    // running import is stopped first.
    void StartWorker(CCellModel* target);
    // Asks the worker to stop and waits for it; it looks at the request between cells, so
    // this returns promptly. Does nothing when no worker runs.
    void StopWorker();
    bool IsWorkerRunning() const;
    // For callers that must wait for the import: true once the worker is done.
    bool WaitForWorker(int milliseconds);

    void SetRangePicker(std::unique_ptr<sheet::IRangePicker> picker) { picker_ = std::move(picker); }
    sheet::IRangePicker* GetRangePicker() const { return picker_.get(); }
    // Lets the user pick cells starting from rangeText and writes the picked range's text
    // back. Without multipleAreas only the first area counts (with a warning when more were
    // picked). Cancelled at once, without touching the window, when the picker cannot start.
    CRangeSelection GetSelectedRange(const CCellModel& model, CVariableTable& table, std::string& rangeText,
                                     bool multipleAreas);
    void BeginDataSession();
    void EndDataSession();

private:
    void Run(CCellModel* target, std::string path);
    void Post(sheet::ImportCode code, long value);
    void Finish();

    sheet::IExcelHostWindow* window_;
    std::string workbookPath_;
    std::unique_ptr<sheet::IRangePicker> picker_;
    bool sessionOpen_ = false;

    mutable std::mutex mutex_;
    std::string workbookText_;
    std::string failedItem_;
    std::string lastError_;

    std::thread worker_;
    std::atomic<bool> stop_{false};
    std::condition_variable doneChanged_;
    bool done_ = true;
};
