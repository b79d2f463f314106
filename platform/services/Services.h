#pragma once

// The desktop's services in the form the program asks for them: opening files and help with
// the desktop's programs, and the automation layer's start. Tests replace the shell and see
// every request instead of starting programs. The operating system's services (folders,
// environment) are in base/PlatformServices.h.

#include <cstdint>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "base/PlatformServices.h"
#include "platform/window/Messages.h"

BOOL AfxOleInit();

// Opening documents, links and help with the desktop.
class IShellService {
public:
    virtual ~IShellService() = default;
    // `target` is a file or a link; `verb` "open" (or empty). True when it was handed over.
    virtual bool Open(const std::string& target, const std::string& verb) = 0;
    // Help: the help file and, for a topic, the topic inside it. Returns false when no viewer
    // could be started.
    virtual bool ShowHelp(const std::string& helpFile, const std::string& topic) = 0;
};

// Hands targets to the desktop's default program (xdg-open); the target is passed as one
// argument to the program, never through a shell. Open is false only when no opener could be
// started; it does not wait for the opener, whose later failure goes to the failure notice.
class CDesktopShell final : public IShellService {
public:
    bool Open(const std::string& target, const std::string& verb) override;
    bool ShowHelp(const std::string& helpFile, const std::string& topic) override;
};

// Notes every request; tests decide the answer.
class CRecordingShell final : public IShellService {
public:
    struct Request {
        std::string kind; // "open" or "help"
        std::string target;
        std::string detail; // verb or topic
    };
    bool Open(const std::string& target, const std::string& verb) override;
    bool ShowHelp(const std::string& helpFile, const std::string& topic) override;

    std::vector<Request> requests;
    bool succeed = true;
};

// The page of the help that shows a topic: "context:<id>" through the help's topics.txt, a
// page's own name, or else the contents (index.html); all in the folder "help" beside the help
// file's name.
std::filesystem::path HelpPageFor(const std::string& helpFile, const std::string& topic);

// Where an opener that fails after Open returned is reported: `message` is posted to `window`
// (from another thread), and TakeShellFailures then gives the targets that could not be opened.
void SetShellFailureNotice(HWND window, UINT message);
std::vector<std::string> TakeShellFailures();

IShellService& GetShellService();
void SetShellService(std::unique_ptr<IShellService> shell);
CRecordingShell& UseRecordingShell();
void ResetShellService();

// Win32-shaped entry points for the Parts' code.
// Returns a value above 32 on success, as callers of the shell expect.
std::intptr_t ShellExecute(HWND hwnd, const char* verb, const char* file, const char* parameters,
                           const char* directory, int nShowCmd);
enum : UINT { HH_DISPLAY_TOPIC = 0x0000, HH_HELP_CONTEXT = 0x000F, HH_CLOSE_ALL = 0x0012 };
// With HH_DISPLAY_TOPIC `data` is a topic text (or 0); with HH_HELP_CONTEXT a context number.
// Returns the help window's handle in the real system; here non-null on success.
HWND HtmlHelp(HWND hwndCaller, const char* helpFile, UINT command, std::uintptr_t data);
