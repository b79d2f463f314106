#pragma once

// Message boxes. The program asks a service; a visible front end installs one that shows the
// box and waits for the user. Without one (tests, batch runs) every box goes to the scripted
// service: each box's text, caption and flags are logged, answers come from a queue, and a box
// nobody expected is recorded as a failure (and answered with the box's default button) so
// the test that caused it can fail.

#include <deque>
#include <memory>
#include <string>
#include <vector>

#include "platform/window/Messages.h"

class CWnd;

struct MessageBoxRequest {
    std::string text;
    std::string caption;
    UINT flags = 0;
    CWnd* owner = nullptr;
};

class IMessageBoxService {
public:
    virtual ~IMessageBoxService() = default;
    // Returns the button chosen (IDOK, IDYES, ...).
    virtual int Show(const MessageBoxRequest& request) = 0;
};

class CScriptedMessageBoxes final : public IMessageBoxService {
public:
    struct Logged {
        std::string text;
        std::string caption;
        UINT flags = 0;
        int answer = 0;
        bool expected = true;
    };

    int Show(const MessageBoxRequest& request) override;

    // Queues the answer for the next box.
    void Answer(int button) { answers_.push_back(button); }
    const std::vector<Logged>& Log() const { return log_; }
    // Boxes that came when no answer was queued.
    const std::vector<Logged>& Unexpected() const { return unexpected_; }
    std::size_t PendingAnswers() const { return answers_.size(); }
    void Clear();

private:
    std::deque<int> answers_;
    std::vector<Logged> log_;
    std::vector<Logged> unexpected_;
};

// The button a box returns when it is closed without a choice: the default button of its type.
int DefaultMessageBoxAnswer(UINT flags);

IMessageBoxService& GetMessageBoxService();
void SetMessageBoxService(std::unique_ptr<IMessageBoxService> service);
// Installs a fresh scripted service and returns it.
CScriptedMessageBoxes& UseScriptedMessageBoxes();
void ResetMessageBoxService();

// A box owned by the main window with the application's name as caption (or "Error" when no
// application exists). The active wait cursor stays in place afterwards.
int AfxMessageBox(const std::string& text, UINT nType = MB_OK);
int ShowMessageBox(CWnd* owner, const std::string& text, const char* caption, UINT type);
