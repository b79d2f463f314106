#include "publish/ExportSettings.h"

#include "base/ModelError.h"
#include "base/RecordStream.h"
#include "model/BindingLink.h"
#include "sheet/cells/VariableTable.h"

namespace {

// Versions from which the section holds the URL cell and the collaboration fields.
constexpr uint32_t kUrlCellSince = 8;
constexpr uint32_t kCollaborationSince = 13;
constexpr int32_t kNoCell = -1;

const char* const kSection = "export settings";

} // namespace

CExportSettings::CExportSettings() = default;
CExportSettings::~CExportSettings() = default;

DataSourceMode CExportSettings::GetEffectiveMode() const
{
    return mode == DataSourceMode::Unset ? DataSourceMode::CurrentExcel : mode;
}

void CExportSettings::SetUrlCell(std::optional<CCellRef> cell)
{
    urlCell_ = std::move(cell);
    urlLink_.reset();
}

void CExportSettings::SetUrlLink(std::unique_ptr<CBindingLink> link)
{
    urlLink_ = std::move(link);
}

void CExportSettings::Load(base::RecordReader& in, const CVariableTable& table)
{
    if (in.AtEnd())
        return;
    // Everything is read before anything is stored, so a damaged section changes nothing.
    const uint32_t version = in.ReadU32(kSection);
    std::string newUrl = in.ReadString(kSection);
    std::string newExcelFile = in.ReadString(kSection);
    const int32_t newSeconds = in.ReadI32(kSection);
    const bool newRefresh = in.ReadU8(kSection) != 0;
    const bool newEdited = in.ReadU8(kSection) != 0;
    const bool newSampleQuery = in.ReadU8(kSection) != 0;
    const auto newMode = static_cast<DataSourceMode>(in.ReadI32(kSection));

    std::optional<std::optional<CCellRef>> newUrlCell;
    if (version >= kUrlCellSince) {
        const size_t at = in.Offset();
        const int32_t index = in.ReadI32(kSection);
        if (index == kNoCell) {
            newUrlCell.emplace();
        } else {
            std::optional<CCellRef> cell =
                index < 0 ? std::nullopt : table.GetCellAt(static_cast<size_t>(index));
            if (!cell)
                throw ModelError(std::string(kSection) + ": URL cell " + std::to_string(index) +
                                 " at offset " + std::to_string(at) + " is not in the variable table (" +
                                 std::to_string(table.GetCellCount()) + " cells)");
            newUrlCell.emplace(std::move(cell));
        }
    }

    struct Collaboration {
        bool enabled;
        std::string gateway;
        ConnectionMethod method;
        std::string password;
        bool realTime;
    };
    std::optional<Collaboration> newCollaboration;
    if (version >= kCollaborationSince) {
        Collaboration c;
        c.enabled = in.ReadU8(kSection) != 0;
        c.gateway = in.ReadString(kSection);
        c.method = static_cast<ConnectionMethod>(in.ReadI32(kSection));
        c.password = in.ReadString(kSection);
        c.realTime = in.ReadU8(kSection) != 0;
        newCollaboration = std::move(c);
    }

    url = std::move(newUrl);
    excelFile = std::move(newExcelFile);
    refreshSeconds = newSeconds;
    refresh = newRefresh;
    edited = newEdited;
    sampleQuery = newSampleQuery;
    mode = newMode;
    if (newUrlCell)
        SetUrlCell(std::move(*newUrlCell));
    if (newCollaboration) {
        collaboration = newCollaboration->enabled;
        gatewayUrl = std::move(newCollaboration->gateway);
        connectionMethod = newCollaboration->method;
        password = std::move(newCollaboration->password);
        realTimeCollaboration = newCollaboration->realTime;
    }
}

void CExportSettings::Save(base::RecordWriter& out) const
{
    out.WriteU32(kVersion);
    out.WriteString(url);
    out.WriteString(excelFile);
    out.WriteI32(refreshSeconds);
    out.WriteU8(refresh ? 1 : 0);
    out.WriteU8(edited ? 1 : 0);
    out.WriteU8(sampleQuery ? 1 : 0);
    out.WriteI32(static_cast<int32_t>(mode));
    out.WriteI32(urlCell_ ? urlCell_->id : kNoCell);
    out.WriteU8(collaboration ? 1 : 0);
    out.WriteString(gatewayUrl);
    out.WriteI32(static_cast<int32_t>(connectionMethod));
    out.WriteString(password);
    out.WriteU8(realTimeCollaboration ? 1 : 0);
}
