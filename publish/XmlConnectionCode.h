#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

struct CExportRecord;
class CActionList;
class CExportSettings;
class CSwfDoAction;

namespace publish {

// The parts of the model code that the connection script shares with the init code: when the
// data come from outside, the model is set up by the connection script instead.
class IModelScriptParts {
public:
    virtual ~IModelScriptParts() = default;
    // "A" + index for every range of the variable table.
    virtual void WriteRangeArrays(CActionList& out) = 0;
    // The initial values of all constants.
    virtual void WriteInitialValues(CActionList& out) = 0;
    // "DAT": the range entries' names to their arrays.
    virtual void WriteDataTable(CActionList& out) = 0;
    // "kvCalc" and its numbered parts.
    virtual void WriteCalcFunctions(CActionList& out) = 0;
};

// One active XML map as the loader reads it at run time.
struct XmlMapSource {
    std::string name;
    int32_t refreshSeconds = 0;
    // The URL is read at run time from this cell's variable; else url holds it.
    std::optional<int32_t> urlCellId;
    std::string url;
    // Per parameter, in the map's order: the XPath and the range index whose cells receive
    // what it selects.
    std::vector<std::pair<std::string, int32_t>> parameters;
};

struct ConnectionScriptSource {
    // The document takes its data from a web service.
    bool webService = false;
    // The document defines XML maps.
    bool connectionInputs = false;
    // Namespace prefix to URI, for the XPaths of the maps.
    std::map<std::string, std::string> namespaces;
    // Active maps only, in ascending order of name.
    std::vector<XmlMapSource> maps;
};

// The active maps among a document's export records (by name), as the loader reads them.
std::vector<XmlMapSource> ActiveXmlMaps(const std::map<std::string, CExportRecord>& records);

// The frame script that sets up the model and describes the data connection for the loader
// asset ("xmlUrl", "xmlInterval", "kvXMLNS", "kvXML"). Each build makes its own and owns it.
std::unique_ptr<CSwfDoAction> BuildXmlConnectionCode(const ConnectionScriptSource& source,
                                                     const CExportSettings& settings,
                                                     IModelScriptParts& model);

} // namespace publish
