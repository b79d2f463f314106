#include "model/ParameterRecords.h"

#include "model/CellBinding.h"
#include "model/ModelHooks.h"
#include "model/Parameter.h"
#include "model/ParameterSet.h"
#include "model/ValueList.h"

namespace model {
namespace {

constexpr std::size_t kMinParameterSize = 4 + 1 + 4 + 1 + 4 + 4 + 1 + 1 + 4;
constexpr std::size_t kMinStringSize = 4;

void WriteOptionalText(base::RecordWriter& out, const std::optional<std::string>& text)
{
    out.WriteU8(text ? 1 : 0);
    if (text) {
        out.WriteString(*text);
    }
}

std::optional<std::string> ReadOptionalText(base::RecordReader& in, const char* what)
{
    std::uint8_t present = in.ReadU8(what);
    if (present > 1) {
        in.Fail(what, "bad presence flag " + std::to_string(present));
    }
    if (!present) {
        return std::nullopt;
    }
    return in.ReadString(what);
}

} // namespace

void WriteParameter(base::RecordWriter& out, const CParameter& p)
{
    out.WriteString(p.GetName());
    out.WriteU8(static_cast<std::uint8_t>(p.GetType()));
    out.WriteU32(p.GetFlags());
    out.WriteU8(p.GetRange() ? 1 : 0);
    if (p.GetRange()) {
        out.WriteF64(p.GetRange()->minimum);
        out.WriteF64(p.GetRange()->maximum);
        out.WriteF64(p.GetRange()->step);
    }
    out.WriteString(p.GetLabel());
    out.WriteI32(p.GetStyle());
    WriteOptionalText(out, p.GetFormat());
    WriteOptionalText(out, p.GetEnabledText());
    out.WriteI32(p.GetVariableId());
    switch (p.GetType()) {
    case ParamType::Text:
    case ParamType::OtherText:
        out.WriteString(p.GetString());
        break;
    case ParamType::Number:
        out.WriteF64(p.GetDouble());
        break;
    case ParamType::Boolean:
        out.WriteU8(p.GetBool() ? 1 : 0);
        break;
    case ParamType::Integer:
        out.WriteI32(p.GetInt());
        break;
    case ParamType::Color:
        out.WriteU32(p.GetColor());
        break;
    case ParamType::Choice:
        WriteValueList(out, *p.GetValueList());
        break;
    case ParamType::CellBinding:
        WriteCellBinding(out, *p.GetBinding());
        break;
    case ParamType::NoValue:
    case ParamType::OtherNoValue:
        break;
    default:
        WriteParameterSet(out, *p.GetSet());
        break;
    }
}

std::unique_ptr<CParameter> ReadParameter(base::RecordReader& in)
{
    base::RecordReader::DepthGuard guard(in, "parameter");
    std::string name = in.ReadString("parameter name");
    std::uint8_t type = in.ReadU8("parameter type");
    if (type >= kParamTypeCount) {
        in.Fail("parameter type", "unknown type " + std::to_string(type) + " of \"" + name + "\"");
    }
    auto p = std::make_unique<CParameter>(name, static_cast<ParamType>(type));
    std::uint32_t flags = in.ReadU32("parameter flags");
    std::uint8_t hasRange = in.ReadU8("parameter range flag");
    if (hasRange > 1) {
        in.Fail("parameter range flag", "bad presence flag " + std::to_string(hasRange));
    }
    if (hasRange) {
        ParamRange range;
        range.minimum = in.ReadF64("parameter range");
        range.maximum = in.ReadF64("parameter range");
        range.step = in.ReadF64("parameter range");
        p->SetRange(range);
    }
    p->SetLabel(in.ReadString("parameter label"));
    p->SetStyle(in.ReadI32("parameter style"));
    p->SetFormat(ReadOptionalText(in, "parameter format"));
    p->SetEnabledText(ReadOptionalText(in, "parameter enabled text"));
    p->SetVariableId(in.ReadI32("parameter variable id"));
    switch (p->GetType()) {
    case ParamType::Text:
    case ParamType::OtherText:
        p->SetString(in.ReadString("string value"));
        break;
    case ParamType::Number:
        p->SetDouble(in.ReadF64("double value"));
        break;
    case ParamType::Boolean:
        p->SetBool(in.ReadU8("boolean value") != 0);
        break;
    case ParamType::Integer:
        p->SetInt(in.ReadI32("integer value"));
        break;
    case ParamType::Color:
        p->SetColor(in.ReadU32("colour value"));
        break;
    case ParamType::Choice:
        *p->GetValueList() = *ReadValueList(in);
        break;
    case ParamType::CellBinding:
        *p->GetBinding() = *ReadCellBinding(in, name);
        break;
    case ParamType::NoValue:
    case ParamType::OtherNoValue:
        break;
    default:
        *p->GetSet() = *ReadParameterSet(in);
        break;
    }
    // The flags go last: the setters above clear the undefined bit.
    p->SetFlags(flags);
    return p;
}

void WriteParameterSet(base::RecordWriter& out, const CParameterSet& set)
{
    out.WriteString(set.GetName());
    out.WriteU8(static_cast<std::uint8_t>(set.GetPageKind()));
    const CParameter* element = set.PeekElementTemplate();
    out.WriteU8(element ? 1 : 0);
    if (element) {
        WriteParameter(out, *element);
    }
    out.WriteU32(static_cast<std::uint32_t>(set.GetCount()));
    for (int i = 0; i < set.GetCount(); ++i) {
        WriteParameter(out, *set.GetAt(i));
    }
}

std::unique_ptr<CParameterSet> ReadParameterSet(base::RecordReader& in)
{
    base::RecordReader::DepthGuard guard(in, "parameter set");
    auto set = std::make_unique<CParameterSet>();
    set->SetName(in.ReadString("parameter set name"));
    std::uint8_t kind = in.ReadU8("page kind");
    if (kind >= kPageKindCount) {
        in.Fail("page kind", "unknown page kind " + std::to_string(kind));
    }
    set->SetPageKind(kind);
    std::uint8_t hasTemplate = in.ReadU8("element template flag");
    if (hasTemplate > 1) {
        in.Fail("element template flag", "bad presence flag " + std::to_string(hasTemplate));
    }
    if (hasTemplate) {
        set->SetElementTemplate(ReadParameter(in));
    }
    std::uint32_t count = in.ReadCount("parameter count", kMinParameterSize);
    for (std::uint32_t i = 0; i < count; ++i) {
        set->Add(ReadParameter(in));
    }
    return set;
}

void WriteValueList(base::RecordWriter& out, const CValueList& list)
{
    const CParameter& current = list.GetPrototype();
    out.WriteU8(list.IsInteger() ? 1 : 0);
    out.WriteU32(current.GetFlags());
    if (list.IsInteger()) {
        out.WriteI32(current.GetInt());
    } else {
        out.WriteString(current.GetString());
    }
    out.WriteU32(static_cast<std::uint32_t>(list.GetCount()));
    for (const std::string& value : list.GetAllowedValues()) {
        out.WriteString(value);
    }
}

std::unique_ptr<CValueList> ReadValueList(base::RecordReader& in)
{
    std::uint8_t integer = in.ReadU8("value list kind");
    if (integer > 1) {
        in.Fail("value list kind", "unknown kind " + std::to_string(integer));
    }
    auto list = std::make_unique<CValueList>(integer != 0);
    std::uint32_t flags = in.ReadU32("value list flags");
    if (integer) {
        list->GetPrototype().SetInt(in.ReadI32("value list current value"));
    } else {
        list->GetPrototype().SetString(in.ReadString("value list current value"));
    }
    list->GetPrototype().SetFlags(flags);
    std::uint32_t count = in.ReadCount("allowed value count", kMinStringSize);
    for (std::uint32_t i = 0; i < count; ++i) {
        list->AddAllowed(in.ReadString("allowed value"));
    }
    return list;
}

void WriteCellBinding(base::RecordWriter& out, const CCellBinding& binding)
{
    out.WriteU8(static_cast<std::uint8_t>(binding.GetDirection()));
    out.WriteI32(binding.GetOption());
    out.WriteU8(binding.GetFirstFlag());
    out.WriteString(binding.GetTexts().workbookText);
    out.WriteString(binding.GetTexts().rangeText);
    const std::int32_t rangeIndex = binding.GetRangePtr() ? GetModelLink().FindRange(*binding.GetRangePtr()) : -1;
    out.WriteI32(rangeIndex);
    if (rangeIndex >= 0)
        out.Charge(GetModelLink().CountCells(*binding.GetRangePtr()));
    out.WriteU32(static_cast<std::uint32_t>(binding.GetRecordedRanges().size()));
    for (std::int32_t index : binding.GetRecordedRanges()) {
        out.WriteI32(index);
    }
    WriteParameter(out, binding.GetValue());
}

std::unique_ptr<CCellBinding> ReadCellBinding(base::RecordReader& in, const std::string& name)
{
    base::RecordReader::DepthGuard guard(in, "cell binding");
    auto binding = std::make_unique<CCellBinding>(name);
    std::uint8_t direction = in.ReadU8("binding direction");
    if (direction > kDirectionNone) {
        in.Fail("binding direction", "unknown direction " + std::to_string(direction));
    }
    binding->SetDirection(direction);
    binding->SetOption(in.ReadI32("binding option"));
    binding->SetFirstFlag(in.ReadU8("binding flag"));
    binding->GetTexts().workbookText = in.ReadString("binding workbook text");
    binding->GetTexts().rangeText = in.ReadString("binding range text");
    std::int32_t rangeIndex = in.ReadI32("binding range index");
    std::uint32_t count = in.ReadCount("recorded range count", 4);
    for (std::uint32_t i = 0; i < count; ++i) {
        binding->GetRecordedRanges().push_back(in.ReadI32("recorded range index"));
    }
    std::unique_ptr<CParameter> value = ReadParameter(in);
    value->SetName(name);
    binding->SetValue(std::move(value));
    if (rangeIndex >= 0) {
        // Restores the range and the links to its cells without re-reading values: the
        // document's values are those it was saved with until the model refreshes them.
        if (const model::RangeHandle* range = GetModelLink().GetRange(rangeIndex)) {
            // Checked before its cells are read: a small file could name the whole sheet, or
            // bind one large range again and again.
            if (!in.Charge(GetModelLink().CountCells(*range), kMaxBindingCells)) {
                in.Fail("binding range", "range " + std::to_string(rangeIndex) +
                                             " would take the cells bound past " +
                                             std::to_string(kMaxBindingCells));
            }
            CParameter saved(binding->GetValue());
            binding->RefreshParameter(range, false);
            binding->SetValue(std::make_unique<CParameter>(saved));
        }
    }
    return binding;
}

} // namespace model
