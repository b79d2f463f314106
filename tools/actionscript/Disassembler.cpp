#include "tools/actionscript/Disassembler.h"

#include "tools/actionscript/ActionTable.h"
#include "swf/Actions.h"
#include "swf/SwfError.h"
#include "swf/SwfReader.h"

#include <bit>
#include <charconv>
#include <map>
#include <vector>

namespace actionscript {
namespace {

using swf::ActionCode;
using swf::ActionRecord;

constexpr int kMaxDepth = 64;

std::string Quote(std::string_view text)
{
    std::string out = "\"";
    for (char c : text) {
        switch (c) {
        case '"': out += "\\\""; break;
        case '\\': out += "\\\\"; break;
        case '\n': out += "\\n"; break;
        case '\r': out += "\\r"; break;
        case '\t': out += "\\t"; break;
        default: out += c;
        }
    }
    return out + "\"";
}

std::string Number(double value)
{
    char buffer[64];
    auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
    std::string text(buffer, result.ptr);
    if (text.find_first_of(".eEn") == std::string::npos)
        text += ".0"; // a double, told apart from an integer
    return text;
}

class Lister {
public:
    explicit Lister(std::span<const uint8_t> bytes) : bytes_(bytes) {}

    std::string Run()
    {
        Body(0, bytes_.size(), 0);
        return std::move(out_);
    }

private:
    void Line(int depth, const std::string& text)
    {
        out_.append(static_cast<size_t>(depth) * 2, ' ');
        out_ += text;
        out_ += '\n';
    }

    // Labels for the branch targets of one body, numbered in the order of their offsets.
    std::map<size_t, int> Labels(size_t start, size_t end)
    {
        std::map<size_t, int> labels;
        std::span<const uint8_t> body = bytes_.first(end);
        for (size_t pos = start; pos < end;) {
            ActionRecord r;
            try {
                r = swf::ReadActionRecord(body, pos);
            } catch (const swf::SwfError&) {
                break;
            }
            if (r.code == Code(ActionCode::End))
                break;
            pos = r.end;
            if ((r.code == Code(ActionCode::Jump) || r.code == Code(ActionCode::If)) && r.payload.size() == 2) {
                int16_t offset = static_cast<int16_t>(r.payload[0] | (r.payload[1] << 8));
                labels.emplace(static_cast<size_t>(static_cast<long>(r.end) + offset), 0);
            } else if ((r.code == Code(ActionCode::DefineFunction) || r.code == Code(ActionCode::With)) && r.payload.size() >= 2) {
                pos += r.payload[r.payload.size() - 2] | (r.payload[r.payload.size() - 1] << 8);
            }
        }
        for (auto& [offset, number] : labels)
            number = ++labelCount_;
        return labels;
    }

    void Body(size_t start, size_t end, int depth)
    {
        if (depth > kMaxDepth) {
            Line(depth, "; error: functions nest too deeply");
            return;
        }
        std::map<size_t, int> labels = Labels(start, end);
        std::span<const uint8_t> body = bytes_.first(end);
        size_t pos = start;
        while (pos < end) {
            auto label = labels.find(pos);
            if (label != labels.end())
                Line(depth, "L" + std::to_string(label->second) + ":");
            ActionRecord r;
            try {
                r = swf::ReadActionRecord(body, pos);
            } catch (const swf::SwfError& error) {
                Line(depth, std::string("; error: ") + error.what());
                return;
            }
            pos = Record(r, end, depth, labels);
            if (pos == 0)
                return;
        }
        auto label = labels.find(end);
        if (label != labels.end())
            Line(depth, "L" + std::to_string(label->second) + ":");
    }

    size_t Record(const ActionRecord& r, size_t end, int depth, const std::map<size_t, int>& labels)
    {
        const ActionInfo* info = FindAction(r.code);
        std::string name = info ? std::string(info->name) : "Unknown0x" + std::to_string(r.code);
        swf::Reader in(r.payload, name, r.offset + 3);
        try {
            return Fields(r, in, name, end, depth, labels);
        } catch (const swf::SwfError&) {
            Line(depth, "; error: " + name + " at offset " + std::to_string(r.offset) + " is damaged");
            return r.code == Code(ActionCode::DefineFunction) || r.code == Code(ActionCode::With) ? 0 : r.end;
        }
    }

    size_t Fields(const ActionRecord& r, swf::Reader& in, const std::string& name, size_t end, int depth,
                  const std::map<size_t, int>& labels)
    {
        switch (r.code) {
        case Code(ActionCode::Push): Line(depth, "Push " + PushValues(in, r.payload)); break;
        case Code(ActionCode::ConstantPool): {
            uint16_t count = in.U16();
            std::string text = name;
            pool_.clear();
            for (uint16_t i = 0; i < count; ++i) {
                pool_.push_back(in.String());
                text += " " + Quote(pool_.back());
            }
            Line(depth, text);
            break;
        }
        case Code(ActionCode::Jump):
        case Code(ActionCode::If): {
            int16_t offset = in.S16();
            auto label = labels.find(static_cast<size_t>(static_cast<long>(r.end) + offset));
            Line(depth, name + " " + (label != labels.end() ? "L" + std::to_string(label->second)
                                                             : "?" + std::to_string(offset)));
            break;
        }
        case Code(ActionCode::DefineFunction):
        case Code(ActionCode::With): {
            std::string text = name;
            if (r.code == Code(ActionCode::DefineFunction)) {
                text += " " + Quote(in.String()) + " (";
                uint16_t params = in.U16();
                for (uint16_t i = 0; i < params; ++i)
                    text += (i ? ", " : "") + in.String();
                text += ")";
            }
            size_t size = in.U16();
            if (r.end + size > end) {
                Line(depth, "; error: " + name + " at offset " + std::to_string(r.offset) + " is damaged");
                return 0;
            }
            Line(depth, text + " {");
            std::vector<std::string> pool = pool_;
            Body(r.end, r.end + size, depth + 1);
            pool_ = std::move(pool);
            Line(depth, "}");
            return r.end + size;
        }
        case Code(ActionCode::StoreRegister): Line(depth, name + " " + std::to_string(in.U8())); break;
        case Code(ActionCode::GetUrl2): Line(depth, name + " " + std::to_string(in.U8())); break;
        case Code(ActionCode::GetUrl): {
            std::string url = in.String();
            Line(depth, name + " " + Quote(url) + " " + Quote(in.String()));
            break;
        }
        case Code(ActionCode::SetTarget):
        case Code(ActionCode::GotoLabel): Line(depth, name + " " + Quote(in.String())); break;
        case Code(ActionCode::GotoFrame): Line(depth, name + " " + std::to_string(in.U16())); break;
        default:
            if (r.code == Code(ActionCode::End))
                return end > r.end ? r.end : 0;
            Line(depth, r.payload.empty() ? name : name + " (" + std::to_string(r.payload.size()) + " bytes)");
        }
        return r.end;
    }

    std::string PushValues(swf::Reader& in, std::span<const uint8_t> payload)
    {
        std::string text;
        while (!in.AtEnd()) {
            if (!text.empty())
                text += " ";
            // A kind the reader does not know ends the listing of the record, not of the body.
            const uint8_t type = payload[in.Offset()];
            if (type > Type(swf::PushType::Constant16))
                return text + "; error: unknown push type " + std::to_string(type);
            const CPushValue v = swf::ReadPushValue(in);
            switch (v.type) {
            case swf::PushType::String: text += Quote(v.text); break;
            case swf::PushType::Float: text += Number(std::bit_cast<float>(v.floatBits)) + "f"; break;
            case swf::PushType::Null: text += "null"; break;
            case swf::PushType::Undefined: text += "undefined"; break;
            case swf::PushType::Register: text += "r" + std::to_string(v.registerNumber); break;
            case swf::PushType::Boolean: text += v.boolean ? "true" : "false"; break;
            case swf::PushType::Double: text += Number(v.GetDouble()); break;
            case swf::PushType::Integer: text += std::to_string(v.integer); break;
            case swf::PushType::Constant8:
            case swf::PushType::Constant16:
                text += (v.constant < pool_.size() ? Quote(pool_[v.constant]) : "?") + "#" + std::to_string(v.constant);
                break;
            }
        }
        return text;
    }

    std::span<const uint8_t> bytes_;
    std::string out_;
    std::vector<std::string> pool_;
    int labelCount_ = 0;
};

} // namespace

std::string Disassemble(std::span<const uint8_t> actions)
{
    return Lister(actions).Run();
}

} // namespace actionscript
