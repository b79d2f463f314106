#pragma once

#include "publish/ExportRecord.h"
#include "publish/InitCodeTag.h"
#include "publish/ModelNetwork.h"
#include "sheet/workbook/XlsxReader.h"
#include "swf/SwfObject.h"

#include <cstdint>
#include <filesystem>
#include <functional>
#include <map>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

class CBindingLink;
class CCellModel;
class CCellValueMap;
class CCollabMovie;
class CExportSettings;
class CLoadDataMovie;
class CScenarioMovie;
class CStaticDataTable;
class CSwfDoAction;
class CSwfMovie;
class CVariableTable;
namespace base {
class RecordReader;
class RecordWriter;
} // namespace base
namespace model {
class CFileBatch;
} // namespace model
namespace swf {
class IdCounter;
}

// The base asset cannot be read, or holds no clip to place as the manager.
class BaseMovieError : public std::runtime_error {
public:
    explicit BaseMovieError(const std::string& what) : std::runtime_error(what) {}
};

// The root of the model and of every published movie: the imported cell models and the
// variable table, the calculation network compiled from them, the export settings and the
// flags of the running command, the sub-movies, and the scripts a CModelScriptBuilder made
// for one build. Added to the output movie, it writes the manager clip with those scripts.
//
// The program context holds the current one (GetBaseMovie). The character ids and depths its Write takes come
// from the counters it was given, so a build that resets them writes the same movie again.
class CBaseMovie : public CSwfObject {
public:
    // asset: the movie whose first exported clip is the manager; that clip's entry is taken
    // out of the movie's exported-symbol table. Throws BaseMovieError when there is none. The
    // sub-movies read their assets from the installation folder.
    CBaseMovie(std::unique_ptr<CSwfMovie> asset, const std::filesystem::path& installDir,
               swf::IdCounter& characterIds, swf::IdCounter& depths);
    ~CBaseMovie() override;

    // Loads "asset\kvbase.dat" of the installation folder, trying a few times: a failure
    // there means the installation is damaged, and publishing must refuse rather than write
    // a movie without its manager. Throws BaseMovieError.
    static std::unique_ptr<CBaseMovie> Create(const std::filesystem::path& installDir,
                                              swf::IdCounter& characterIds, swf::IdCounter& depths);

    // The base clip and its dependencies, the frame script, the "initCode" sprite with its
    // export and init code, and the "mgr" placement. The frame script and the init code
    // belong to one build and are dropped once written.
    void Write(swf::Writer& out) override;

    // Model

    CCellModel& GetCellModel() { return *cellModel1_; }
    CCellModel& GetSecondCellModel() { return *cellModel2_; }
    CVariableTable& GetVariableTable() { return *table_; }
    // The table is never cleared in place: a reset or a document puts a new one here, so
    // holders of the shared pointer can tell the table they know from the current one.
    std::shared_ptr<CVariableTable> ShareVariableTable() const { return table_; }
    CCellValueMap& GetValueMap() { return *values_; }
    // Takes a fresh value map in and hands the old one back.
    std::unique_ptr<CCellValueMap> ReplaceValueMap(std::unique_ptr<CCellValueMap> values);
    // Takes a fresh cell model in (an import fills it) and hands the old one back.
    std::unique_ptr<CCellModel> ReplaceCellModel(std::unique_ptr<CCellModel> cells);

    // A fresh empty variable table; the network goes with the old one.
    void ResetModel();
    void SetModelChanged();
    bool IsModelChanged() const { return modelChanged_; }
    void ClearModelChanged() { modelChanged_ = false; }

    // Reads the model section of a document (tables, cell models, values, network, XML maps
    // and the string map). A damaged section throws ModelError, naming what was being read
    // and where, and leaves this object as it was.
    void LoadModel(base::RecordReader& in);
    // Writes the section LoadModel reads, at the newest version.
    void SaveModel(base::RecordWriter& out) const;
    // Marks the value records of the cells of every published range (the range entries) and
    // reads their values from the workbook the export settings name. Throws
    // sheet::WorkbookError when that workbook cannot be read.
    void LoadExternalValues();
    // The bounds a workbook imported into this model (a description's) is read within: the
    // reader's defaults unless the caller sets a budget of its own.
    void SetWorkbookReading(const sheet::xlsx::ReadOptions& options) { workbookReading_ = options; }
    const sheet::xlsx::ReadOptions& GetWorkbookReading() const { return workbookReading_; }

    // Network

    CModelNetwork& GetNetwork() { return network_; }
    const CModelNetwork& GetNetwork() const { return network_; }
    void ClearNetwork();
    CFormulaNode* FindVariableNode(int32_t cellId) const { return network_.FindVariableNode(cellId); }
    CFormulaNode* FindConstantNode(int32_t cellId) const { return network_.FindConstantNode(cellId); }

    // Links of bound cells, borrowed from the components (or the XML maps) that own them.
    void AddKind1DataRecord(CBindingLink* link) { constantLinks_.push_back(link); }
    void AddDataRecord(CBindingLink* link) { formulaLinks_.push_back(link); }
    const std::vector<CBindingLink*>& GetConstantLinks() const { return constantLinks_; }
    const std::vector<CBindingLink*>& GetFormulaLinks() const { return formulaLinks_; }
    CBindingLink* FindConstantLink(int32_t cellId) const;
    CBindingLink* FindFormulaLink(int32_t cellId) const;

    // Links the network and the links: which formula links a constant link's cell drives,
    // and which links share a cell. Every earlier relation is dropped first.
    void BuildExportMaps();

    // Documents

    std::map<std::string, CExportRecord>& GetExportRecords() { return exportRecords_; }
    std::map<std::string, std::string>& GetStringMap() { return stringMap_; }
    std::vector<CRangeEntry>& GetRangeEntries() { return rangeEntries_; }

    CExportSettings& GetExportSettings() { return *settings_; }
    CStaticDataTable& GetStaticDataTable() { return *staticTable_; }
    CScenarioMovie& GetScenarioMovie() { return *scenario_; }
    CLoadDataMovie& GetLoadDataMovie() { return *loadData_; }
    CCollabMovie& GetCollabMovie() { return *collab_; }

    // One build

    // Where exported movies get their GUID from ("XXXXXXXX-XXXX-XXXX-XXXX-XXXXXXXXXXXX"); by
    // default a new random one each build. Tests and reproducible builds install a fixed one;
    // an empty function restores the default.
    void SetGuidSource(std::function<std::string()> source) { guidSource_ = std::move(source); }
    const std::function<std::string()>& GetGuidSource() const { return guidSource_; }

    // The scripts of one build, made by a CModelScriptBuilder (publish/ModelScriptBuilder.h).

    void SetInitCode(std::unique_ptr<CInitCodeTag> tag) { initCode_ = std::move(tag); }
    void SetFrameScript(std::unique_ptr<CSwfDoAction> tag);
    CInitCodeTag* GetInitCode() { return initCode_.get(); }
    CSwfDoAction* GetFrameScript() { return frameScript_.get(); }
    // Writing takes the scripts: they go out with one movie only. They are kept until this
    // call (or the next write) frees them, so that a builder can free the hundreds of
    // thousands of actions of a large model while it compresses the movie.
    void ReleaseWrittenScripts();
    uint16_t GetBaseClipId() const { return baseClipId_; }
    // The export name of the click sound the components play (Sound.attachSound).
    static constexpr const char* kClickSound = "kvClick";
    CSwfMovie& GetAsset() { return *asset_; }

    // Flags of the running export command.
    struct ExportFlags {
        bool snapshot = false;
        bool webService = false;
        bool otherFile = false;
        bool exporting = false;
        bool hostedPlayer = false;
    };
    ExportFlags& GetExportFlags() { return exportFlags_; }
    bool GetConnectionInputs() const { return connectionInputs_; }
    void SetConnectionInputs(bool on) { connectionInputs_ = on; }
    // Whether the movie takes its data from outside (a web service or connection inputs)
    // instead of computing the model itself; a preview never carries the connection.
    bool HasDataConnection(bool preview) const
    {
        return !preview && (exportFlags_.webService || connectionInputs_);
    }
    const std::string& GetOutputPath() const { return outputPath_; }
    void SetOutputPath(std::string path) { outputPath_ = std::move(path); }
    // The files of the publication under way, into which the sample data file is staged;
    // borrowed for the build, none outside one.
    void SetOutputBatch(model::CFileBatch* batch) { outputBatch_ = batch; }
    model::CFileBatch* GetOutputBatch() const { return outputBatch_; }

private:
    struct LoadedModel;
    void Adopt(LoadedModel&& loaded);
    // ClearNetwork without touching the function library's books, for a network that is
    // replaced by one whose formulas have registered their functions already.
    void DropNetwork();

    std::vector<CBindingLink*> constantLinks_;
    std::vector<CBindingLink*> formulaLinks_;
    CModelNetwork network_;
    std::unique_ptr<CSwfMovie> asset_;
    uint16_t baseClipId_ = 0;
    uint16_t clickSoundId_ = 0; // the base asset's click, 0 when it has none
    swf::IdCounter& characterIds_;
    swf::IdCounter& depths_;
    std::unique_ptr<CInitCodeTag> initCode_;
    std::unique_ptr<CSwfDoAction> frameScript_;
    std::unique_ptr<CInitCodeTag> writtenInitCode_;
    std::unique_ptr<CSwfDoAction> writtenFrameScript_;
    std::unique_ptr<CCellModel> cellModel1_;
    std::unique_ptr<CCellModel> cellModel2_;
    std::shared_ptr<CVariableTable> table_;
    std::unique_ptr<CCellValueMap> values_;
    std::vector<CRangeEntry> rangeEntries_;
    bool modelChanged_ = false;
    ExportFlags exportFlags_;
    bool connectionInputs_ = false;
    std::string outputPath_;
    model::CFileBatch* outputBatch_ = nullptr;
    std::function<std::string()> guidSource_;
    std::map<std::string, CExportRecord> exportRecords_;
    std::map<std::string, std::string> stringMap_;
    std::unique_ptr<CExportSettings> settings_;
    sheet::xlsx::ReadOptions workbookReading_;
    std::unique_ptr<CStaticDataTable> staticTable_;
    std::unique_ptr<CScenarioMovie> scenario_;
    std::unique_ptr<CLoadDataMovie> loadData_;
    std::unique_ptr<CCollabMovie> collab_;
};

// The base movie of the current program context, or null without one.
CBaseMovie* GetBaseMovie();
