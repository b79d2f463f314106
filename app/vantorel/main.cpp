// vantorel: the dashboard designer.
//
//   vantorel [document.vtd] [-f:workbook] [-r] [-s]
//
// The program looks for its installation (asset, component, template, samples and styles
// folders) beside itself. Messages go to standard error while no visible front end is
// installed; the exit code is 1 when the program could not start.

#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "app/KVApp.h"
#include "platform/dialogs/MessageBox.h"
#include "platform/services/FlashPlayerObject.h"
#include "platform/services/ObjectFactory.h"
#include "platform/services/Services.h"
#include "platform/window/Wnd.h"

namespace {

// Message boxes of a run without a screen: each is written out and answered with its default
// button.
class CConsoleMessageBoxes final : public IMessageBoxService {
public:
    int Show(const MessageBoxRequest& request) override
    {
        std::fprintf(stderr, "vantorel: %s%s%s\n", request.caption.c_str(), request.caption.empty() ? "" : ": ",
                     request.text.c_str());
        return DefaultMessageBoxAnswer(request.flags);
    }
};

} // namespace

int main(int argc, char** argv)
{
    SetMessageBoxService(std::make_unique<CConsoleMessageBoxes>());
    SetShellService(std::make_unique<CDesktopShell>());
    RegisterFlashPlayerObject(GetObjectFactory());
    RegisterProgramObjects(GetObjectFactory());

    CKVApp app;
    app.SetCommandLine(std::vector<std::string>(argv + 1, argv + argc));
    if (!app.InitInstance()) {
        if (app.m_pMainWnd != nullptr && app.m_pMainWnd->m_hWnd != nullptr) {
            app.m_pMainWnd->DestroyWindow();
        }
        app.ExitInstance();
        return 1;
    }
    return app.Run();
}
