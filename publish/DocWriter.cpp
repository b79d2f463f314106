#include "publish/DocWriter.h"

#include "model/ComponentCatalog.h"
#include "model/ModelHooks.h"
#include "model/PropertyMap.h"
#include "publish/BaseMovie.h"
#include "publish/DocFile.h"
#include "publish/ExportSettings.h"

#include <stdexcept>
#include <string>

namespace publish {

namespace {

void WriteCounters(base::RecordWriter& out)
{
    WriteInstanceCounter(out);
    if (const CComponentCatalog* catalog = GetComponentCatalog()) {
        catalog->SaveCounters(out);
    } else {
        out.WriteU32(0);
    }
}

void WriteComponents(base::RecordWriter& out, const CDocData& doc)
{
    out.WriteU32(static_cast<std::uint32_t>(doc.GetInstanceCount()));
    for (std::size_t i = 0; i < doc.GetInstanceCount(); ++i) {
        WriteComponentToFile(out, *doc.GetInstance(i));
    }
    out.WriteU32(static_cast<std::uint32_t>(doc.GetComponentCount()));
    for (std::size_t i = 0; i < doc.GetComponentCount(); ++i) {
        docfile::WriteObjectRecord(out, *doc.GetComponent(i));
    }
}

void WriteCanvas(base::RecordWriter& out, const CDocData& doc)
{
    std::int32_t width = 0;
    std::int32_t height = 0;
    doc.GetStageSize(width, height);
    out.WriteI32(width);
    out.WriteI32(height);
    out.WriteBytes(doc.GetPaperColor().data(), doc.GetPaperColor().size());
    out.WriteString(doc.GetDescription());
}

void WriteEmbeddedFiles(base::RecordWriter& out, const std::vector<EmbeddedFileData>& files)
{
    out.WriteU32(static_cast<std::uint32_t>(files.size()));
    for (const EmbeddedFileData& file : files) {
        out.WriteString(file.name);
        docfile::WriteData(out, file.bytes);
    }
}

} // namespace

std::vector<unsigned char> WriteDocumentFile(const DocFileContent& content)
{
    const CDocData& doc = *content.doc;
    CBaseMovie& base = *content.base;
    base::RecordWriter out;
    docfile::WriteVersion(out, content.version);
    out.WriteU32(content.catalogVariant);
    WriteCounters(out);
    base.SaveModel(out);
    WriteComponents(out, doc);
    // The reader refuses a document whose links bind more cells than this together.
    if (out.Charged() > model::kMaxBindingCells) {
        throw std::runtime_error("its components are linked to " + std::to_string(out.Charged()) +
                                 " cells together, more than the " + std::to_string(model::kMaxBindingCells) +
                                 " a document can be opened again with; link smaller ranges");
    }
    docfile::WriteData(out, content.workbook);
    WriteCanvas(out, doc);
    WriteEmbeddedFiles(out, content.files);
    if (!content.optionalSections) {
        return out.Take();
    }
    out.WriteString(doc.GetFileName());
    docfile::WriteRangeEntries(out, base.GetRangeEntries());
    base.GetExportSettings().Save(out);
    if (content.customColors) {
        SaveCustomColors(out, *content.customColors);
    } else {
        CPropertyMap().Save(out);
    }
    return out.Take();
}

} // namespace publish
