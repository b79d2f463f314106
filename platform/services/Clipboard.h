#pragma once

// The program's own clipboard: what Cut and Copy leave for Paste, shared by every window and
// document of the program. It holds one entry at a time, in a format named by its owner, and
// owns it. What the desktop's clipboard carries (text, pictures) is not kept here.

#include <memory>
#include <string>

// An entry's contents; the format's owner derives from it.
class IClipboardData {
public:
    virtual ~IClipboardData() = default;
};

class CClipboard {
public:
    // Replaces whatever was held; the previous entry is deleted.
    void Set(const std::string& format, std::unique_ptr<IClipboardData> data);
    // The entry when it is of that format, else null.
    IClipboardData* Get(const std::string& format) const;
    bool Holds(const std::string& format) const { return Get(format) != nullptr; }
    // Deletes the entry of that format (another format's entry stays).
    void Clear(const std::string& format);
    void Clear();

private:
    std::string m_format;
    std::unique_ptr<IClipboardData> m_data;
};

// The clipboard of this program.
CClipboard& GetClipboard();
