#pragma once

#include "model/CellBinding.h"
#include "model/Component.h"
#include "model/ComponentCatalog.h"
#include "model/ComponentDef.h"
#include "model/Parameter.h"
#include "model/ParameterKinds.h"
#include "model/ParameterSet.h"
#include "publish/BaseMovie.h"
#include "publish/ModelLink.h"
#include "publish/ModelNetwork.h"
#include "publish/ProgramContext.h"
#include "sheet/cells/CellModel.h"
#include "sheet/cells/CellRef.h"
#include "sheet/cells/CellValueMap.h"
#include "sheet/cells/Range.h"
#include "sheet/cells/VariableTable.h"
#include "swf/SwfIds.h"
#include "swf/SwfMovie.h"
#include "swf/SwfOutputMovie.h"
#include "swf/SwfPlaceObject2.h"
#include "swf/SwfSprite.h"
#include "swf/SwfTags.h"
#include "swf/SwfWriter.h"
#include "swf/TagLoader.h"

#include <cctype>
#include <memory>
#include <string>
#include <vector>

namespace publishtest {

struct WrittenTag {
    uint16_t code;
    std::vector<uint8_t> body;
};

// The tags of a stream up to its End tag, as (code, body).
inline std::vector<WrittenTag> ReadTags(std::span<const uint8_t> stream)
{
    std::vector<WrittenTag> tags;
    swf::ForEachTag(stream, 0, [&](uint16_t code, std::span<const uint8_t> body, bool, size_t) {
        tags.push_back({code, {body.begin(), body.end()}});
    });
    return tags;
}

inline std::vector<WrittenTag> WrittenTags(CSwfObject& object)
{
    swf::Writer out;
    object.Write(out);
    return ReadTags(out.Data());
}

inline std::vector<uint16_t> TagCodes(const std::vector<WrittenTag>& tags)
{
    std::vector<uint16_t> codes;
    for (const WrittenTag& tag : tags)
        codes.push_back(tag.code);
    return codes;
}

// A base asset made in memory: the manager clip (id 1, placing clip 3 inside it) exported
// first, then a clip the manager does not need (id 2).
inline std::vector<uint8_t> MakeBaseAssetBytes()
{
    CSwfOutputMovie movie;
    movie.SetWriteAll(true);
    auto inner = std::make_unique<CSwfSprite>(3, 1, false);
    inner->AddTag(std::make_unique<CSwfShowFrame>());
    movie.AddTag(std::move(inner));
    auto manager = std::make_unique<CSwfSprite>(1, 1, false);
    manager->AddTag(std::make_unique<CSwfPlaceObject2>(1, 3, CSwfMatrix(), "inner"));
    manager->AddTag(std::make_unique<CSwfShowFrame>());
    movie.AddTag(std::move(manager));
    auto other = std::make_unique<CSwfSprite>(2, 1, false);
    other->AddTag(std::make_unique<CSwfShowFrame>());
    movie.AddTag(std::move(other));
    auto exportManager = std::make_unique<CSwfExportedSymbol>(1);
    exportManager->SetName("kvManager");
    movie.AddTag(std::move(exportManager));
    auto exportOther = std::make_unique<CSwfExportedSymbol>(2);
    exportOther->SetName("kvOther");
    movie.AddTag(std::move(exportOther));
    movie.AddTag(std::make_unique<CSwfShowFrame>());
    return movie.WriteBytes(100, 100, 30, false);
}

inline const std::vector<uint8_t>& BaseAssetBytes()
{
    static const std::vector<uint8_t> bytes = MakeBaseAssetBytes();
    return bytes;
}

inline std::unique_ptr<CSwfMovie> BaseAsset()
{
    auto movie = std::make_unique<CSwfMovie>();
    movie->LoadBytes(BaseAssetBytes(), {.keepTopLevel = true});
    return movie;
}

// A base movie over the in-memory asset, with counters of its own, in a program context of its
// own that is current while the fixture lives.
struct BaseMovieFixture {
    CProgramContext context;
    CProgramContext::Scope use{context};
    swf::IdCounter ids{100};
    swf::IdCounter depths{1};
    std::unique_ptr<CBaseMovie> movie = Lent(std::make_unique<CBaseMovie>(BaseAsset(), std::filesystem::path(), ids, depths));

    ~BaseMovieFixture()
    {
        movie.reset();
        context.UseBaseMovie(nullptr);
    }

    // Makes movie the context's base movie, as a document's own root is.
    std::unique_ptr<CBaseMovie> Lent(std::unique_ptr<CBaseMovie> made)
    {
        context.UseBaseMovie(made.get());
        return made;
    }

    CCellModel& cells() { return movie->GetCellModel(); }
    CVariableTable& table() { return movie->GetVariableTable(); }

    // "B12" on sheet "S".
    static std::pair<int, int> Place(const std::string& a1)
    {
        std::size_t digits = 0;
        while (digits < a1.size() && std::isalpha(static_cast<unsigned char>(a1[digits])))
            ++digits;
        return {std::stoi(a1.substr(digits)), ColumnFromLetters(a1.substr(0, digits))};
    }
    int32_t Id(const std::string& a1)
    {
        auto [row, column] = Place(a1);
        return table().AddCell("S", row, column);
    }
    void Number(const std::string& a1, double value)
    {
        auto [row, column] = Place(a1);
        cells().SetCell("S", row, column,
                        CCellData{std::to_string(value), std::string(CellTypeName(CellType::Number)), "", false});
    }
    void Formula(const std::string& a1, const std::string& formula)
    {
        auto [row, column] = Place(a1);
        cells().SetCell("S", row, column, CCellData{"", "", formula, false});
    }
    void Compile(const std::vector<std::string>& roots, const BoundCells& bound)
    {
        for (const std::string& root : roots)
            movie->GetNetwork().CompileCell(Id(root), cells(), table(), bound, movie->GetValueMap());
    }
};

// A base movie and the context's model link, through which bindings read its cells and ranges.
struct LinkedModelFixture : BaseMovieFixture {
    CBaseMovieModelLink& link = context.GetModelLink();

    const model::RangeHandle* Range(const std::string& from, const std::string& to)
    {
        auto [row1, column1] = Place(from);
        auto [row2, column2] = Place(to);
        CRange range;
        range.AddArea(CCellRef("S", row1, column1), CCellRef("S", row2, column2));
        return link.GetRange(table().AddRange(range));
    }
    void Text(const std::string& a1, const std::string& text)
    {
        auto [row, column] = Place(a1);
        cells().SetCell("S", row, column, CCellData{text, std::string(CellTypeName(CellType::Text)), "", false});
    }
};

// A component with a group of bindings, as the component readers make them.
struct Dashboard {
    CComponentDef definition;
    CSwfComponent component{&definition};
    CParameterSet* group = nullptr;

    explicit Dashboard(const std::string& name, const std::string& symbol = "KVGaugeSymbol")
        : definition(symbol, "Gauge")
    {
        component.SetName(name);
        auto set = std::make_unique<CParameterSet>();
        group = set->Add(std::make_unique<CParameter>("General", model::ParamType::Group))->GetSet();
        component.SetParameters(std::move(set));
    }
    CParameter* Bind(const std::string& name, const model::RangeHandle* range, bool list = false)
    {
        CParameter* parameter = group->Add(std::make_unique<CParameter>(name, model::ParamType::CellBinding));
        if (list)
            parameter->GetBinding()->SetValue(std::make_unique<CParameter>(name, model::ParamType::List));
        parameter->RefreshFromCells(range, false);
        return parameter;
    }
};

} // namespace publishtest
