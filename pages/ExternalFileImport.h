#pragma once

// Taking a picture or a movie into a background or image component: the file is copied into a
// temporary file of the program (so the document keeps working when the user moves the
// original) and its facts are written into the component's external-file group.

#include <string>

class CParameterSet;
class CWnd;

namespace publish {
class ITempFileMaker;
}

namespace pages {

// The tip about slow canvases is shown once per document, on the fourth movie imported. The
// document's reset (new or opened document) starts it again.
struct SwfImportTip {
    bool pending = true;
    int count = 0;
    void Reset()
    {
        pending = true;
        count = 0;
    }
};

// The tip state of the running program, which a new or opened document resets.
inline SwfImportTip& GetActiveSwfTip()
{
    static SwfImportTip tip;
    return tip;
}

// Movies newer than this cannot be placed into a published movie of ours.
constexpr int kNewestImportableSwfVersion = 6;

struct ExternalFileImportResult {
    bool imported = false;
    // The movie carries our own marker: it was published by this program and cannot be embedded.
    bool ours = false;
};

// Imports path into the external-file group ("fileName", "bgType", "bgWidth", "bgHeight",
// "bgColor", "embed"); "pathName" is the caller's. Every refusal is told to the user in a
// message box owned by owner; nothing of the group changes then.
ExternalFileImportResult ImportExternalFile(const std::string& path, CParameterSet& externalFile,
                                            publish::ITempFileMaker& temporaries, SwfImportTip& tip, CWnd* owner);

} // namespace pages
