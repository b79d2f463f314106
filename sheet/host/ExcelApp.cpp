#include "sheet/host/ExcelApp.h"

#include "sheet/AsciiCase.h"
#include "sheet/cells/CellValueMap.h"
#include "sheet/host/SameFile.h"
#include "sheet/cells/VariableTable.h"
#include "sheet/workbook/WorkbookError.h"
#include "sheet/workbook/XlsxAddress.h"
#include "sheet/workbook/XlsxPackage.h"
#include "sheet/workbook/XlsxReader.h"

#include <cstdint>
#include <set>
#include <unordered_map>

using namespace sheet;

struct CExcelApp::OpenWorkbookState {
    std::string path;
    std::vector<std::uint8_t> bytes;
    xlsx::Workbook workbook;
    // Sheets by upper-cased name: reading back or writing thousands of cells of a workbook
    // of thousands of sheets must not scan the sheets for each.
    std::unordered_map<std::string, const xlsx::Sheet*> sheetByName;
    std::vector<xlsx::CellWrite> pending;

    // Reads the workbook from its bytes and indexes its sheets, so the index never outlives
    // the sheets it points into; throws with the state unchanged.
    void Read(std::vector<std::uint8_t> newBytes)
    {
        xlsx::Workbook read = xlsx::ReadWorkbook(newBytes);
        bytes = std::move(newBytes);
        workbook = std::move(read);
        sheetByName.clear();
        for (const auto& sheet : workbook.sheets)
            sheetByName.emplace(UpperAscii(sheet.name), &sheet);
    }

    const xlsx::Sheet* FindSheet(const std::string& name) const
    {
        auto it = sheetByName.find(UpperAscii(name));
        return it == sheetByName.end() ? nullptr : it->second;
    }
};

CExcelApp::CExcelApp() = default;

CExcelApp::CExcelApp(const std::string& workbookPath)
{
    OpenWorkbook(workbookPath);
}

CExcelApp::~CExcelApp() = default;

void CExcelApp::OpenWorkbook(const std::string& path)
{
    auto state = std::make_unique<OpenWorkbookState>();
    state->path = path;
    state->Read(xlsx::Package::ReadFile(path));
    open_.push_back(std::move(state));
    active_ = open_.back().get();
}

CExcelApp::OpenWorkbookState& CExcelApp::Active() const
{
    if (!active_)
        throw WorkbookError("No workbook is open");
    return *active_;
}

const xlsx::Workbook& CExcelApp::GetWorkbook() const
{
    return Active().workbook;
}

const std::string& CExcelApp::GetActivePath() const
{
    return Active().path;
}

bool CExcelApp::CheckSheetNames(const CVariableTable& table) const
{
    const OpenWorkbookState& workbookState = Active();
    std::set<std::string> sheets;
    for (std::size_t i = 0; i < table.GetCellCount(); ++i)
        if (auto cell = table.GetCellAt(i))
            sheets.insert(cell->sheet);
    for (const auto& name : sheets)
        if (!workbookState.FindSheet(name))
            return true;
    return false;
}

void CExcelApp::ImportWorkbook(const CVariableTable& table, const CCellModel&, CCellValueMap& values) const
{
    const OpenWorkbookState& workbookState = Active();
    std::vector<int32_t> ids;
    for (const auto& [id, record] : values)
        if (record.mark)
            ids.push_back(id);
    for (int32_t id : ids) {
        CCellValueRecord* record = values.Lookup(id);
        std::optional<xlsx::QualifiedCell> place;
        if (auto cell = table.GetCellAt(static_cast<std::size_t>(id)))
            place = xlsx::QualifiedCell{
                cell->sheet,
                {static_cast<std::uint32_t>(cell->row - 1), static_cast<std::uint32_t>(cell->column - 1)}};
        else
            place = xlsx::ParseQualifiedCell(record->GetA1Text());
        const xlsx::Cell* found = nullptr;
        if (place)
            if (const xlsx::Sheet* sheet = workbookState.FindSheet(place->sheet))
                found = sheet->FindCell(place->cell.row, place->cell.column);
        std::unique_ptr<CModelVariable> value;
        if (!found || found->type == CellType::Empty)
            value = std::make_unique<CModelVariable>(ModelKind::NoValue);
        else if (found->type == CellType::Number)
            value = CModelVariable::MakeNumber(found->number);
        else if (found->type == CellType::Boolean)
            value = CModelVariable::MakeBoolean(found->number != 0);
        else
            value = CModelVariable::CModelVariableFromText(found->text);
        record->SetValue(std::move(value));
    }
}

void CExcelApp::WriteModel(const CCellValueMap& values)
{
    std::vector<xlsx::CellWrite> writes;
    for (const auto& [id, record] : values) {
        if (!record.exportFlag)
            continue;
        auto place = xlsx::ParseQualifiedCell(record.GetA1Text());
        if (!place)
            throw WorkbookError("Cannot write the value of " + record.GetVariableName() + ": \"" +
                                record.GetA1Text() + "\" is not a cell");
        xlsx::CellWrite write{place->sheet, place->cell, {}};
        if (const CModelVariable* value = record.GetValue()) {
            switch (value->GetKind()) {
            case ModelKind::Number:
            case ModelKind::Integer:
                write.value = xlsx::CellValue::Number(value->GetNumber());
                break;
            case ModelKind::Boolean:
                write.value = xlsx::CellValue::Boolean(value->GetBoolean());
                break;
            case ModelKind::String:
                write.value = xlsx::CellValue::Text(value->GetText());
                break;
            default:
                break; // no value: the cell is emptied
            }
        }
        writes.push_back(std::move(write));
    }
    WriteCells(writes);
}

void CExcelApp::WriteCells(const std::vector<xlsx::CellWrite>& writes)
{
    OpenWorkbookState& workbookState = Active();
    // Refuse a write to a sheet the workbook lacks now rather than at the save.
    for (const auto& write : writes)
        if (!workbookState.FindSheet(write.sheet))
            throw WorkbookError("Cannot write cell " + xlsx::FormatQualifiedCell(write.sheet, write.cell) +
                                ": the workbook has no such sheet");
    workbookState.pending.insert(workbookState.pending.end(), writes.begin(), writes.end());
}

void CExcelApp::SaveTo(const std::string& path)
{
    OpenWorkbookState& workbookState = Active();
    for (const auto& kept : protected_)
        if (IsSameFile(kept, path))
            throw WorkbookError("Please select a different file.  Cannot write to import file.");
    xlsx::WritePackage(workbookState.bytes, path, workbookState.pending);
    // Continue from what is now on disk, as the program does after a save.
    workbookState.Read(xlsx::Package::ReadFile(path));
    workbookState.pending.clear();
    workbookState.path = path;
}

void CExcelApp::SaveWorkbookAs(const std::string& path)
{
    SaveTo(path);
}

void CExcelApp::SaveWorkbook()
{
    SaveTo(Active().path);
}

void CExcelApp::CloseAllAndQuit()
{
    open_.clear();
    active_ = nullptr;
}
