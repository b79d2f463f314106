#include "platform/dialogs/DialogTemplate.h"

#include "platform/window/Screen.h"

DialogTemplate& DialogTemplate::Add(std::string className, std::string text, int itemId, int ix, int iy,
                                    int icx, int icy, DWORD itemStyle, DWORD itemExStyle)
{
    DialogItemTemplate item;
    item.className = std::move(className);
    item.text = std::move(text);
    item.id = itemId;
    item.x = ix;
    item.y = iy;
    item.cx = icx;
    item.cy = icy;
    item.style = itemStyle;
    item.exStyle = itemExStyle;
    items.push_back(std::move(item));
    return *this;
}

const DialogItemTemplate* DialogTemplate::FindItem(int itemId) const
{
    for (const DialogItemTemplate& item : items)
        if (item.id == itemId)
            return &item;
    return nullptr;
}

void CDialogTemplateTable::Add(DialogTemplate dialog)
{
    int id = dialog.id;
    m_templates[id] = std::move(dialog);
}

const DialogTemplate* CDialogTemplateTable::Find(int id) const
{
    auto it = m_templates.find(id);
    return it == m_templates.end() ? nullptr : &it->second;
}

namespace {
CDialogTemplateTable& Table()
{
    static CDialogTemplateTable table;
    return table;
}
} // namespace

CDialogTemplateTable& GetDialogTemplates()
{
    return Table();
}

void ResetDialogTemplates()
{
    Table().Clear();
}

namespace ui {

namespace {
int MulDiv(int a, int b, int c)
{
    long long n = static_cast<long long>(a) * b;
    return static_cast<int>((n >= 0 ? n + c / 2 : n - c / 2) / c);
}
} // namespace

CSize DialogBaseUnits(const LOGFONT& font)
{
    TEXTMETRIC tm = MetricsFor(font);
    return {tm.tmAveCharWidth, tm.tmHeight};
}

CRect DialogUnitsToPixels(int x, int y, int cx, int cy, const LOGFONT& font)
{
    CSize base = DialogBaseUnits(font);
    int left = MulDiv(x, base.cx, 4);
    int top = MulDiv(y, base.cy, 8);
    return CRect(left, top, left + MulDiv(cx, base.cx, 4), top + MulDiv(cy, base.cy, 8));
}

LOGFONT TemplateFont(const DialogTemplate& dialog)
{
    CFont font;
    font.CreatePointFont(dialog.pointSize * 10, dialog.fontFace, GetScreenMetrics().dpiY);
    return font.GetLogFontRef();
}

} // namespace ui
