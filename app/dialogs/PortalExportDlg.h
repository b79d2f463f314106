#pragma once

#include <string>

#include "platform/dialogs/Dialog.h"
#include "platform/dialogs/DialogTemplate.h"

// "Plumtree Export Options": the size a portal page shows the movie at and the folder URL the
// movie will be served from.
class CPortalExportDlg : public CDialog {
public:
    enum { IDD = 345 };
    enum : int {
        IDC_MOVIE_WIDTH = 600,
        IDC_SCALED_WIDTH = 602,
        IDC_SCALED_HEIGHT = 603,
        IDC_URL_PATH = 604,
        IDC_MOVIE_HEIGHT = 605,
        IDC_SCALE_X = 606,
        IDC_SCALE_Y = 607,
    };
    static constexpr const char* kNoHostText = "Please enter the URL of the folder the movie will be served from.";
    static constexpr const char* kBadSizeText = "Please enter a scaled width and height of at least 1 pixel.";

    // The movie's size in pixels (the canvas size).
    CPortalExportDlg(int movieWidth, int movieHeight, CWnd* parent);

    static DialogTemplate MakeTemplate();
    BOOL OnInitDialog() override;
    void OnOK() override;

    int GetScaledWidth() const { return m_nScaledWidth; }
    int GetScaledHeight() const { return m_nScaledHeight; }
    const std::string& GetUrlPath() const { return m_strUrlPath; }

    // The other side of a size that keeps the movie's aspect ratio, truncated; the side as it
    // is when the movie has no extent to take a ratio from.
    static int ScaleSide(int movieSide, int movieOther, int scaledOther, int unchanged);

protected:
    DECLARE_MESSAGE_MAP()

private:
    void OnScaleX();
    void OnScaleY();

    int m_nMovieWidth;
    int m_nMovieHeight;
    int m_nScaledWidth;
    int m_nScaledHeight;
    std::string m_strUrlPath;
};
