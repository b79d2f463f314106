#pragma once

// Where a printed page goes. The program draws the page into a picture file; headless that
// picture is the print, and a screen host installs its toolkit's print dialog, which prints or
// previews the picture on paper.

#include <memory>
#include <string>

class CWnd;

class IPrintService {
public:
    virtual ~IPrintService() = default;
    // False with a reason when the page could not be printed; a dialog the user cancelled is
    // no failure.
    virtual bool PrintPicture(CWnd* owner, const std::string& picturePath, const std::string& title, bool preview,
                              std::string& error) = 0;
};

// Null where nothing prints (headless).
IPrintService* GetPrintService();
void SetPrintService(std::unique_ptr<IPrintService> service);
