#include "platform/services/Services.h"

#include "base/ServiceSlot.h"
#include "platform/window/Wnd.h"

#include <cerrno>
#include <fstream>
#include <mutex>
#include <sstream>
#include <string_view>
#include <thread>
#include <utility>

#include <spawn.h>
#include <sys/wait.h>

extern char** environ;

namespace {

ui::ServiceSlot<IShellService, CRecordingShell>& ShellSlot()
{
    static ui::ServiceSlot<IShellService, CRecordingShell> shell;
    return shell;
}

struct FailureNotice {
    std::mutex mutex;
    HWND window = nullptr;
    UINT message = 0;
    std::vector<std::string> failed;
};
FailureNotice& Notice()
{
    static FailureNotice notice;
    return notice;
}

// Starts the desktop's opener for a target (no shell involved). Only a start that fails at once
// (no opener) makes it false: the opener may take many seconds to start a browser, or to find
// none, which a thread of its own waits for (leaving no zombie) and reports to the notice's window.
bool Spawn(const std::vector<std::string>& argv, const std::string& target)
{
    std::vector<char*> args;
    for (const std::string& a : argv) {
        args.push_back(const_cast<char*>(a.c_str()));
    }
    args.push_back(nullptr);
    pid_t pid = 0;
    if (posix_spawnp(&pid, args[0], nullptr, nullptr, args.data(), environ) != 0) {
        return false;
    }
    std::thread([pid, target] {
        int status = 0;
        while (waitpid(pid, &status, 0) < 0 && errno == EINTR) {
        }
        if (WIFEXITED(status) && WEXITSTATUS(status) == 0) {
            return;
        }
        FailureNotice& notice = Notice();
        std::lock_guard lock(notice.mutex);
        notice.failed.push_back(target);
        if (notice.window != nullptr) {
            ::PostMessage(notice.window, notice.message, 0, 0);
        }
    }).detach();
    return true;
}

} // namespace

BOOL AfxOleInit()
{
    return GetPlatformServices().oleInitSucceeds ? TRUE : FALSE;
}

bool CDesktopShell::Open(const std::string& target, const std::string&)
{
    if (target.empty()) {
        return false;
    }
    // A file named from the current folder (the installation's help, for one) is handed over
    // by its whole path: the program that opens it starts in a folder of its own.
    std::error_code error;
    const std::filesystem::path file(target);
    if (target.find(':') == std::string::npos && file.is_relative() && std::filesystem::exists(file, error)) {
        const std::filesystem::path whole = std::filesystem::absolute(file, error);
        if (!error) {
            return Spawn({"xdg-open", whole.string()}, target);
        }
    }
    return Spawn({"xdg-open", target}, target);
}

void SetShellFailureNotice(HWND window, UINT message)
{
    std::lock_guard lock(Notice().mutex);
    Notice().window = window;
    Notice().message = message;
}

std::vector<std::string> TakeShellFailures()
{
    std::lock_guard lock(Notice().mutex);
    return std::exchange(Notice().failed, {});
}

std::filesystem::path HelpPageFor(const std::string& helpFile, const std::string& topic)
{
    const std::filesystem::path folder = std::filesystem::path(helpFile).parent_path() / "help";
    std::string page = "index.html";
    constexpr std::string_view kContext = "context:";
    if (topic.rfind(kContext, 0) == 0) {
        const std::string id = topic.substr(kContext.size());
        std::ifstream map(folder / "topics.txt");
        std::string line;
        while (std::getline(map, line)) {
            std::istringstream fields(line);
            std::string number, file;
            if (fields >> number >> file && number == id) {
                page = file;
                break;
            }
        }
    } else if (!topic.empty() && topic.find('/') == std::string::npos && topic.find("..") == std::string::npos) {
        page = topic;
    }
    return folder / page;
}

bool CDesktopShell::ShowHelp(const std::string& helpFile, const std::string& topic)
{
    // The help is a folder of web pages beside the help file's name; the desktop's browser
    // shows the topic's page.
    std::error_code error;
    const std::filesystem::path page = std::filesystem::absolute(HelpPageFor(helpFile, topic), error);
    if (error || !std::filesystem::is_regular_file(page, error)) {
        return false;
    }
    return Open(page.string(), "open");
}

bool CRecordingShell::Open(const std::string& target, const std::string& verb)
{
    requests.push_back({"open", target, verb});
    return succeed;
}

bool CRecordingShell::ShowHelp(const std::string& helpFile, const std::string& topic)
{
    requests.push_back({"help", helpFile, topic});
    return succeed;
}

IShellService& GetShellService()
{
    return ShellSlot().Get();
}

void SetShellService(std::unique_ptr<IShellService> shell)
{
    ShellSlot().Set(std::move(shell));
}

CRecordingShell& UseRecordingShell()
{
    return ShellSlot().Use();
}

void ResetShellService()
{
    ShellSlot().Reset();
}

std::intptr_t ShellExecute(HWND, const char* verb, const char* file, const char*, const char*, int)
{
    if (file == nullptr) {
        return 2; // "file not found", as the shell answers
    }
    return GetShellService().Open(file, verb != nullptr ? verb : "") ? 42 : 2;
}

HWND HtmlHelp(HWND, const char* helpFile, UINT command, std::uintptr_t data)
{
    if (helpFile == nullptr) {
        return nullptr;
    }
    std::string topic;
    if (command == HH_DISPLAY_TOPIC && data != 0) {
        topic = reinterpret_cast<const char*>(data);
    } else if (command == HH_HELP_CONTEXT) {
        topic = "context:" + std::to_string(data);
    } else if (command == HH_CLOSE_ALL) {
        return nullptr;
    }
    // A help file name may carry its topic after "::", as help callers write it.
    std::string file = helpFile;
    if (auto sep = file.find("::"); sep != std::string::npos) {
        if (topic.empty()) {
            topic = file.substr(sep + 2);
        }
        file.resize(sep);
    }
    return GetShellService().ShowHelp(file, topic) ? reinterpret_cast<HWND>(std::uintptr_t{1}) : nullptr;
}
