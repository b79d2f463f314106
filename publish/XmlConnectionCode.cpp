#include "publish/XmlConnectionCode.h"

#include "publish/ExportRecord.h"
#include "publish/ExportSettings.h"
#include "sheet/cells/CellRef.h"
#include "swf/ActionEmitter.h"
#include "swf/SwfDoAction.h"

namespace publish {

namespace {

using swf::ActionCode;

using Emitter = swf::ActionEmitter;

// kvXML[key]
Emitter& MapEntry(Emitter& e, const std::string& key)
{
    return e.Get("kvXML").Str(key).Op(ActionCode::GetMember);
}

void WriteServiceUrl(Emitter& e, const CExportSettings& settings)
{
    e.Str("xmlUrl").New("Object").Op(ActionCode::SetVariable);
    if (const auto& cell = settings.GetUrlCell())
        e.Get("xmlUrl").Str("dynamic").Str(CellVariableName(cell->id)).Op(ActionCode::SetMember);
    else
        e.Get("xmlUrl").Str("static").Str(settings.url).Op(ActionCode::SetMember);
    e.Str("xmlInterval").Int(settings.refresh ? settings.refreshSeconds : 0).Op(ActionCode::SetVariable);
}

void WriteNamespaces(Emitter& e, const std::map<std::string, std::string>& namespaces)
{
    e.Str("kvXMLNS").New("Array").Op(ActionCode::SetVariable);
    for (const auto& [prefix, uri] : namespaces)
        e.Get("kvXMLNS").Str(prefix).Str(uri).Op(ActionCode::SetMember);
}

void WriteMap(Emitter& e, const XmlMapSource& map)
{
    const std::string& k = map.name;
    e.Get("kvXML").Str(k).New("Object").Op(ActionCode::SetMember);
    MapEntry(e, k).Str("refresh").Int(map.refreshSeconds).Op(ActionCode::SetMember);
    if (map.urlCellId)
        MapEntry(e, k).Str("dynamic").Str(CellVariableName(*map.urlCellId)).Op(ActionCode::SetMember);
    else
        MapEntry(e, k).Str("static").Str(map.url).Op(ActionCode::SetMember);
    MapEntry(e, k).Str("arr").New("Array").Op(ActionCode::SetMember);
    int32_t i = 0;
    for (const auto& [xpath, range] : map.parameters) {
        // kvXML[k].arr.push(new Object())
        e.New("Object").Int(1);
        MapEntry(e, k).Str("arr").Op(ActionCode::GetMember).Str("push");
        e.Op(ActionCode::CallMethod).Op(ActionCode::Pop);
        auto element = [&]() -> Emitter& {
            return MapEntry(e, k).Str("arr").Op(ActionCode::GetMember).Int(i).Op(ActionCode::GetMember);
        };
        element().Str("range").Get(RangeArrayName(range)).Op(ActionCode::SetMember);
        element().Str("xpath").Str(xpath).Op(ActionCode::SetMember);
        ++i;
    }
}

} // namespace

std::vector<XmlMapSource> ActiveXmlMaps(const std::map<std::string, CExportRecord>& records)
{
    std::vector<XmlMapSource> maps;
    for (const auto& [key, record] : records) {
        if (!record.active)
            continue;
        XmlMapSource map;
        map.name = key;
        map.refreshSeconds = record.refreshSeconds;
        if (record.cellBound && record.urlCell >= 0)
            map.urlCellId = record.urlCell;
        else
            map.url = record.urlText;
        for (const auto& [xpath, range] : record.parameters)
            map.parameters.emplace_back(xpath, static_cast<int32_t>(range));
        maps.push_back(std::move(map));
    }
    return maps;
}

std::unique_ptr<CSwfDoAction> BuildXmlConnectionCode(const ConnectionScriptSource& source,
                                                     const CExportSettings& settings,
                                                     IModelScriptParts& model)
{
    auto script = std::make_unique<CSwfDoAction>();
    CActionList& out = script->GetActions();
    Emitter e(out);
    if (source.webService)
        WriteServiceUrl(e, settings);
    model.WriteRangeArrays(out);
    model.WriteInitialValues(out);
    if (source.connectionInputs) {
        WriteNamespaces(e, source.namespaces);
        e.Str("kvXML").New("Array").Op(ActionCode::SetVariable);
        for (const XmlMapSource& map : source.maps)
            WriteMap(e, map);
    }
    model.WriteDataTable(out);
    model.WriteCalcFunctions(out);
    return script;
}

} // namespace publish
