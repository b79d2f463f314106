#pragma once

#include "sheet/cells/CellRef.h"

#include <cstdint>
#include <memory>
#include <optional>
#include <string>

class CBindingLink;
class CVariableTable;

namespace base {
class RecordReader;
class RecordWriter;
} // namespace base

// Where a published movie takes its data. The numbers are the ones documents store; a record
// that never went through the Export Settings dialog holds 0, which means CurrentExcel.
enum class DataSourceMode : int32_t {
    Unset = 0,
    CurrentExcel = 1,
    OtherExcelFile = 4,
    WebService = 8,
};

// How a movie with collaboration joins the gateway; stored numbers.
enum class ConnectionMethod : int32_t {
    Automatic = 0,
    LoginComponent = 1,
};

// The base movie's record of a document's data source, refresh, sample query and collaboration
// settings. It is edited by the Export Settings dialog, stored as a section of the document file
// and read by the export commands and the movie builder.
class CExportSettings {
public:
    // The version Save writes; Load reads every version up to it.
    static constexpr uint32_t kVersion = 13;

    CExportSettings();
    ~CExportSettings();
    CExportSettings(const CExportSettings&) = delete;
    CExportSettings& operator=(const CExportSettings&) = delete;

    // Reads the document section. A file that has ended before the section keeps every value;
    // an older version keeps the fields it does not hold. The URL cell is looked up in table. A
    // section cut short or naming a cell the table does not hold throws ModelError and leaves
    // the record as it was.
    void Load(base::RecordReader& in, const CVariableTable& table);
    // Writes the section in the newest version.
    void Save(base::RecordWriter& out) const;

    // 0 counts as CurrentExcel.
    DataSourceMode GetEffectiveMode() const;
    bool UsesWebService() const { return GetEffectiveMode() == DataSourceMode::WebService; }

    // Replaces the URL cell; the link made for the previous one no longer applies and goes.
    void SetUrlCell(std::optional<CCellRef> cell);
    const std::optional<CCellRef>& GetUrlCell() const { return urlCell_; }
    // Made by the model compile for the URL cell; owned here.
    void SetUrlLink(std::unique_ptr<CBindingLink> link);
    CBindingLink* GetUrlLink() const { return urlLink_.get(); }

    std::string excelFile;
    std::string url;
    bool edited = false;
    int32_t refreshSeconds = 0;
    bool sampleQuery = false;
    bool refresh = false;
    DataSourceMode mode = DataSourceMode::Unset;
    bool collaboration = false;
    std::string gatewayUrl;
    ConnectionMethod connectionMethod = ConnectionMethod::Automatic;
    // Kept in clear in the document and the movie: the automatic connection sends it as it is.
    std::string password;
    bool realTimeCollaboration = false;

private:
    std::optional<CCellRef> urlCell_;
    std::unique_ptr<CBindingLink> urlLink_;
};
