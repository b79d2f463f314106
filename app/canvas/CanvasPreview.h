#pragma once

// The canvas view's preview mode: the document's movie is built into a temporary file and
// played over the canvas by the preview player, the editing menus are greyed and the tool
// windows hidden; edit mode brings them back. The player also answers the snapshot commands'
// questions for the values shown.

#include <functional>
#include <memory>
#include <string>

#include "platform/drawing/Geometry.h"

class CCanvasToolWindows;
class CCmdUI;
class CDesignerContext;
class CPreviewFlashCtrl;
class ICanvasView;

class CCanvasPreview {
public:
    // All three outlive the preview.
    CCanvasPreview(ICanvasView& view, CDesignerContext& designer, CCanvasToolWindows& windows);
    ~CCanvasPreview();
    CCanvasPreview(const CCanvasPreview&) = delete;
    CCanvasPreview& operator=(const CCanvasPreview&) = delete;

    bool IsActive() const { return m_active; }
    // Builds the preview movie at the given path; false (with a reason) when it could not.
    using Builder = std::function<bool(const std::string& path, std::string& error)>;
    void SetBuilder(Builder builder) { m_builder = std::move(builder); }

    // The player, made (hidden, over the view) on first use.
    CPreviewFlashCtrl& Player();
    // The player if it was made, else null.
    CPreviewFlashCtrl* ExistingPlayer() const { return m_player.get(); }
    // The movie the preview plays (empty outside preview mode).
    const std::string& MoviePath() const { return m_moviePath; }
    void SetMoviePath(const std::string& path) { m_moviePath = path; }

    // View > Preview: only with a model, and only from edit mode. A movie that cannot be built
    // is reported and edit mode stays.
    void OnViewPreview();
    // View > Edit.
    void OnViewEdit();
    // The player follows the canvas.
    void Place();
    // Where the player lies: the canvas, within the view's client area.
    CRect PlayerRect() const;
    // The recent-file entries are the class library's; preview greys every one of them.
    void UpdateRecentFile(CCmdUI* pCmdUI);

private:
    bool Enter();
    void Leave();
    bool BuildMovie(const std::string& path, std::string& error);
    static void EnableMenus(bool preview);

    ICanvasView& m_view;
    CDesignerContext& m_designer;
    CCanvasToolWindows& m_windows;
    bool m_active = false;
    Builder m_builder;
    std::string m_file;
    std::string m_moviePath;
    std::unique_ptr<CPreviewFlashCtrl> m_player;
};
