#include "model/TextFormat.h"

using namespace model;

CTextFormat::CTextFormat(const std::string& font, std::int32_t size, std::uint32_t color)
{
    Add(std::make_unique<CParameter>("font", kTypeString))->SetString(font);
    Add(std::make_unique<CParameter>("size", kTypeInt))->SetInt(size);
    Add(std::make_unique<CParameter>("bold", kTypeBool))->SetBool(false);
    Add(std::make_unique<CParameter>("italic", kTypeBool))->SetBool(false);
    Add(std::make_unique<CParameter>("underline", kTypeBool))->SetBool(false);
    Add(std::make_unique<CParameter>("color", kTypeColor))->SetColor(color);
}

namespace {
const CParameter* Find(const CTextFormat& format, const char* key)
{
    return format.FindParameter(key);
}
} // namespace

CParameter& CTextFormat::Get(const char* key, int type)
{
    // A format emptied or assigned from a set without the key gets the member back, so that
    // the font choosers always find all six.
    if (CParameter* p = FindParameter(key)) {
        return *p;
    }
    return *Add(std::make_unique<CParameter>(key, type));
}

std::string CTextFormat::GetFont() const
{
    const CParameter* p = Find(*this, "font");
    return p ? p->GetString() : std::string();
}
std::int32_t CTextFormat::GetSize() const
{
    const CParameter* p = Find(*this, "size");
    return p ? p->GetInt() : 0;
}
bool CTextFormat::GetBold() const
{
    const CParameter* p = Find(*this, "bold");
    return p && p->GetBool();
}
bool CTextFormat::GetItalic() const
{
    const CParameter* p = Find(*this, "italic");
    return p && p->GetBool();
}
bool CTextFormat::GetUnderline() const
{
    const CParameter* p = Find(*this, "underline");
    return p && p->GetBool();
}
std::uint32_t CTextFormat::GetColor() const
{
    const CParameter* p = Find(*this, "color");
    return p ? p->GetColor() : 0;
}
void CTextFormat::SetFont(const std::string& font)
{
    Get("font", kTypeString).SetString(font, true);
}
void CTextFormat::SetSize(std::int32_t size)
{
    Get("size", kTypeInt).SetInt(size, true);
}
void CTextFormat::SetBold(bool on)
{
    Get("bold", kTypeBool).SetBool(on, true);
}
void CTextFormat::SetItalic(bool on)
{
    Get("italic", kTypeBool).SetBool(on, true);
}
void CTextFormat::SetUnderline(bool on)
{
    Get("underline", kTypeBool).SetBool(on, true);
}
void CTextFormat::SetColor(std::uint32_t color)
{
    Get("color", kTypeColor).SetColor(color, true);
}

bool CTextFormat::operator==(const CTextFormat& other) const
{
    return GetFont() == other.GetFont() && GetSize() == other.GetSize() && GetBold() == other.GetBold() &&
           GetItalic() == other.GetItalic() && GetUnderline() == other.GetUnderline() &&
           GetColor() == other.GetColor();
}
