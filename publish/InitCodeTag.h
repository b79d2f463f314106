#pragma once

#include "swf/ActionList.h"
#include "swf/SwfObject.h"

// Generated code that runs once, as the initialisation of a sprite (DoInitAction, tag 59):
// the character id is the sprite's. The actions are built in memory, unlike the init
// actions read from assets, which stay raw bytes.
class CInitCodeTag : public CSwfObject {
public:
    CInitCodeTag() = default;
    CActionList& GetActions() { return actions_; }
    const CActionList& GetActions() const { return actions_; }
    swf::TagCode GetTagCode() const override { return swf::TagCode::DoInitAction; }
    // Written once: each record is let go as soon as it is written, so that a large model's
    // scripts and the movie written from them are not held whole together. The actions are
    // empty afterwards.
    void Write(swf::Writer& out) override;

private:
    CActionList actions_;
};
