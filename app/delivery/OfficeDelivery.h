#pragma once

// Handing a generated movie to the office programs of this desktop: a presentation whose slide
// carries the player control with the movie, and a new mail with the movie attached.

#include <cstdint>
#include <filesystem>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

class CObjectFactory;

// A delivery that failed; the text is fit for the user.
class OfficeError : public std::runtime_error {
public:
    explicit OfficeError(const std::string& what) : std::runtime_error(what) {}
};

// What the slide shows where its player control does not play (no office program of this
// desktop runs the control): the movie as the player drew it (a PNG; none: the slide names the
// movie instead), and the file beside the presentation that a click on it opens (a name).
struct SlideFace {
    std::vector<std::uint8_t> picture;
    std::string link;
};

// Puts a movie on the slide of a new presentation: the slide holds the player control
// (PresentationML's embedded control, class of the Flash player) set to play the movie and to
// keep it inside the presentation, under the movie's picture linked to the movie's file, and
// the package carries the movie's bytes. The file is written whole or not at all.
class CPowerPointExport {
public:
    // The presentation new ones start from; the package is complete without it, so a template
    // that is not there is no failure.
    void Start(const std::string& templatePath);
    // The size the slide shows the movie at, in pixels (the canvas size).
    void SetMovieSize(int width, int height)
    {
        m_nWidth = width;
        m_nHeight = height;
    }
    void SetFace(SlideFace face) { m_face = std::move(face); }
    // Throws OfficeError when the movie cannot be read or the presentation written.
    void InsertMovie(const std::string& presentationPath, const std::string& moviePath);

    // The package's bytes for a movie of that size in pixels (tests read them back).
    static std::vector<std::uint8_t> MakePresentation(const std::string& movieReference,
                                                      const std::vector<std::uint8_t>& movie, int width,
                                                      int height, const SlideFace& face = {});

private:
    std::string m_templatePath;
    SlideFace m_face;
    int m_nWidth = 550;
    int m_nHeight = 400;
};

// How a new mail is started on this desktop; tests put a recording one in.
class IMailProgram {
public:
    virtual ~IMailProgram() = default;
    virtual bool IsAvailable() const = 0;
    // Opens a new mail with the file attached; false, with the reason, when it could not.
    virtual bool Compose(const std::string& subject, const std::string& attachment, std::string& error) = 0;
};

// The desktop's mail program through xdg-email, run without a shell.
class CXdgMailProgram final : public IMailProgram {
public:
    bool IsAvailable() const override;
    bool Compose(const std::string& subject, const std::string& attachment, std::string& error) override;
};

// A new mail with the movie attached: handed to the mail program, or, where there is none,
// written as a message file (.eml) that any mail program opens: beside the movie, or in the
// folder KeepMessageIn names.
class COutlookExport {
public:
    explicit COutlookExport(IMailProgram* program) : m_program(program) {}
    // A message file goes into folder, named after name (the movie's name in the mail, as
    // "report.swf"), under a name no file there has yet: a movie made for the mail lies in the
    // run's temporary folder, which goes when the program ends.
    void KeepMessageIn(const std::filesystem::path& folder, const std::string& name);
    // The message file written, or empty when the mail program took the mail. Throws
    // OfficeError when neither works.
    std::string AttachMovie(const std::string& moviePath);

    // The message's text: a MIME mail with the movie as a base64 attachment.
    static std::string MakeMessage(const std::string& subject, const std::string& fileName,
                                   const std::vector<std::uint8_t>& movie);

private:
    IMailProgram* m_program;
    std::filesystem::path m_messageFolder;
    std::string m_movieName;
};

// The office programs as start-up asks for them: "Powerpoint.Application" and
// "Outlook.Application" report the version the office check wants, since both deliveries
// always work here.
void RegisterOfficeObjects(CObjectFactory& factory);

// folder/stem + extension, or with " (2)", " (3)"... after the stem, the first name no file in
// the folder has; throws OfficeError past a thousand.
std::filesystem::path UnusedFileName(const std::filesystem::path& folder, const std::string& stem,
                                     const std::string& extension);

// A stored (uncompressed) zip archive of named parts, in the order given.
std::vector<std::uint8_t> MakeStoredZip(const std::vector<std::pair<std::string, std::string>>& parts);
