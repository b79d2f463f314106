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

CParameter& CTextFormat::Get(const char* key) const
{
    // The six keys are made by the constructor; a text format assigned from a damaged set
    // gets them back so that every accessor has its parameter.
    CParameter* p = FindParameter(key);
    if (!p) {
        static thread_local CParameter scratch;
        scratch = CParameter(key, kTypeString);
        return scratch;
    }
    return *p;
}

std::string CTextFormat::GetFont() const
{
    return Get("font").GetString();
}
std::int32_t CTextFormat::GetSize() const
{
    return Get("size").GetInt();
}
bool CTextFormat::GetBold() const
{
    return Get("bold").GetBool();
}
bool CTextFormat::GetItalic() const
{
    return Get("italic").GetBool();
}
bool CTextFormat::GetUnderline() const
{
    return Get("underline").GetBool();
}
std::uint32_t CTextFormat::GetColor() const
{
    return Get("color").GetColor();
}
void CTextFormat::SetFont(const std::string& font)
{
    Get("font").SetString(font);
}
void CTextFormat::SetSize(std::int32_t size)
{
    Get("size").SetInt(size);
}
void CTextFormat::SetBold(bool on)
{
    Get("bold").SetBool(on);
}
void CTextFormat::SetItalic(bool on)
{
    Get("italic").SetBool(on);
}
void CTextFormat::SetUnderline(bool on)
{
    Get("underline").SetBool(on);
}
void CTextFormat::SetColor(std::uint32_t color)
{
    Get("color").SetColor(color);
}

bool CTextFormat::operator==(const CTextFormat& other) const
{
    return GetFont() == other.GetFont() && GetSize() == other.GetSize() && GetBold() == other.GetBold() &&
           GetItalic() == other.GetItalic() && GetUnderline() == other.GetUnderline() &&
           GetColor() == other.GetColor();
}
