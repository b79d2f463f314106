#pragma once

#include "publish/MovieBuilder.h"
#include "publish/ProgramContext.h"
#include "sheet/workbook/WorkbookImport.h"
#include "sheet/workbook/XlsxReader.h"
#include "sheet/workbook/XlsxWorkbook.h"

#include <cstdint>
#include <filesystem>
#include <functional>
#include <future>
#include <memory>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

class CBaseMovie;
class CDocData;
namespace model {
class CFileBatch;
}

namespace publish {

// What stops a headless publish, with the kind the command turns into its exit code.
class PublishError : public std::runtime_error {
public:
    enum class Kind { Installation, MissingFile, DamagedDocument, UnreadableWorkbook, Output };
    PublishError(Kind kind, const std::string& what) : std::runtime_error(what), kind_(kind) {}
    Kind GetKind() const { return kind_; }

private:
    Kind kind_;
};

// The program's start-up and export command without a window: a program context over an
// installation folder (catalogue, function library, base movie, component scripts), one opened
// document and its movie. Its context is current while it lives; a second publisher made
// meanwhile takes over until it ends.
class CPublisher {
public:
    // Throws PublishError (Installation) when the folder lacks the base or library movie.
    explicit CPublisher(const std::filesystem::path& installDir);
    ~CPublisher();
    CPublisher(const CPublisher&) = delete;
    CPublisher& operator=(const CPublisher&) = delete;

    // A document file as the program opens it.
    void OpenDocument(const std::filesystem::path& document);
    // The document a description describes (docs/document-description.md); workbook, when
    // given, replaces the one it names.
    void OpenDescription(const std::filesystem::path& description,
                         const std::optional<std::filesystem::path>& workbook = std::nullopt);
    // A document without components whose model holds every formula cell of the workbook and
    // what they read, so that the movie calculates the whole workbook.
    void OpenWorkbookFormulas(const std::filesystem::path& workbook);
    // The same with the workbook's file read, or being read, by the caller (sheet::xlsx::
    // ReadWorkbookFile); what went wrong in the reading is reported as here. A large workbook
    // takes a while to read, which the caller can spend on loading the publisher.
    void OpenWorkbookFormulas(const std::filesystem::path& workbook, std::future<sheet::xlsx::Workbook> reading);

    // Builds the movie of the open document. Throws PublishError (Output) or MovieBuildError;
    // an output that is one of the files read (by identity, whatever its name) is refused. With
    // outputs, the files are staged there for the caller to commit with its own.
    MovieBuildResult Publish(const std::filesystem::path& output, bool preview, model::CFileBatch* outputs = nullptr);
    // Refuses (PublishError, Output) a file to write that is one of the files the open document
    // was read from.
    void RefuseInputAsOutput(const std::filesystem::path& output) const;

    // The bounds a description's workbook is read within (the reader's defaults until set). A
    // document's embedded workbook is carried into the movie's files, not read; a workbook
    // published whole is read by the caller, within its own.
    void SetWorkbookReading(const sheet::xlsx::ReadOptions& options);

    // Told each step of long work ("reading x.xlsx", "compiling 4168 formulas", "writing m.swf").
    void SetProgress(std::function<void(const std::string&)> progress) { progress_ = std::move(progress); }

    // "V<id>\t<sheet>\t<cell>" for every variable of the model, by id.
    std::vector<std::string> VariableMap() const;
    // Spreadsheet functions the model uses and the movie cannot calculate, in name order.
    std::vector<std::string> UnsupportedFunctions() const;
    // The same by the names the spreadsheet shows (BETA.DIST, XOR), each with the first cells
    // whose formulas call it and how many do in all.
    struct UnsupportedCall {
        std::string name;
        std::vector<std::string> cells; // "Sheet!A1", the first few
        std::size_t cellCount = 0;
    };
    std::vector<UnsupportedCall> UnsupportedFunctionCalls(std::size_t cellsShown = 3) const;
    std::vector<std::string> UsedFunctions() const;
    // Formulas of the open model that read each other in a circle, each circle as the cells
    // along it; the movie gives those cells the error a spreadsheet shows for them.
    std::vector<std::vector<std::string>> CircularReferences() const;
    // Formulas of the open model the movie cannot hold (a text it cannot read, a reference past
    // what a movie can list), each as its cell ("'Sheet1'!$B$7") and the reason, in the order
    // they were compiled. The movie has no variable for them, so a command that publishes
    // anyway would show wrong values with no word of it.
    std::vector<std::pair<std::string, std::string>> UncompiledFormulas() const;
    // Formulas of the opened workbook that cannot be read (a function the workbook defines, a
    // link to another workbook, a table reference): the movie shows the value the file stored
    // there, and it stays as it is whatever changes.
    const std::vector<sheet::UnreadFormula>& UnreadFormulas() const { return unreadFormulas_; }
    // Whether the opened workbook is set to iterate circular references: the movie then
    // repeats its calculation over them as the workbook's settings say.
    bool WorkbookIterates() const { return iterates_; }
    // What opening changed and the user should know (components renamed so the movie can
    // reach them), one line each.
    const std::vector<std::string>& Notes() const { return notes_; }

    // Removes the temporary files of the context now, for a caller about to end the process
    // without taking the publisher down.
    void RemoveTemporaryFiles();

    CBaseMovie& GetBaseMovie() { return *base_; }
    CDocData& GetDocument() { return *doc_; }

private:
    void Compile();
    void Step(const std::string& text) const;

    std::unique_ptr<CProgramContext> context_;
    std::unique_ptr<CProgramContext::Scope> scope_;
    CBaseMovie* base_ = nullptr; // the context's
    std::unique_ptr<CDocData> doc_;
    std::uint16_t firstBuildId_ = 1;
    std::vector<std::filesystem::path> inputs_;
    std::vector<std::string> notes_;
    std::vector<sheet::UnreadFormula> unreadFormulas_;
    bool iterates_ = false;
    std::function<void(const std::string&)> progress_;
};

// The text listed after a build whose model uses functions the library lacks: each name on a
// line of its own, then the warning; empty when there are none.
std::string UnsupportedFunctionsMessage(const std::vector<std::string>& names);
// The lines of that text for calls: "BETA.DIST in S!A1, S!B2, S!C3 and 4 more cells".
std::vector<std::string> UnsupportedCallLines(const std::vector<CPublisher::UnsupportedCall>& calls);

} // namespace publish
