#pragma once

#include "publish/MovieBuilder.h"
#include "publish/ProgramContext.h"

#include <cstdint>
#include <filesystem>
#include <memory>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

class CBaseMovie;
class CDocData;

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

    // Builds the movie of the open document. Throws PublishError (Output) or MovieBuildError.
    MovieBuildResult Publish(const std::filesystem::path& output, bool preview);

    // "V<id>\t<sheet>\t<cell>" for every variable of the model, by id.
    std::vector<std::string> VariableMap() const;
    // Spreadsheet functions the model uses and the movie cannot calculate, in name order.
    std::vector<std::string> UnsupportedFunctions() const;
    std::vector<std::string> UsedFunctions() const;

    CBaseMovie& GetBaseMovie() { return *base_; }
    CDocData& GetDocument() { return *doc_; }

private:
    void Compile();

    std::unique_ptr<CProgramContext> context_;
    std::unique_ptr<CProgramContext::Scope> scope_;
    CBaseMovie* base_ = nullptr; // the context's
    std::unique_ptr<CDocData> doc_;
    std::uint16_t firstBuildId_ = 1;
};

// The text listed after a build whose model uses functions the library lacks: each name on a
// line of its own, then the warning; empty when there are none.
std::string UnsupportedFunctionsMessage(const std::vector<std::string>& names);

} // namespace publish
