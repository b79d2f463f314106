#include "swf/SwfDoAction.h"

#include "swf/SwfWriter.h"

void CSwfDoAction::Write(swf::Writer& out)
{
    swf::Writer body;
    if (raw_)
        body.Bytes(raw_->GetBytes());
    else
        actions_.Write(body);
    body.U8(0);
    out.Tag(swf::TagCode::DoAction, body.Data());
}

void CSwfDoInitAction::Write(swf::Writer& out)
{
    swf::Writer body;
    body.U16(GetCharacterId());
    body.Bytes(actions_.GetBytes());
    body.U8(0);
    out.Tag(swf::TagCode::DoInitAction, body.Data(), longHeader_);
}
