#include "swf/VariablePath.h"

#include "swf/Actions.h"
#include "swf/SwfError.h"

#include <charconv>

void CVariablePath::AddName(std::string_view text, int kind)
{
    if (kind != kName && kind != kIndex)
        throw swf::SwfError("variable path element of unknown kind " + std::to_string(kind));
    elements_.push_back({std::string(text), kind});
}

void CVariablePath::RemoveLast()
{
    if (!elements_.empty())
        elements_.pop_back();
}

std::string CVariablePath::GetText() const
{
    std::string text;
    for (const auto& e : elements_)
        text += "." + e.text;
    return text;
}

std::string CVariablePath::GetParentTextDotted() const
{
    std::string text;
    for (size_t i = 0; i + 1 < elements_.size(); ++i)
        text += "." + elements_[i].text;
    return text;
}

std::string CVariablePath::GetParentText() const
{
    std::string text;
    for (size_t i = 0; i + 1 < elements_.size(); ++i) {
        if (i > 0)
            text += ".";
        text += elements_[i].text;
    }
    return text;
}

std::string CVariablePath::GetLastText() const
{
    return elements_.empty() ? std::string() : elements_.back().text;
}

void CVariablePath::EmitElement(CActionList& list, const Element& element) const
{
    if (element.kind == kIndex) {
        int32_t index = 0;
        const char* first = element.text.data();
        const char* last = first + element.text.size();
        auto [end, ec] = std::from_chars(first, last, index);
        // An index that does not read as a number is pushed as the name it is, so the member is
        // still reachable instead of silently becoming element 0.
        if (ec == std::errc() && end == last) {
            list.Add(CActionPush::CActionPushInt(index));
            return;
        }
    }
    list.Add(std::make_unique<CActionPush>(element.text));
}

void CVariablePath::EmitGet(CActionList& list, bool firstIsVariable) const
{
    if (elements_.empty())
        return;
    for (size_t i = 0; i + 1 < elements_.size(); ++i) {
        EmitElement(list, elements_[i]);
        if (i == 0 && firstIsVariable)
            list.Add(std::make_unique<CActionCode>(swf::ActionCode::GetVariable));
        else
            list.Add(std::make_unique<CActionCode>(swf::ActionCode::GetMember));
    }
    EmitElement(list, elements_.back());
}

void CVariablePath::EmitSet(CActionList& list) const
{
    if (elements_.empty())
        return;
    if (elements_.size() == 1)
        list.Add(std::make_unique<CActionCode>(swf::ActionCode::SetVariable));
    else
        list.Add(std::make_unique<CActionCode>(swf::ActionCode::SetMember));
}
