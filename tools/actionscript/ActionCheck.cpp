#include "tools/actionscript/ActionCheck.h"

#include "tools/actionscript/ActionTable.h"
#include "swf/Actions.h"
#include "swf/SwfError.h"
#include "swf/SwfReader.h"

#include <algorithm>

namespace actionscript {
namespace {

using swf::ActionCode;
using swf::ActionRecord;

constexpr int kMaxDepth = 64;

class Checker {
public:
    explicit Checker(std::span<const uint8_t> bytes) : bytes_(bytes) {}

    std::vector<std::string> Run()
    {
        Body(0, bytes_.size(), 0, true);
        return std::move(problems_);
    }

private:
    void Problem(size_t offset, std::string text)
    {
        if (problems_.size() < 100)
            problems_.push_back("offset " + std::to_string(offset) + ": " + text);
    }

    // Checks the records of [start, end); nested bodies are checked as their own ranges.
    void Body(size_t start, size_t end, int depth, bool topLevel)
    {
        if (depth > kMaxDepth) {
            Problem(start, "function definitions nest too deeply");
            return;
        }
        std::span<const uint8_t> body = bytes_.first(end);
        std::vector<size_t> boundaries;
        std::vector<std::pair<size_t, size_t>> branches; // record offset, target
        size_t pos = start;
        while (pos < end) {
            boundaries.push_back(pos);
            ActionRecord r;
            try {
                r = swf::ReadActionRecord(body, pos);
            } catch (const swf::SwfError& error) {
                Problem(pos, error.what());
                return;
            }
            if (r.code == Code(ActionCode::End)) {
                if (!topLevel)
                    Problem(pos, "End action inside a function body");
                else if (r.end != end)
                    Problem(pos, "bytes follow the End action");
                return;
            }
            const ActionInfo* info = FindAction(r.code);
            if (info == nullptr) {
                Problem(pos, "unknown action 0x" + Hex(r.code));
            } else if (info->version > 6) {
                Problem(pos, std::string(info->name) + " is not an action of SWF 6");
            }
            size_t next = Record(r, end, depth, branches);
            if (next == 0)
                return;
            pos = next;
        }
        boundaries.push_back(end);
        for (auto [at, target] : branches)
            if (!std::binary_search(boundaries.begin(), boundaries.end(), target))
                Problem(at, "branch to offset " + std::to_string(target) + ", which is not an action of its body");
    }

    static std::string Hex(uint8_t code)
    {
        const char* digits = "0123456789ABCDEF";
        return {digits[code >> 4], digits[code & 15]};
    }

    // Checks one record's payload; returns where the next record starts, 0 to stop.
    size_t Record(const ActionRecord& r, size_t end, int depth, std::vector<std::pair<size_t, size_t>>& branches)
    {
        const ActionInfo* info = FindAction(r.code);
        std::string name = info ? std::string(info->name) : "action";
        swf::Reader f(r.payload, name, r.offset + 3);
        size_t next = r.end;
        try {
            next = Payload(r, f, end, depth, branches);
        } catch (const swf::SwfError&) {
            Problem(r.offset, "payload of " + name + " does not match its length");
            return r.end;
        }
        if (next != 0 && !f.AtEnd())
            Problem(r.offset, "payload of " + name + " does not match its length");
        return next;
    }

    size_t Payload(const ActionRecord& r, swf::Reader& f, size_t end, int depth,
                   std::vector<std::pair<size_t, size_t>>& branches)
    {
        switch (r.code) {
        case Code(ActionCode::Jump):
        case Code(ActionCode::If): {
            long target = static_cast<long>(r.end) + f.S16();
            if (target < 0 || static_cast<size_t>(target) > end)
                Problem(r.offset, "branch leaves its body");
            else
                branches.emplace_back(r.offset, static_cast<size_t>(target));
            break;
        }
        case Code(ActionCode::StoreRegister):
            if (f.U8() > 3)
                Problem(r.offset, "register above 3; a SWF 6 player has four");
            break;
        case Code(ActionCode::ConstantPool): {
            uint16_t count = f.U16();
            for (uint16_t i = 0; i < count; ++i)
                f.String();
            pool_ = count;
            break;
        }
        case Code(ActionCode::Push): Push(f, r.payload, r.offset); break;
        case Code(ActionCode::DefineFunction):
        case Code(ActionCode::With): return Nested(r, f, end, depth);
        case Code(ActionCode::GotoFrame): f.Skip(2); break;
        case Code(ActionCode::GetUrl): f.String(); f.String(); break;
        case Code(ActionCode::SetTarget): case Code(ActionCode::GotoLabel): f.String(); break;
        case Code(ActionCode::WaitForFrame): f.Skip(3); break;
        case Code(ActionCode::WaitForFrame2): case Code(ActionCode::GetUrl2): f.Skip(1); break;
        case Code(ActionCode::GotoFrame2): if (f.U8() & 2) f.Skip(2); break; // with a scene bias
        default: f.Rest(); break;
        }
        return r.end;
    }

    // A function or with body: the record's fields, then a body that follows the record and is
    // checked as a range of its own.
    size_t Nested(const ActionRecord& r, swf::Reader& f, size_t end, int depth)
    {
        if (r.code == Code(ActionCode::DefineFunction)) {
            f.String();
            uint16_t params = f.U16();
            for (uint16_t i = 0; i < params; ++i)
                f.String();
        }
        size_t size = f.U16();
        if (!f.AtEnd())
            return r.end;
        if (r.end + size > end) {
            Problem(r.offset, "body runs past the end of the enclosing body");
            return 0;
        }
        size_t pool = pool_;
        Body(r.end, r.end + size, depth + 1, false);
        pool_ = pool;
        return r.end + size;
    }

    void Push(swf::Reader& f, std::span<const uint8_t> payload, size_t at)
    {
        if (f.AtEnd())
            Problem(at, "empty Push");
        while (!f.AtEnd()) {
            const uint8_t type = payload[f.Offset()];
            if (type > Type(swf::PushType::Constant16)) {
                Problem(at, "Push value of unknown type " + std::to_string(type));
                f.Rest();
                return;
            }
            const CPushValue v = swf::ReadPushValue(f);
            if (v.type == swf::PushType::Register && v.registerNumber > 3)
                Problem(at, "Push of a register above 3");
            if ((v.type == swf::PushType::Constant8 || v.type == swf::PushType::Constant16) && v.constant >= pool_)
                Problem(at, "Push of a constant the pool does not hold");
        }
    }

    std::span<const uint8_t> bytes_;
    std::vector<std::string> problems_;
    size_t pool_ = 0;
};

} // namespace

std::vector<std::string> CheckActions(std::span<const uint8_t> bytes)
{
    return Checker(bytes).Run();
}

} // namespace actionscript
