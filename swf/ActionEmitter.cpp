#include "swf/ActionEmitter.h"

#include "swf/Actions.h"

namespace swf {

ActionEmitter& ActionEmitter::Str(std::string_view text)
{
    out_.Add(std::make_unique<CActionPush>(text));
    return *this;
}

ActionEmitter& ActionEmitter::Int(int32_t value)
{
    out_.Add(CActionPush::CActionPushInt(value));
    return *this;
}

ActionEmitter& ActionEmitter::Dbl(double value)
{
    out_.Add(CActionPush::CActionPushDouble(value));
    return *this;
}

ActionEmitter& ActionEmitter::Bool(bool value)
{
    out_.Add(CActionPush::CActionPushBool(value));
    return *this;
}

ActionEmitter& ActionEmitter::Undefined()
{
    out_.Add(CActionPush::CActionPushUndefined());
    return *this;
}

ActionEmitter& ActionEmitter::Op(ActionCode code)
{
    out_.Add(std::make_unique<CActionCode>(code));
    return *this;
}

ActionEmitter& ActionEmitter::Raw(uint8_t code, std::vector<uint8_t> payload)
{
    out_.Add(std::make_unique<CActionRaw>(code, std::move(payload)));
    return *this;
}

} // namespace swf
