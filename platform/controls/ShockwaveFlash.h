#pragma once

#include "platform/controls/FlashPlayer.h"
#include "platform/window/Wnd.h"

#include <memory>
#include <string>

// The window that hosts a Flash player. The player comes from the player factory when the
// window is created; the player's command event arrives in OnFSCommand. Without a player
// (the factory made none) every call does nothing and the version reads 0.
class CShockwaveFlash : public CWnd, public IFlashPlayerEvents {
public:
    CShockwaveFlash();
    ~CShockwaveFlash() override;

    BOOL Create(const char* windowName, DWORD style, const CRect& rect, CWnd* parent, UINT id);

    void LoadMovie(long layer, const std::string& url);
    std::string GetMovie() const;
    void SetMovie(const std::string& url);
    void Play();
    long FlashVersion() const;
    void SetVariable(const std::string& name, const std::string& value);
    void TCallLabel(const std::string& target, const std::string& label);
    long GetBackgroundColor() const;
    void SetBackgroundColor(long colour);
    // The player's context-menu switch (these hide the window's menu bar calls).
    BOOL GetMenu() const;
    void SetMenu(BOOL enabled);
    void Zoom(int factor);
    void SetBase(const std::string& folder);

    IFlashPlayer* GetPlayer() const { return m_player.get(); }
    // The command a movie sent with fscommand; TRUE when handled.
    virtual BOOL OnFSCommand(const std::string& command, const std::string& args);

    void OnPlayerCommand(const std::string& command, const std::string& args) override;

protected:
    LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    std::unique_ptr<IFlashPlayer> m_player;
};

// The window class names a dialog template may give the player control.
constexpr const char* kFlashWindowClass = "ShockwaveFlash.ShockwaveFlash";
constexpr const char* kFlashClassId = "{D27CDB6E-AE6D-11CF-96B8-444553540000}";
