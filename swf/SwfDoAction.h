#pragma once

#include "swf/ActionList.h"
#include "swf/SwfObject.h"
#include "swf/SwfRawTag.h"

#include <optional>

// DoAction (12): the actions of a frame, written followed by the End action. Either an action
// list the caller fills, or a raw action body copied from elsewhere.
class CSwfDoAction : public CSwfObject {
public:
    CSwfDoAction() = default;
    explicit CSwfDoAction(const CSwfRawData& raw) : raw_(CSwfRawData::CSwfRawDataCopy(raw)) {}
    explicit CSwfDoAction(CActionList actions) : actions_(std::move(actions)) {}

    CActionList& GetActions() { return actions_; }
    const CActionList& GetActions() const { return actions_; }
    bool IsRaw() const { return raw_.has_value(); }
    const CSwfRawData* GetRawData() const { return raw_ ? &*raw_ : nullptr; }

    swf::TagCode GetTagCode() const override { return swf::TagCode::DoAction; }
    void Write(swf::Writer& out) override;

private:
    CActionList actions_;
    std::optional<CSwfRawData> raw_;
};

// DoInitAction (59) read from a file: the sprite it initialises is its character id, so marking
// that sprite used writes its initialisation too.
class CSwfDoInitAction : public CSwfObject {
public:
    CSwfDoInitAction(uint16_t spriteId, CSwfRawData actions, bool longHeader = false)
        : CSwfObject(spriteId), actions_(std::move(actions)), longHeader_(longHeader)
    {
    }
    // The action body without its closing End.
    const CSwfRawData& GetActions() const { return actions_; }
    swf::TagCode GetTagCode() const override { return swf::TagCode::DoInitAction; }
    void Write(swf::Writer& out) override;

private:
    CSwfRawData actions_;
    bool longHeader_;
};
