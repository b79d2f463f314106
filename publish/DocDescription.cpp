#include "publish/DocDescription.h"

#include "model/FileBytes.h"
#include "publish/ComponentNames.h"
#include "publish/DocData.h"

#include <charconv>
#include <cmath>
#include <initializer_list>
#include <limits>
#include <string_view>

namespace publish {

namespace {

// A value of the description with its place, for messages.
struct Node {
    const json::Value& value;
    std::string where;

    [[noreturn]] void Fail(const std::string& why) const { throw DescriptionError(where + ": " + why); }

    void Expect(json::Kind kind) const
    {
        if (value.kind != kind) {
            Fail(std::string("expected ") + json::KindName(kind) + ", found " + json::KindName(value.kind));
        }
    }

    // An object whose keys are all among allowed: a misspelt key is an error, not ignored.
    void ExpectObject(std::initializer_list<std::string_view> allowed) const
    {
        Expect(json::Kind::Object);
        for (const json::Member& member : value.members) {
            bool known = false;
            for (std::string_view key : allowed) {
                known = known || member.key == key;
            }
            if (!known) {
                Fail("unknown key \"" + member.key + "\"");
            }
        }
    }

    std::optional<Node> Member(std::string_view key) const
    {
        const json::Value* member = value.Find(key);
        if (!member) {
            return std::nullopt;
        }
        return Node{*member, where + "." + std::string(key)};
    }

    Node Required(std::string_view key) const
    {
        std::optional<Node> member = Member(key);
        if (!member) {
            Fail("\"" + std::string(key) + "\" is missing");
        }
        return *member;
    }

    Node Item(std::size_t index) const
    {
        return Node{value.items[index], where + "[" + std::to_string(index) + "]"};
    }

    // An array, each item visited with its place.
    template <class Visit> void ForEachItem(Visit visit) const
    {
        Expect(json::Kind::Array);
        for (std::size_t i = 0; i < value.items.size(); ++i) {
            visit(Item(i));
        }
    }

    std::string Text() const
    {
        Expect(json::Kind::String);
        return value.text;
    }

    bool Boolean() const
    {
        Expect(json::Kind::Boolean);
        return value.boolean;
    }

    std::int64_t Integer(std::int64_t low, std::int64_t high) const
    {
        Expect(json::Kind::Number);
        const double n = value.number;
        if (n != std::floor(n) || n < static_cast<double>(low) || n > static_cast<double>(high)) {
            Fail("expected a whole number from " + std::to_string(low) + " to " + std::to_string(high));
        }
        return static_cast<std::int64_t>(n);
    }

    std::uint32_t Color() const
    {
        std::optional<std::uint32_t> color = ParseColorText(Text());
        if (!color) {
            Fail("expected a colour as \"#RRGGBB\" or \"0xRRGGBB\"");
        }
        return *color;
    }
};

constexpr std::int64_t kMaxCoordinate = std::numeric_limits<std::int32_t>::max() / 20;
constexpr std::size_t kMaxDescriptionBytes = std::size_t(64) << 20;

ComponentDescription ReadComponent(const Node& node)
{
    node.ExpectObject({"symbol", "name", "x", "y", "width", "height", "enabled", "parameters"});
    ComponentDescription c;
    c.where = node.where;
    c.symbol = node.Required("symbol").Text();
    if (c.symbol.empty()) {
        node.Required("symbol").Fail("a component needs its symbol name");
    }
    if (auto name = node.Member("name")) {
        c.name = name->Text();
        if (std::optional<std::string> problem = ComponentNameProblem(c.name)) {
            name->Fail(*problem);
        }
        // Later messages about this component name it as well as its place.
        c.where += " (" + c.name + ")";
    }
    const Node item{node.value, c.where};
    // Positions are pixels, as the canvas shows them; documents keep twips.
    const std::int64_t x = item.Required("x").Integer(-kMaxCoordinate, kMaxCoordinate);
    const std::int64_t y = item.Required("y").Integer(-kMaxCoordinate, kMaxCoordinate);
    const std::int64_t w = item.Required("width").Integer(1, kMaxCoordinate);
    const std::int64_t h = item.Required("height").Integer(1, kMaxCoordinate);
    if (x + w > kMaxCoordinate || y + h > kMaxCoordinate) {
        item.Fail("the component reaches past the largest canvas");
    }
    c.rect = {static_cast<std::int32_t>(x * 20), static_cast<std::int32_t>(y * 20),
              static_cast<std::int32_t>((x + w) * 20), static_cast<std::int32_t>((y + h) * 20)};
    if (auto enabled = item.Member("enabled")) {
        c.enabled = enabled->Boolean();
    }
    if (auto parameters = item.Member("parameters")) {
        parameters->Expect(json::Kind::Object);
        c.parameters = parameters->value;
    }
    return c;
}

std::vector<std::vector<std::size_t>> ReadGroups(const Node& node, std::size_t componentCount)
{
    node.Expect(json::Kind::Array);
    std::vector<std::vector<std::size_t>> groups;
    std::vector<bool> grouped(componentCount, false);
    for (std::size_t g = 0; g < node.value.items.size(); ++g) {
        const Node group = node.Item(g);
        group.Expect(json::Kind::Array);
        if (group.value.items.size() < 2) {
            group.Fail("a group holds at least two components");
        }
        groups.emplace_back();
        for (std::size_t i = 0; i < group.value.items.size(); ++i) {
            const Node member = group.Item(i);
            if (componentCount == 0) {
                member.Fail("there are no components");
            }
            const auto index = static_cast<std::size_t>(member.Integer(0, std::int64_t(componentCount) - 1));
            if (grouped[index]) {
                member.Fail("component " + std::to_string(index) + " is already in a group");
            }
            grouped[index] = true;
            groups.back().push_back(index);
        }
    }
    return groups;
}

std::vector<RangeEntryDescription> ReadRangeEntries(const Node& node)
{
    std::vector<RangeEntryDescription> entries;
    node.ForEachItem([&](const Node& item) {
        item.ExpectObject({"name", "range"});
        RangeEntryDescription entry;
        entry.name = item.Required("name").Text();
        if (auto range = item.Member("range")) {
            entry.range = range->Text();
        }
        entries.push_back(std::move(entry));
    });
    return entries;
}

ExportSettingsDescription ReadExportSettings(const Node& node)
{
    node.ExpectObject({"mode", "excelFile", "url", "urlCell", "refreshSeconds", "refresh", "sampleQuery",
                       "collaboration", "gatewayUrl", "connectionMethod", "password",
                       "realTimeCollaboration"});
    ExportSettingsDescription s;
    if (auto mode = node.Member("mode")) {
        const std::string text = mode->Text();
        if (text == "currentExcel") {
            s.mode = 1;
        } else if (text == "otherExcelFile") {
            s.mode = 4;
        } else if (text == "webService") {
            s.mode = 8;
        } else {
            mode->Fail("expected \"currentExcel\", \"otherExcelFile\" or \"webService\"");
        }
    }
    if (auto method = node.Member("connectionMethod")) {
        const std::string text = method->Text();
        if (text != "automatic" && text != "loginComponent") {
            method->Fail("expected \"automatic\" or \"loginComponent\"");
        }
        s.connectionMethod = text == "automatic" ? 0 : 1;
    }
    auto text = [&](const char* key, std::optional<std::string>& out) {
        if (auto member = node.Member(key)) {
            out = member->Text();
        }
    };
    auto flag = [&](const char* key, std::optional<bool>& out) {
        if (auto member = node.Member(key)) {
            out = member->Boolean();
        }
    };
    text("excelFile", s.excelFile);
    text("url", s.url);
    text("urlCell", s.urlCell);
    text("gatewayUrl", s.gatewayUrl);
    text("password", s.password);
    flag("refresh", s.refresh);
    flag("sampleQuery", s.sampleQuery);
    flag("collaboration", s.collaboration);
    flag("realTimeCollaboration", s.realTimeCollaboration);
    if (auto seconds = node.Member("refreshSeconds")) {
        s.refreshSeconds =
            static_cast<std::int32_t>(seconds->Integer(0, std::numeric_limits<std::int32_t>::max()));
    }
    return s;
}

std::filesystem::path Resolve(const std::filesystem::path& folder, const std::string& path)
{
    std::filesystem::path p(path);
    return p.is_absolute() ? p : folder / p;
}

std::vector<FileDescription> ReadFiles(const Node& node, const std::filesystem::path& folder)
{
    std::vector<FileDescription> files;
    node.ForEachItem([&](const Node& item) {
        item.ExpectObject({"name", "path"});
        FileDescription file;
        file.name = item.Required("name").Text();
        if (file.name.empty()) {
            item.Required("name").Fail("an embedded file needs the name its components use");
        }
        file.path = Resolve(folder, item.Required("path").Text());
        files.push_back(std::move(file));
    });
    return files;
}

CustomColorTable ReadCustomColors(const Node& node)
{
    node.Expect(json::Kind::Array);
    CustomColorTable table;
    table.fill(kUnusedCustomColor);
    if (node.value.items.size() > table.size()) {
        node.Fail("at most 16 custom colours");
    }
    for (std::size_t i = 0; i < node.value.items.size(); ++i) {
        const std::uint32_t rgb = node.Item(i).Color();
        // The table holds the colour dialogs' form, blue in the high byte.
        table[i] = (rgb & 0xFF) << 16 | (rgb & 0xFF00) | (rgb >> 16);
    }
    return table;
}

} // namespace

std::optional<std::uint32_t> ParseColorText(const std::string& text)
{
    std::string_view digits(text);
    if (digits.starts_with("#")) {
        digits.remove_prefix(1);
    } else if (digits.starts_with("0x") || digits.starts_with("0X")) {
        digits.remove_prefix(2);
    } else {
        return std::nullopt;
    }
    std::uint32_t color = 0;
    auto [end, ec] = std::from_chars(digits.data(), digits.data() + digits.size(), color, 16);
    if (digits.size() != 6 || ec != std::errc() || end != digits.data() + digits.size()) {
        return std::nullopt;
    }
    return color;
}

DocDescription ReadDocDescription(const json::Value& value, const std::filesystem::path& folder)
{
    const Node root{value, "description"};
    root.ExpectObject({"version", "workbook", "modelSource", "canvas", "description", "catalogVariant",
                       "components", "groups", "rangeEntries", "exportSettings", "files", "customColors"});
    DocDescription d;
    if (auto version = root.Member("version")) {
        d.version = version->Text();
        if (d.version.empty() || d.version.size() > 8) {
            version->Fail("a version has 1 to 8 characters");
        }
    }
    if (auto workbook = root.Member("workbook")) {
        d.workbook = Resolve(folder, workbook->Text());
    }
    if (auto source = root.Member("modelSource")) {
        d.modelSource = source->Text();
    }
    const Node canvas = root.Required("canvas");
    canvas.ExpectObject({"width", "height", "paper"});
    d.width = static_cast<std::int32_t>(canvas.Required("width").Integer(1, kMaxCanvasSide));
    d.height = static_cast<std::int32_t>(canvas.Required("height").Integer(1, kMaxCanvasSide));
    if (auto paper = canvas.Member("paper")) {
        const std::uint32_t rgb = paper->Color();
        d.paper = {static_cast<std::uint8_t>(rgb >> 16), static_cast<std::uint8_t>(rgb >> 8),
                   static_cast<std::uint8_t>(rgb)};
    }
    if (auto text = root.Member("description")) {
        d.description = text->Text();
    }
    if (auto variant = root.Member("catalogVariant")) {
        d.catalogVariant = static_cast<std::uint32_t>(variant->Integer(0, 1000));
    }
    if (auto components = root.Member("components")) {
        components->ForEachItem([&](const Node& item) { d.components.push_back(ReadComponent(item)); });
        std::vector<std::string> names;
        for (const ComponentDescription& c : d.components) {
            names.push_back(c.name);
        }
        std::size_t at = 0;
        if (std::optional<std::string> problem = FirstNameProblem(names, at)) {
            components->Item(at).Required("name").Fail("\"" + names[at] + "\": " + *problem);
        }
    }
    if (auto groups = root.Member("groups")) {
        d.groups = ReadGroups(*groups, d.components.size());
    }
    if (auto entries = root.Member("rangeEntries")) {
        d.rangeEntries = ReadRangeEntries(*entries);
    }
    if (auto settings = root.Member("exportSettings")) {
        d.exportSettings = ReadExportSettings(*settings);
    }
    if (auto files = root.Member("files")) {
        d.files = ReadFiles(*files, folder);
    }
    if (auto colors = root.Member("customColors")) {
        d.customColors = ReadCustomColors(*colors);
    }
    return d;
}

DocDescription ReadDocDescriptionFile(const std::filesystem::path& file)
{
    std::vector<unsigned char> bytes;
    std::string reason;
    if (!model::ReadFileBytes(file.string(), bytes, kMaxDescriptionBytes, &reason)) {
        throw DescriptionError(file.string() + ": cannot be read (" + reason + ")");
    }
    json::Error error;
    std::optional<json::Value> root =
        json::Parse(std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size()), &error);
    if (!root) {
        throw DescriptionError(file.string() + ": " + error.ToString());
    }
    try {
        return ReadDocDescription(*root, file.parent_path());
    } catch (const DescriptionError& problem) {
        throw DescriptionError(file.string() + ": " + problem.what());
    }
}

} // namespace publish
