#pragma once

#include "tests/support/TestSupport.h"

#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include <zip.h>

// Small packages assembled in the test itself, for what a spreadsheet program does not write
// on request (shared formulas, protection, broken parts).
namespace xlsxtest {

using Parts = std::vector<std::pair<std::string, std::string>>;

// With a password, every entry is encrypted the way zip tools do it (workbooks never are).
inline std::vector<std::uint8_t> Zip(const Parts& parts, bool store = false, const char* password = nullptr)
{
    testsupport::TempDir dir;
    std::string path = (dir / "p.zip").string();
    int error = 0;
    zip_t* archive = zip_open(path.c_str(), ZIP_CREATE | ZIP_TRUNCATE, &error);
    for (const auto& [name, data] : parts) {
        zip_source_t* source = zip_source_buffer(archive, data.data(), data.size(), 0);
        zip_int64_t index = zip_file_add(archive, name.c_str(), source, ZIP_FL_OVERWRITE);
        if (store)
            zip_set_file_compression(archive, static_cast<zip_uint64_t>(index), ZIP_CM_STORE, 0);
        if (password)
            zip_file_set_encryption(archive, static_cast<zip_uint64_t>(index), ZIP_EM_TRAD_PKWARE, password);
    }
    zip_close(archive);
    return testsupport::ReadBytes(path);
}

inline const char* kRootRels =
    R"(<?xml version="1.0"?><Relationships xmlns="http://schemas.openxmlformats.org/package/2006/relationships">)"
    R"(<Relationship Id="r1" Type="http://schemas.openxmlformats.org/officeDocument/2006/relationships/officeDocument" Target="xl/workbook.xml"/></Relationships>)";

inline std::string WorkbookRels(int sheets, bool sharedStrings = false, bool styles = false,
                                bool chain = false)
{
    std::string s =
        R"(<?xml version="1.0"?><Relationships xmlns="http://schemas.openxmlformats.org/package/2006/relationships">)";
    for (int i = 1; i <= sheets; ++i)
        s += "<Relationship Id=\"rId" + std::to_string(i) +
             "\" Type=\"http://schemas.openxmlformats.org/officeDocument/2006/relationships/worksheet\" "
             "Target=\"worksheets/sheet" +
             std::to_string(i) + ".xml\"/>";
    if (sharedStrings)
        s +=
            R"(<Relationship Id="rS" Type="http://schemas.openxmlformats.org/officeDocument/2006/relationships/sharedStrings" Target="sharedStrings.xml"/>)";
    if (styles)
        s +=
            R"(<Relationship Id="rT" Type="http://schemas.openxmlformats.org/officeDocument/2006/relationships/styles" Target="/xl/styles.xml"/>)";
    if (chain)
        s +=
            R"(<Relationship Id="rC" Type="http://schemas.openxmlformats.org/officeDocument/2006/relationships/calcChain" Target="calcChain.xml"/>)";
    return s + "</Relationships>";
}

inline std::string WorkbookXml(const std::vector<std::string>& sheetNames, const std::string& extra = "")
{
    std::string s =
        R"(<?xml version="1.0" encoding="UTF-8" standalone="yes"?>)"
        R"(<workbook xmlns="http://schemas.openxmlformats.org/spreadsheetml/2006/main" )"
        R"(xmlns:r="http://schemas.openxmlformats.org/officeDocument/2006/relationships"><sheets>)";
    for (std::size_t i = 0; i < sheetNames.size(); ++i)
        s += "<sheet name=\"" + sheetNames[i] + "\" sheetId=\"" + std::to_string(i + 1) + "\" r:id=\"rId" +
             std::to_string(i + 1) + "\"/>";
    return s + "</sheets>" + extra + "</workbook>";
}

inline std::string SheetXml(const std::string& sheetData, const std::string& before = "",
                            const std::string& after = "")
{
    return R"(<?xml version="1.0" encoding="UTF-8" standalone="yes"?>)"
           R"(<worksheet xmlns="http://schemas.openxmlformats.org/spreadsheetml/2006/main">)" +
           before + "<sheetData>" + sheetData + "</sheetData>" + after + "</worksheet>";
}

// A one-sheet workbook around the given sheet XML.
inline std::vector<std::uint8_t> OneSheet(const std::string& sheetXml, const Parts& more = {})
{
    Parts parts = {{"_rels/.rels", kRootRels},
                   {"xl/workbook.xml", WorkbookXml({"S"})},
                   {"xl/_rels/workbook.xml.rels", WorkbookRels(1, true, true)},
                   {"xl/worksheets/sheet1.xml", sheetXml}};
    parts.insert(parts.end(), more.begin(), more.end());
    return Zip(parts);
}

inline std::filesystem::path WorkbookData(const std::string& name)
{
    return testsupport::SourceDir() / "tests" / "data" / "workbooks" / name;
}

} // namespace xlsxtest
