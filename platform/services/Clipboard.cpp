#include "platform/services/Clipboard.h"

void CClipboard::Set(const std::string& format, std::unique_ptr<IClipboardData> data)
{
    // The old entry goes first: its destructor may look at the clipboard.
    Clear();
    m_format = format;
    m_data = std::move(data);
}

IClipboardData* CClipboard::Get(const std::string& format) const
{
    return m_data != nullptr && m_format == format ? m_data.get() : nullptr;
}

void CClipboard::Clear(const std::string& format)
{
    if (m_format == format)
        Clear();
}

void CClipboard::Clear()
{
    std::unique_ptr<IClipboardData> old = std::move(m_data);
    m_format.clear();
    old.reset();
}

CClipboard& GetClipboard()
{
    static CClipboard clipboard;
    return clipboard;
}
