#include "model/TextFormat.h"

using namespace model;

CTextFormat::CTextFormat(const std::string& font, std::int32_t size, std::uint32_t color)
{
    Add(std::make_unique<CParameter>("font", ParamType::Text))->SetString(font);
    Add(std::make_unique<CParameter>("size", ParamType::Integer))->SetInt(size);
    Add(std::make_unique<CParameter>("bold", ParamType::Boolean))->SetBool(false);
    Add(std::make_unique<CParameter>("italic", ParamType::Boolean))->SetBool(false);
    Add(std::make_unique<CParameter>("underline", ParamType::Boolean))->SetBool(false);
    Add(std::make_unique<CParameter>("color", ParamType::Color))->SetColor(color);
}

namespace {
const CParameter* Find(const CTextFormat& format, const char* key)
{
    return format.FindParameter(key);
}
} // namespace

CParameter& CTextFormat::Get(const char* key, model::ParamType type)
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
    Get("font", ParamType::Text).SetString(font, true);
}
void CTextFormat::SetSize(std::int32_t size)
{
    Get("size", ParamType::Integer).SetInt(size, true);
}
void CTextFormat::SetBold(bool on)
{
    Get("bold", ParamType::Boolean).SetBool(on, true);
}
void CTextFormat::SetItalic(bool on)
{
    Get("italic", ParamType::Boolean).SetBool(on, true);
}
void CTextFormat::SetUnderline(bool on)
{
    Get("underline", ParamType::Boolean).SetBool(on, true);
}
void CTextFormat::SetColor(std::uint32_t color)
{
    Get("color", ParamType::Color).SetColor(color, true);
}

bool CTextFormat::operator==(const CTextFormat& other) const
{
    return GetFont() == other.GetFont() && GetSize() == other.GetSize() && GetBold() == other.GetBold() &&
           GetItalic() == other.GetItalic() && GetUnderline() == other.GetUnderline() &&
           GetColor() == other.GetColor();
}
