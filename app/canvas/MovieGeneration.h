#pragma once

// The generation of a document's movie, a service of the designer's context: the snapshot and
// the model compile are taken on the user-interface thread, the movie is built and written on
// a worker while a busy dialog keeps the messages flowing, and one generation runs at a time
// in the whole program (the context keeps that state).

#include <cstdint>
#include <functional>
#include <string>

class CCellValueMap;
class CDesignerContext;
class CDocData;
class CWnd;
namespace model {
class CFileBatch;
}
namespace publish {
struct MovieBuildResult;
}

// How a movie of the document is generated: the preview, or an export with its own needs.
struct SwfGeneration {
    // The program's own preview rather than a movie to hand out.
    bool preview = false;
    // The movie and the files beside it are staged here, to be committed by the caller;
    // without it they are written in place.
    model::CFileBatch* outputs = nullptr;
    // Values the movie starts with instead of the model's (marked records only), for this
    // build alone.
    const CCellValueMap* values = nullptr;
    // The model is compiled again even when unchanged (the export flags change its script).
    bool recompile = false;
    // Failures are shown to the user; a caller that reports them itself turns this off.
    bool reportFailure = true;
    // Filled with what the build made.
    publish::MovieBuildResult* result = nullptr;
};


class CMovieGeneration {
public:
    explicit CMovieGeneration(CDesignerContext& designer) : m_designer(designer) {}

    // Fills an empty snapshot of the document (its BuildDocData).
    using Snapshot = std::function<void(CDocData&)>;
    // Builds the document's movie and writes it to path; false with the reason in error.
    // Failures are shown over owner when `how` asks for it, and the functions the model uses
    // and the movie lacks are listed after a success.
    bool Generate(const Snapshot& takeSnapshot, const std::string& path, const SwfGeneration& how, CWnd* owner,
                  std::string& error);

private:
    CDesignerContext& m_designer;
};
