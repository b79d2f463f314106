#include "tools/actionscript/ActionCheck.h"

#include "tools/actionscript/ActionTable.h"

#include <algorithm>

namespace actionscript {
namespace {

constexpr int kMaxDepth = 64;

// Reads fields from a payload; every read is bounded and sets failed instead of over-reading.
struct Fields {
    std::span<const uint8_t> data;
    size_t pos = 0;
    bool failed = false;

    bool Have(size_t n)
    {
        if (pos + n > data.size())
            failed = true;
        return !failed;
    }
    uint8_t U8() { return Have(1) ? data[pos++] : 0; }
    uint16_t U16()
    {
        if (!Have(2))
            return 0;
        uint16_t v = static_cast<uint16_t>(data[pos] | (data[pos + 1] << 8));
        pos += 2;
        return v;
    }
    void Skip(size_t n)
    {
        if (Have(n))
            pos += n;
    }
    void String()
    {
        while (!failed && Have(1) && data[pos] != 0)
            ++pos;
        Skip(1);
    }
    bool Done() const { return !failed && pos == data.size(); }
};

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
            std::string problem;
            if (!ReadActionRecord(body, pos, r, problem)) {
                Problem(pos, problem);
                return;
            }
            if (r.code == 0) {
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
        Fields f{r.payload};
        switch (r.code) {
        case 0x99: // Jump
        case 0x9D: { // If
            int16_t offset = static_cast<int16_t>(f.U16());
            if (f.Done()) {
                long target = static_cast<long>(r.end) + offset;
                if (target < 0 || static_cast<size_t>(target) > end)
                    Problem(r.offset, "branch leaves its body");
                else
                    branches.emplace_back(r.offset, static_cast<size_t>(target));
            }
            break;
        }
        case 0x87: // StoreRegister
            if (f.U8() > 3)
                Problem(r.offset, "register above 3; a SWF 6 player has four");
            break;
        case 0x88: { // ConstantPool
            uint16_t count = f.U16();
            for (uint16_t i = 0; i < count && !f.failed; ++i)
                f.String();
            pool_ = count;
            break;
        }
        case 0x96: Push(f, r.offset); break;
        case 0x9B: // DefineFunction
        case 0x94: { // With
            if (r.code == 0x9B) {
                f.String();
                uint16_t params = f.U16();
                for (uint16_t i = 0; i < params && !f.failed; ++i)
                    f.String();
            }
            size_t size = f.U16();
            if (!f.Done())
                break;
            if (r.end + size > end) {
                Problem(r.offset, "body runs past the end of the enclosing body");
                return 0;
            }
            size_t pool = pool_;
            Body(r.end, r.end + size, depth + 1, false);
            pool_ = pool;
            return r.end + size;
        }
        case 0x81: f.Skip(2); break; // GotoFrame
        case 0x83: f.String(); f.String(); break; // GetURL
        case 0x8B: case 0x8C: f.String(); break; // SetTarget, GotoLabel
        case 0x8A: f.Skip(3); break; // WaitForFrame
        case 0x8D: case 0x9A: f.Skip(1); break; // WaitForFrame2, GetURL2
        case 0x9F: if (f.U8() & 2) f.Skip(2); break; // GotoFrame2 with scene bias
        default: f.pos = f.data.size(); break;
        }
        if (!f.Done())
            Problem(r.offset, "payload of " + std::string(FindAction(r.code) ? FindAction(r.code)->name : "action") +
                                  " does not match its length");
        return r.end;
    }

    void Push(Fields& f, size_t at)
    {
        if (f.data.empty())
            Problem(at, "empty Push");
        while (!f.failed && f.pos < f.data.size()) {
            uint8_t type = f.U8();
            switch (type) {
            case 0: f.String(); break;
            case 1: f.Skip(4); break;
            case 2: case 3: break;
            case 4: if (f.U8() > 3) Problem(at, "Push of a register above 3"); break;
            case 5: f.Skip(1); break;
            case 6: f.Skip(8); break;
            case 7: f.Skip(4); break;
            case 8: if (f.U8() >= pool_) Problem(at, "Push of a constant the pool does not hold"); break;
            case 9: if (f.U16() >= pool_) Problem(at, "Push of a constant the pool does not hold"); break;
            default: Problem(at, "Push value of unknown type " + std::to_string(type)); f.failed = true; return;
            }
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
