#include "pages/ExternalFileImport.h"

#include "model/Parameter.h"
#include "model/ParameterSet.h"
#include "model/Trace.h"
#include "platform/dialogs/MessageBox.h"
#include "publish/TempFiles.h"
#include "swf/SwfError.h"
#include "swf/SwfFileInfo.h"
#include "swf/SwfJpeg.h"

#include <filesystem>
#include <fstream>
#include <system_error>

namespace pages {

namespace {

namespace fs = std::filesystem;

const char* const kOursWarning = "This .swf file appears to have been created by Vantorel, and as such cannot be "
                                 "marked as embedded\nYou will still be able to use it as non-embedded";
const char* const kSwfTip = "Tip: More than three active swfs on the canvas can slow the application.  For optimal "
                            "performance, we recommend you use the Object Browser to deactivate non-required SWFs.";
const char* const kJpegError = "Error reading jpg file";
const char* const kUnsupported = "Vantorel supports importing of jpegs and Macromedia Flash (SWF) files";
const char* const kSwfUnreadable = "This .swf file cannot be read: it is damaged or not a Flash movie";
const char* const kSwfTooNew = "Vantorel supports importing of Macromedia Flash (SWF) files of version 6 or older";

void SetString(CParameterSet& set, const char* key, const std::string& value)
{
    if (CParameter* p = set.FindParameter(key))
        p->SetString(value, true);
}
void SetNumber(CParameterSet& set, const char* key, double value)
{
    if (CParameter* p = set.FindParameter(key)) {
        // Sizes may be stored as integers or numbers; keep the type the component gave them.
        if (p->GetType() == model::ParamType::Integer)
            p->SetInt(static_cast<std::int32_t>(value));
        else
            p->SetDouble(value, true);
    }
}

bool StartsWithJpegMarker(const std::string& path, bool& opened)
{
    std::ifstream in(path, std::ios::binary);
    opened = static_cast<bool>(in);
    unsigned char magic[2] = {0, 0};
    if (opened)
        in.read(reinterpret_cast<char*>(magic), 2);
    return opened && in.gcount() == 2 && magic[0] == 0xFF && magic[1] == 0xD8;
}

void CountSwfImport(SwfImportTip& tip, CWnd* owner)
{
    if (!tip.pending)
        return;
    if (tip.count < 3) {
        ++tip.count;
        return;
    }
    ShowMessageBox(owner, kSwfTip, "Warning", MB_OK | MB_ICONINFORMATION);
    tip.pending = false;
}

// The movie's facts go into the group only once it has been read as a movie we can place.
bool ImportSwf(const std::string& path, const fs::path& copy, CParameterSet& set, SwfImportTip& tip, CWnd* owner,
               ExternalFileImportResult& result)
{
    std::error_code error;
    fs::copy_file(path, copy, fs::copy_options::overwrite_existing, error);
    if (error) {
        Trace("Problem importing asset");
        return false;
    }
    CSwfFileInfo info;
    try {
        info.LoadFile(copy);
    } catch (const swf::SwfError&) {
        ShowMessageBox(owner, kSwfUnreadable, "Error", MB_OK | MB_ICONSTOP);
        return false;
    }
    if (info.GetVersion() > kNewestImportableSwfVersion) {
        ShowMessageBox(owner, kSwfTooNew, "Error", MB_OK | MB_ICONSTOP);
        return false;
    }
    SetString(set, "bgType", "swf");
    if (CParameter* colour = set.FindParameter("bgColor"))
        colour->SetColor(info.GetBackgroundColor(), true);
    const CSwfRect& frame = info.GetFrameRect();
    SetNumber(set, "bgWidth", (static_cast<double>(frame.xmax) - frame.xmin + 1) * 0.05);
    SetNumber(set, "bgHeight", (static_cast<double>(frame.ymax) - frame.ymin + 1) * 0.05);
    if (info.HasMarker()) {
        ShowMessageBox(owner, kOursWarning, "Warning", MB_OK | MB_ICONEXCLAMATION);
        if (CParameter* embed = set.FindParameter("embed"))
            embed->SetBool(false, true);
        result.ours = true;
    }
    CountSwfImport(tip, owner);
    return true;
}

bool ImportJpeg(const std::string& path, const fs::path& copy, CParameterSet& set, CWnd* owner)
{
    bool opened = false;
    // A picture that cannot be read is refused: an empty copy would show nothing on the stage
    // and publish a broken picture, while the page would claim the import worked.
    if (!StartsWithJpegMarker(path, opened) || !ConvertJpegToBaseline(path, copy)) {
        ShowMessageBox(owner, kJpegError, "Error", MB_OK | MB_ICONSTOP);
        return false;
    }
    SetString(set, "bgType", "jpg");
    return true;
}

} // namespace

ExternalFileImportResult ImportExternalFile(const std::string& path, CParameterSet& externalFile,
                                            publish::ITempFileMaker& temporaries, SwfImportTip& tip, CWnd* owner)
{
    ExternalFileImportResult result;
    const std::size_t dot = path.rfind('.');
    const std::string extension = dot == std::string::npos ? std::string() : path.substr(dot + 1);
    const bool swf = extension == "swf";
    if (!swf && extension != "jpg" && extension != "JPG") {
        ShowMessageBox(owner, kUnsupported, "Error", MB_OK | MB_ICONSTOP);
        return result;
    }
    const fs::path copy = temporaries.Create("kv", "");
    if (copy.empty()) {
        ShowMessageBox(owner, "The file cannot be imported: " + temporaries.LastError(), "Error", MB_OK | MB_ICONSTOP);
        return result;
    }
    const bool imported = swf ? ImportSwf(path, copy, externalFile, tip, owner, result)
                              : ImportJpeg(path, copy, externalFile, owner);
    if (!imported) {
        temporaries.Discard(copy);
        result.ours = false;
        return result;
    }
    SetString(externalFile, "fileName", copy.string());
    result.imported = true;
    return result;
}

} // namespace pages
