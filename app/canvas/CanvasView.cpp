#include "app/canvas/CanvasView.h"

#include "platform/docview/Frame.h"
#include "platform/docview/View.h"
#include "platform/docview/WinApp.h"

ICanvasView* GetActiveCanvasView()
{
    auto* frame = dynamic_cast<CFrameWnd*>(AfxGetMainWnd());
    return frame != nullptr ? dynamic_cast<ICanvasView*>(frame->GetActiveView()) : nullptr;
}
