#include "swf/SwfDoAction.h"

#include "swf/SwfWriter.h"

void CSwfDoAction::Write(swf::Writer& out)
{
    // Written in place: the script of a large model runs to tens of megabytes, which a body
    // written apart would hold twice.
    const size_t start = out.BeginTag();
    if (raw_)
        out.Bytes(raw_->GetBytes());
    else
        actions_.Write(out);
    out.U8(0);
    out.EndTag(swf::TagCode::DoAction, start);
}

void CSwfDoInitAction::Write(swf::Writer& out)
{
    swf::Writer body;
    body.U16(GetCharacterId());
    body.Bytes(actions_.GetBytes());
    body.U8(0);
    out.Tag(swf::TagCode::DoInitAction, body.Data(), longHeader_);
}
