#include "model/DefaultParameters.h"

#include "base/ModelError.h"
#include "model/CellBinding.h"
#include "model/FileBytes.h"
#include "model/TextUtil.h"
#include "model/ValueList.h"

#include <cstdint>
#include <pugixml.hpp>

#include <charconv>
#include <sstream>
#include <cstdio>
#include <sstream>

namespace model {
namespace {

constexpr int kMaxNesting = 32;

[[noreturn]] void Fail(const std::string& where, const std::string& why)
{
    throw ModelError("default parameters, " + where + ": " + why);
}

double ToDouble(const char* text, const std::string& where)
{
    double value = 0;
    const char* end = text + std::char_traits<char>::length(text);
    auto [ptr, ec] = std::from_chars(text, end, value);
    if (ec != std::errc() || ptr != end || ptr == text) {
        Fail(where, std::string("bad number \"") + text + "\"");
    }
    return value;
}

long long ToInteger(const char* text, const std::string& where, long long low, long long high)
{
    std::string t(text);
    int base = 10;
    std::size_t start = 0;
    if (t.size() > 2 && t[0] == '0' && (t[1] == 'x' || t[1] == 'X')) {
        base = 16;
        start = 2;
    }
    long long value = 0;
    const char* first = t.c_str() + start;
    const char* end = t.c_str() + t.size();
    auto [ptr, ec] = std::from_chars(first, end, value, base);
    if (ec != std::errc() || ptr != end || ptr == first || value < low || value > high) {
        Fail(where, "bad integer \"" + t + "\"");
    }
    return value;
}

bool ToBool(const char* text, const std::string& where)
{
    std::string t(text);
    if (t == "true" || t == "1") {
        return true;
    }
    if (t == "false" || t == "0") {
        return false;
    }
    Fail(where, "bad boolean \"" + t + "\"");
}

std::string ColorText(std::uint32_t c)
{
    char buffer[16];
    std::snprintf(buffer, sizeof buffer, "0x%06X", static_cast<unsigned>(c & 0xFFFFFF));
    return buffer;
}

std::unique_ptr<CParameter> ReadParam(pugi::xml_node node, const std::string& parentWhere, int depth);

void ReadSetChildren(pugi::xml_node node, CParameterSet& set, const std::string& where, int depth)
{
    if (pugi::xml_attribute a = node.attribute("subtype")) {
        int kind = PageKindFromName(a.value());
        if (kind < 0) {
            Fail(where, std::string("unknown subtype \"") + a.value() + "\"");
        }
        set.SetPageKind(kind);
    }
    for (pugi::xml_node child : node.children()) {
        std::string tag = child.name();
        if (tag == "param" || tag == "group") {
            set.Add(ReadParam(child, where, depth + 1));
        } else if (tag == "template") {
            auto element = ReadParam(child, where, depth + 1);
            set.SetElementTemplate(std::move(element));
        }
    }
}

std::unique_ptr<CParameter> ReadParam(pugi::xml_node node, const std::string& parentWhere, int depth)
{
    std::string name = node.attribute("name").value();
    std::string where = parentWhere + "/" + (name.empty() ? std::string(node.name()) : name);
    if (depth > kMaxNesting) {
        Fail(where, "nested too deeply");
    }
    ParamType type = std::string(node.name()) == "group" ? ParamType::Group : ParamType::Text;
    if (pugi::xml_attribute a = node.attribute("type")) {
        type = static_cast<ParamType>(ToInteger(a.value(), where + "@type", 0, kParamTypeCount - 1));
    }
    auto p = std::make_unique<CParameter>(name, type);
    std::uint32_t flags = kFlagEnabled;
    if (pugi::xml_attribute a = node.attribute("flags")) {
        flags = static_cast<std::uint32_t>(ToInteger(a.value(), where + "@flags", 0, 0xFFFFFFFFll));
    }
    p->SetLabel(node.attribute("label").value());
    if (pugi::xml_attribute a = node.attribute("style")) {
        p->SetStyle(static_cast<std::int32_t>(ToInteger(a.value(), where + "@style", INT32_MIN, INT32_MAX)));
    }
    if (pugi::xml_attribute a = node.attribute("format")) {
        p->SetFormat(std::string(a.value()));
    }
    if (pugi::xml_attribute a = node.attribute("enabled")) {
        p->SetEnabledText(std::string(a.value()));
    }
    pugi::xml_attribute minimum = node.attribute("min");
    pugi::xml_attribute maximum = node.attribute("max");
    pugi::xml_attribute step = node.attribute("step");
    if (minimum || maximum || step) {
        ParamRange range;
        range.minimum = minimum ? ToDouble(minimum.value(), where + "@min") : 0;
        range.maximum = maximum ? ToDouble(maximum.value(), where + "@max") : 0;
        range.step = step ? ToDouble(step.value(), where + "@step") : 0;
        p->SetRange(range);
    }
    pugi::xml_attribute value = node.attribute("value");
    switch (type) {
    case ParamType::Text:
    case ParamType::OtherText:
        p->SetString(value.value());
        break;
    case ParamType::Number:
        p->SetDouble(value ? ToDouble(value.value(), where + "@value") : 0);
        break;
    case ParamType::Boolean:
        p->SetBool(value ? ToBool(value.value(), where + "@value") : false);
        break;
    case ParamType::Integer:
        p->SetInt(value ? static_cast<std::int32_t>(
                              ToInteger(value.value(), where + "@value", INT32_MIN, INT32_MAX))
                        : 0);
        break;
    case ParamType::Color:
        p->SetColor(
            value ? static_cast<std::uint32_t>(ToInteger(value.value(), where + "@value", 0, 0xFFFFFF)) : 0);
        break;
    case ParamType::Choice: {
        CValueList& list = *p->GetValueList();
        bool integer =
            node.attribute("integer") && ToBool(node.attribute("integer").value(), where + "@integer");
        list.SetInteger(integer);
        for (pugi::xml_node choice : node.children("choice")) {
            list.AddAllowed(choice.text().get());
        }
        if (value && !list.GetPrototype().SetString(value.value())) {
            Fail(where, std::string("bad choice value \"") + value.value() + "\"");
        }
        break;
    }
    case ParamType::CellBinding: {
        CCellBinding& binding = *p->GetBinding();
        if (pugi::xml_attribute a = node.attribute("direction")) {
            int direction = DirectionFromName(a.value());
            if (direction < 0) {
                Fail(where, std::string("unknown direction \"") + a.value() + "\"");
            }
            binding.SetDirection(direction);
        }
        if (pugi::xml_attribute a = node.attribute("option")) {
            binding.SetOption(
                static_cast<std::int32_t>(ToInteger(a.value(), where + "@option", INT32_MIN, INT32_MAX)));
        }
        if (pugi::xml_node bound = node.child("bound")) {
            auto boundValue = ReadParam(bound, where, depth + 1);
            boundValue->SetName(name);
            binding.SetValue(std::move(boundValue));
        }
        break;
    }
    case ParamType::NoValue:
    case ParamType::OtherNoValue:
        break;
    default:
        p->GetSet()->SetName(name);
        ReadSetChildren(node, *p->GetSet(), where, depth);
        break;
    }
    p->SetFlags(flags);
    return p;
}

void WriteParam(pugi::xml_node parent, const CParameter& p, const char* tag);

void WriteSetChildren(pugi::xml_node node, const CParameterSet& set)
{
    if (set.GetPageKind() != kPageDefault) {
        node.append_attribute("subtype") = PageKindName(set.GetPageKind());
    }
    if (const CParameter* element = set.PeekElementTemplate()) {
        WriteParam(node, *element, "template");
    }
    for (int i = 0; i < set.GetCount(); ++i) {
        const CParameter& child = *set.GetAt(i);
        WriteParam(node, child, child.GetType() == ParamType::Group ? "group" : "param");
    }
}

void WriteParam(pugi::xml_node parent, const CParameter& p, const char* tag)
{
    pugi::xml_node node = parent.append_child(tag);
    node.append_attribute("name") = p.GetName().c_str();
    if (std::string(tag) != "group" || p.GetType() != ParamType::Group) {
        node.append_attribute("type") = static_cast<int>(p.GetType());
    }
    if (p.GetFlags() != kFlagEnabled) {
        node.append_attribute("flags") = p.GetFlags();
    }
    if (!p.GetLabel().empty()) {
        node.append_attribute("label") = p.GetLabel().c_str();
    }
    if (p.GetStyle() != 0) {
        node.append_attribute("style") = p.GetStyle();
    }
    if (p.GetFormat()) {
        node.append_attribute("format") = p.GetFormat()->c_str();
    }
    if (p.GetEnabledText()) {
        node.append_attribute("enabled") = p.GetEnabledText()->c_str();
    }
    if (p.GetRange()) {
        node.append_attribute("min") = FormatDouble(p.GetRange()->minimum, 17).c_str();
        node.append_attribute("max") = FormatDouble(p.GetRange()->maximum, 17).c_str();
        node.append_attribute("step") = FormatDouble(p.GetRange()->step, 17).c_str();
    }
    switch (p.GetType()) {
    case ParamType::Text:
    case ParamType::OtherText:
        node.append_attribute("value") = p.GetString().c_str();
        break;
    case ParamType::Number:
        node.append_attribute("value") = FormatDouble(p.GetDouble(), 17).c_str();
        break;
    case ParamType::Boolean:
        node.append_attribute("value") = p.GetBool() ? "true" : "false";
        break;
    case ParamType::Integer:
        node.append_attribute("value") = p.GetInt();
        break;
    case ParamType::Color:
        node.append_attribute("value") = ColorText(p.GetColor()).c_str();
        break;
    case ParamType::Choice: {
        const CValueList& list = *p.GetValueList();
        if (list.IsInteger()) {
            node.append_attribute("integer") = "true";
        }
        node.append_attribute("value") = list.GetCurrentText().c_str();
        for (const std::string& allowed : list.GetAllowedValues()) {
            node.append_child("choice").text() = allowed.c_str();
        }
        break;
    }
    case ParamType::CellBinding: {
        const CCellBinding& binding = *p.GetBinding();
        node.append_attribute("direction") = DirectionName(binding.GetDirection());
        if (binding.GetOption() != 0) {
            node.append_attribute("option") = binding.GetOption();
        }
        WriteParam(node, binding.GetValue(), "bound");
        break;
    }
    case ParamType::NoValue:
    case ParamType::OtherNoValue:
        break;
    default:
        WriteSetChildren(node, *p.GetSet());
        break;
    }
}

} // namespace

ComponentDefaults ReadDefaultParameters(const std::string& xml)
{
    pugi::xml_document doc;
    pugi::xml_parse_result parsed = doc.load_buffer(xml.data(), xml.size());
    if (!parsed) {
        Fail("offset " + std::to_string(parsed.offset), parsed.description());
    }
    pugi::xml_node root = doc.child("component");
    if (!root) {
        Fail("document", "no component element");
    }
    ComponentDefaults defaults;
    defaults.symbol = root.attribute("symbol").value();
    if (defaults.symbol.empty()) {
        Fail("component", "no symbol");
    }
    std::string where = defaults.symbol;
    defaults.label = root.attribute("label").value();
    defaults.category = root.attribute("category").value();
    defaults.description = root.child("description").text().get();
    std::istringstream traits(root.attribute("traits").value());
    for (std::string trait; traits >> trait;)
        defaults.traits.push_back(trait);
    if (pugi::xml_attribute a = root.attribute("scaling")) {
        defaults.scalingMode = static_cast<int>(ToInteger(a.value(), where + "@scaling", 0, 255));
    }
    const char* keys[4] = {"xmin", "xmax", "ymin", "ymax"};
    if (root.attribute("xmin") || root.attribute("xmax") || root.attribute("ymin") ||
        root.attribute("ymax")) {
        std::array<double, 4> bounds{};
        for (int i = 0; i < 4; ++i) {
            pugi::xml_attribute a = root.attribute(keys[i]);
            bounds[static_cast<std::size_t>(i)] = a ? ToDouble(a.value(), where + "@" + keys[i]) : 0;
        }
        defaults.bounds = bounds;
    }
    defaults.parameters->SetName(defaults.symbol);
    ReadSetChildren(root, *defaults.parameters, where, 0);
    return defaults;
}

ComponentDefaults ReadDefaultParametersFile(const std::string& path)
{
    std::vector<std::uint8_t> bytes;
    if (!ReadFileBytes(path, bytes, std::size_t(16) << 20)) {
        throw ModelError("cannot read " + path);
    }
    try {
        return ReadDefaultParameters(std::string(bytes.begin(), bytes.end()));
    } catch (const ModelError& e) {
        throw ModelError(path + ": " + e.what());
    }
}

std::string WriteDefaultParameters(const ComponentDefaults& defaults)
{
    pugi::xml_document doc;
    pugi::xml_node root = doc.append_child("component");
    root.append_attribute("symbol") = defaults.symbol.c_str();
    root.append_attribute("label") = defaults.label.c_str();
    root.append_attribute("category") = defaults.category.c_str();
    root.append_attribute("scaling") = defaults.scalingMode;
    if (!defaults.traits.empty()) {
        std::string traits;
        for (const std::string& trait : defaults.traits)
            traits += (traits.empty() ? "" : " ") + trait;
        root.append_attribute("traits") = traits.c_str();
    }
    if (defaults.bounds) {
        const char* keys[4] = {"xmin", "xmax", "ymin", "ymax"};
        for (int i = 0; i < 4; ++i) {
            root.append_attribute(keys[i]) =
                FormatDouble((*defaults.bounds)[static_cast<std::size_t>(i)], 17).c_str();
        }
    }
    if (!defaults.description.empty()) {
        root.append_child("description").text() = defaults.description.c_str();
    }
    WriteSetChildren(root, *defaults.parameters);
    std::ostringstream out;
    doc.save(out, "  ", pugi::format_default, pugi::encoding_utf8);
    return out.str();
}

} // namespace model
