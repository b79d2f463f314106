#pragma once

// The generation of a document's movie, a service of the designer's context: the snapshot and
// the model compile are taken on the user-interface thread, the movie is built and written on
// a worker while a busy dialog keeps the messages flowing, and one generation runs at a time
// in the whole program (the context keeps that state).

#include <cstdint>
#include <string>

class CDesignerContext;
class CDrawDoc;
class CWnd;
struct SwfGeneration;

class CMovieGeneration {
public:
    explicit CMovieGeneration(CDesignerContext& designer) : m_designer(designer) {}

    // Builds the document's movie and writes it to path; false with the reason in error.
    // Failures are shown over owner when `how` asks for it, and the functions the model uses
    // and the movie lacks are listed after a success.
    bool Generate(CDrawDoc& doc, const std::string& path, const SwfGeneration& how, CWnd* owner, std::string& error);

private:
    CDesignerContext& m_designer;
};
