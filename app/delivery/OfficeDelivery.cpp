#include "app/delivery/OfficeDelivery.h"

#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <sstream>
#include <zlib.h>

#include "app/delivery/HtmlExport.h"
#include "model/FileBytes.h"
#include "platform/services/ObjectFactory.h"

extern char** environ;

namespace {

void Put16(std::vector<std::uint8_t>& out, std::uint32_t v)
{
    out.push_back(static_cast<std::uint8_t>(v));
    out.push_back(static_cast<std::uint8_t>(v >> 8));
}
void Put32(std::vector<std::uint8_t>& out, std::uint32_t v)
{
    Put16(out, v & 0xFFFF);
    Put16(out, v >> 16);
}

constexpr const char* kXmlHead = "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>\n";
constexpr const char* kNs = "xmlns:a=\"http://schemas.openxmlformats.org/drawingml/2006/main\" "
                            "xmlns:r=\"http://schemas.openxmlformats.org/officeDocument/2006/relationships\" "
                            "xmlns:p=\"http://schemas.openxmlformats.org/presentationml/2006/main\"";
constexpr const char* kRelNs = "http://schemas.openxmlformats.org/officeDocument/2006/relationships/";
// Our own relationship from the control to the movie it keeps: the package carries the movie
// whatever the control's storage holds.
constexpr const char* kMovieRelType = "http://vantorel.invalid/relationships/movie";
constexpr const char* kEmptyTree =
    "<p:nvGrpSpPr><p:cNvPr id=\"1\" name=\"\"/><p:cNvGrpSpPr/><p:nvPr/></p:nvGrpSpPr>"
    "<p:grpSpPr><a:xfrm><a:off x=\"0\" y=\"0\"/><a:ext cx=\"0\" cy=\"0\"/><a:chOff x=\"0\" y=\"0\"/>"
    "<a:chExt cx=\"0\" cy=\"0\"/></a:xfrm></p:grpSpPr>";

std::string Rels(const std::vector<std::pair<std::string, std::string>>& targets)
{
    std::string text = std::string(kXmlHead) +
                       "<Relationships xmlns=\"http://schemas.openxmlformats.org/package/2006/relationships\">";
    int id = 1;
    for (const auto& [type, target] : targets) {
        const std::string full = type.find("://") == std::string::npos ? kRelNs + type : type;
        // A hyperlink leads out of the package, to a file beside it.
        const char* mode = type == "hyperlink" ? "\" TargetMode=\"External" : "";
        text += "<Relationship Id=\"rId" + std::to_string(id++) + "\" Type=\"" + full + "\" Target=\"" +
                HtmlEscape(target) + mode + "\"/>";
    }
    return text + "</Relationships>";
}

std::string Theme()
{
    std::string colours;
    const char* names[] = {"dk1", "lt1", "dk2", "lt2", "accent1", "accent2", "accent3", "accent4",
                           "accent5", "accent6", "hlink", "folHlink"};
    const char* values[] = {"000000", "FFFFFF", "1F497D", "EEECE1", "4F81BD", "C0504D",
                            "9BBB59", "8064A2", "4BACC6", "F79646", "0000FF", "800080"};
    for (int i = 0; i < 12; ++i)
        colours += std::string("<a:") + names[i] + "><a:srgbClr val=\"" + values[i] + "\"/></a:" + names[i] + ">";
    const std::string fill = "<a:solidFill><a:schemeClr val=\"phClr\"/></a:solidFill>";
    const std::string line = "<a:ln w=\"9525\">" + fill + "</a:ln>";
    const std::string effect = "<a:effectStyle><a:effectLst/></a:effectStyle>";
    return std::string(kXmlHead) +
           "<a:theme xmlns:a=\"http://schemas.openxmlformats.org/drawingml/2006/main\" name=\"Vantorel\">"
           "<a:themeElements><a:clrScheme name=\"Vantorel\">" + colours + "</a:clrScheme>"
           "<a:fontScheme name=\"Vantorel\"><a:majorFont><a:latin typeface=\"Verdana\"/><a:ea typeface=\"\"/>"
           "<a:cs typeface=\"\"/></a:majorFont><a:minorFont><a:latin typeface=\"Verdana\"/><a:ea typeface=\"\"/>"
           "<a:cs typeface=\"\"/></a:minorFont></a:fontScheme>"
           "<a:fmtScheme name=\"Vantorel\"><a:fillStyleLst>" + fill + fill + fill + "</a:fillStyleLst>"
           "<a:lnStyleLst>" + line + line + line + "</a:lnStyleLst>"
           "<a:effectStyleLst>" + effect + effect + effect + "</a:effectStyleLst>"
           "<a:bgFillStyleLst>" + fill + fill + fill + "</a:bgFillStyleLst></a:fmtScheme>"
           "</a:themeElements></a:theme>";
}

bool OnPath(const std::string& program)
{
    const char* path = std::getenv("PATH");
    std::stringstream folders(path != nullptr ? path : "");
    std::string folder;
    while (std::getline(folders, folder, ':')) {
        if (!folder.empty() && access((folder + "/" + program).c_str(), X_OK) == 0)
            return true;
    }
    return false;
}

std::string Base64Lines(const std::vector<std::uint8_t>& bytes)
{
    static const char* digits = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
    std::string out;
    std::size_t column = 0;
    for (std::size_t i = 0; i < bytes.size(); i += 3) {
        const std::uint32_t n = (std::uint32_t(bytes[i]) << 16) | (i + 1 < bytes.size() ? bytes[i + 1] << 8 : 0) |
                                (i + 2 < bytes.size() ? bytes[i + 2] : 0);
        out += digits[(n >> 18) & 63];
        out += digits[(n >> 12) & 63];
        out += i + 1 < bytes.size() ? digits[(n >> 6) & 63] : '=';
        out += i + 2 < bytes.size() ? digits[n & 63] : '=';
        if ((column += 4) == 76) {
            out += "\r\n";
            column = 0;
        }
    }
    if (column != 0)
        out += "\r\n";
    return out;
}

// The office programs' start-up objects: both report the edition the office check asks for.
class COfficeObject final : public IAutomationObject {
public:
    std::optional<AutomationValue> GetProperty(const std::string& name) override
    {
        if (name == "Version")
            return AutomationValue(std::string("9.0"));
        return std::nullopt;
    }
    std::optional<AutomationValue> Invoke(const std::string& name, const std::vector<AutomationValue>&) override
    {
        // Presentations start from our own package, so there is always one to open.
        if (name == "Presentations.Open")
            return AutomationValue(true);
        return std::nullopt;
    }
};

} // namespace

std::vector<std::uint8_t> MakeStoredZip(const std::vector<std::pair<std::string, std::string>>& parts)
{
    std::vector<std::uint8_t> out;
    std::vector<std::uint8_t> directory;
    for (const auto& [name, data] : parts) {
        const std::uint32_t crc =
            crc32(0L, reinterpret_cast<const Bytef*>(data.data()), static_cast<uInt>(data.size()));
        const auto offset = static_cast<std::uint32_t>(out.size());
        const auto size = static_cast<std::uint32_t>(data.size());
        Put32(out, 0x04034b50);
        Put16(out, 20);     // version needed
        Put16(out, 0);      // flags
        Put16(out, 0);      // stored
        Put16(out, 0);      // time
        Put16(out, 0x21);   // date: 1980-01-01
        Put32(out, crc);
        Put32(out, size);
        Put32(out, size);
        Put16(out, static_cast<std::uint32_t>(name.size()));
        Put16(out, 0);
        out.insert(out.end(), name.begin(), name.end());
        out.insert(out.end(), data.begin(), data.end());

        Put32(directory, 0x02014b50);
        Put16(directory, 20); // made by
        Put16(directory, 20);
        Put16(directory, 0);
        Put16(directory, 0);
        Put16(directory, 0);
        Put16(directory, 0x21);
        Put32(directory, crc);
        Put32(directory, size);
        Put32(directory, size);
        Put16(directory, static_cast<std::uint32_t>(name.size()));
        Put16(directory, 0); // extra
        Put16(directory, 0); // comment
        Put16(directory, 0); // disk
        Put16(directory, 0); // internal attributes
        Put32(directory, 0); // external attributes
        Put32(directory, offset);
        directory.insert(directory.end(), name.begin(), name.end());
    }
    const auto directoryOffset = static_cast<std::uint32_t>(out.size());
    out.insert(out.end(), directory.begin(), directory.end());
    Put32(out, 0x06054b50);
    Put16(out, 0);
    Put16(out, 0);
    Put16(out, static_cast<std::uint32_t>(parts.size()));
    Put16(out, static_cast<std::uint32_t>(parts.size()));
    Put32(out, static_cast<std::uint32_t>(directory.size()));
    Put32(out, directoryOffset);
    Put16(out, 0);
    return out;
}

void CPowerPointExport::Start(const std::string& templatePath)
{
    m_templatePath = templatePath;
}

std::vector<std::uint8_t> CPowerPointExport::MakePresentation(const std::string& movieReference,
                                                              const std::vector<std::uint8_t>& movie, int width,
                                                              int height, const SlideFace& face)
{
    // A 4:3 slide of 10 x 7.5 inches; the control keeps the movie's size (at 96 pixels to the
    // inch), centred, shrunk to fit.
    constexpr long long kSlideW = 9144000, kSlideH = 6858000, kEmuPerPixel = 9525;
    long long cx = std::max(1, width) * kEmuPerPixel, cy = std::max(1, height) * kEmuPerPixel;
    if (cx > kSlideW || cy > kSlideH) {
        const double f = std::min(double(kSlideW) / cx, double(kSlideH) / cy);
        cx = static_cast<long long>(cx * f);
        cy = static_cast<long long>(cy * f);
    }
    const std::string x = std::to_string((kSlideW - cx) / 2), y = std::to_string((kSlideH - cy) / 2);
    const std::string ext = "<a:ext cx=\"" + std::to_string(cx) + "\" cy=\"" + std::to_string(cy) + "\"/>";

    std::vector<std::pair<std::string, std::string>> parts;
    parts.emplace_back(
        "[Content_Types].xml",
        std::string(kXmlHead) +
            "<Types xmlns=\"http://schemas.openxmlformats.org/package/2006/content-types\">"
            "<Default Extension=\"rels\" ContentType=\"application/vnd.openxmlformats-package.relationships+xml\"/>"
            "<Default Extension=\"xml\" ContentType=\"application/xml\"/>"
            "<Default Extension=\"swf\" ContentType=\"application/x-shockwave-flash\"/>"
            "<Default Extension=\"png\" ContentType=\"image/png\"/>"
            "<Override PartName=\"/ppt/presentation.xml\" ContentType=\"application/"
            "vnd.openxmlformats-officedocument.presentationml.presentation.main+xml\"/>"
            "<Override PartName=\"/ppt/slideMasters/slideMaster1.xml\" ContentType=\"application/"
            "vnd.openxmlformats-officedocument.presentationml.slideMaster+xml\"/>"
            "<Override PartName=\"/ppt/slideLayouts/slideLayout1.xml\" ContentType=\"application/"
            "vnd.openxmlformats-officedocument.presentationml.slideLayout+xml\"/>"
            "<Override PartName=\"/ppt/slides/slide1.xml\" ContentType=\"application/"
            "vnd.openxmlformats-officedocument.presentationml.slide+xml\"/>"
            "<Override PartName=\"/ppt/theme/theme1.xml\" ContentType=\"application/"
            "vnd.openxmlformats-officedocument.theme+xml\"/>"
            "<Override PartName=\"/ppt/activeX/activeX1.xml\" ContentType=\"application/vnd.ms-office.activeX+xml\"/>"
            "</Types>");
    parts.emplace_back("_rels/.rels", Rels({{"officeDocument", "ppt/presentation.xml"}}));
    parts.emplace_back("ppt/presentation.xml",
                       std::string(kXmlHead) + "<p:presentation " + kNs +
                           "><p:sldMasterIdLst><p:sldMasterId id=\"2147483648\" r:id=\"rId1\"/></p:sldMasterIdLst>"
                           "<p:sldIdLst><p:sldId id=\"256\" r:id=\"rId2\"/></p:sldIdLst>"
                           "<p:sldSz cx=\"9144000\" cy=\"6858000\" type=\"screen4x3\"/>"
                           "<p:notesSz cx=\"6858000\" cy=\"9144000\"/></p:presentation>");
    parts.emplace_back("ppt/_rels/presentation.xml.rels",
                       Rels({{"slideMaster", "slideMasters/slideMaster1.xml"},
                             {"slide", "slides/slide1.xml"},
                             {"theme", "theme/theme1.xml"}}));
    parts.emplace_back(
        "ppt/slideMasters/slideMaster1.xml",
        std::string(kXmlHead) + "<p:sldMaster " + kNs + "><p:cSld><p:spTree>" + kEmptyTree +
            "</p:spTree></p:cSld><p:clrMap bg1=\"lt1\" tx1=\"dk1\" bg2=\"lt2\" tx2=\"dk2\" accent1=\"accent1\" "
            "accent2=\"accent2\" accent3=\"accent3\" accent4=\"accent4\" accent5=\"accent5\" accent6=\"accent6\" "
            "hlink=\"hlink\" folHlink=\"folHlink\"/><p:sldLayoutIdLst><p:sldLayoutId id=\"2147483649\" "
            "r:id=\"rId1\"/></p:sldLayoutIdLst></p:sldMaster>");
    parts.emplace_back("ppt/slideMasters/_rels/slideMaster1.xml.rels",
                       Rels({{"slideLayout", "../slideLayouts/slideLayout1.xml"}, {"theme", "../theme/theme1.xml"}}));
    parts.emplace_back("ppt/slideLayouts/slideLayout1.xml",
                       std::string(kXmlHead) + "<p:sldLayout " + kNs +
                           " type=\"blank\" preserve=\"1\"><p:cSld name=\"Blank\"><p:spTree>" + kEmptyTree +
                           "</p:spTree></p:cSld><p:clrMapOvr><a:masterClrMapping/></p:clrMapOvr></p:sldLayout>");
    parts.emplace_back("ppt/slideLayouts/_rels/slideLayout1.xml.rels",
                       Rels({{"slideMaster", "../slideMasters/slideMaster1.xml"}}));
    parts.emplace_back("ppt/theme/theme1.xml", Theme());
    // Under the control, what the slide shows where nothing runs it: the movie's picture at the
    // control's place, or without one the movie's name; either opens the movie beside the
    // presentation. The control shows the same picture until it plays.
    std::vector<std::pair<std::string, std::string>> slideRels = {{"slideLayout", "../slideLayouts/slideLayout1.xml"},
                                                                  {"control", "../activeX/activeX1.xml"}};
    const bool pictured = !face.picture.empty();
    const std::string picture = pictured ? "rId" + std::to_string(slideRels.size() + 1) : std::string();
    if (pictured) {
        slideRels.emplace_back("image", "../media/image1.png");
        parts.emplace_back("ppt/media/image1.png", std::string(face.picture.begin(), face.picture.end()));
    }
    std::string click;
    if (!face.link.empty()) {
        slideRels.emplace_back("hyperlink", UrlEncodeName(face.link));
        click = "<a:hlinkClick r:id=\"rId" + std::to_string(slideRels.size()) + "\"/>";
    }
    const std::string place = "<a:xfrm><a:off x=\"" + x + "\" y=\"" + y + "\"/>" + ext + "</a:xfrm>";
    const std::string fill = "<p:blipFill>" + (pictured ? "<a:blip r:embed=\"" + picture + "\"/>" : std::string()) +
                             "<a:stretch><a:fillRect/></a:stretch></p:blipFill>";
    std::string shown;
    if (pictured) {
        shown = "<p:pic><p:nvPicPr><p:cNvPr id=\"3\" name=\"Dashboard\" descr=\"" + HtmlEscape(face.link) + "\">" +
                click + "</p:cNvPr><p:cNvPicPr><a:picLocks noChangeAspect=\"1\"/></p:cNvPicPr><p:nvPr/></p:nvPicPr>" +
                fill + "<p:spPr>" + place + "<a:prstGeom prst=\"rect\"><a:avLst/></a:prstGeom></p:spPr></p:pic>";
    } else if (!face.link.empty()) {
        const std::string run = "<a:r><a:rPr lang=\"en-US\" sz=\"1800\">" + click + "</a:rPr><a:t>" +
                                HtmlEscape(face.link) + "</a:t></a:r>";
        shown = "<p:sp><p:nvSpPr><p:cNvPr id=\"3\" name=\"Dashboard\"/><p:cNvSpPr txBox=\"1\"/><p:nvPr/></p:nvSpPr>"
                "<p:spPr>" + place + "<a:prstGeom prst=\"rect\"><a:avLst/></a:prstGeom></p:spPr>"
                "<p:txBody><a:bodyPr anchor=\"ctr\"/><a:lstStyle/><a:p><a:pPr algn=\"ctr\"/>" + run +
                "</a:p></p:txBody></p:sp>";
    }
    parts.emplace_back(
        "ppt/slides/slide1.xml",
        std::string(kXmlHead) + "<p:sld " + kNs + "><p:cSld><p:spTree>" + kEmptyTree + shown +
            "</p:spTree><p:controls><p:control spid=\"1025\" name=\"ShockwaveFlash1\" r:id=\"rId2\" imgW=\"" +
            std::to_string(cx) + "\" imgH=\"" + std::to_string(cy) +
            "\"><p:pic><p:nvPicPr><p:cNvPr id=\"2\" name=\"ShockwaveFlash1\"/><p:cNvPicPr/><p:nvPr/></p:nvPicPr>" +
            fill + "<p:spPr>" + place +
            "<a:prstGeom prst=\"rect\"><a:avLst/></a:prstGeom></p:spPr></p:pic></p:control></p:controls>"
            "</p:cSld><p:clrMapOvr><a:masterClrMapping/></p:clrMapOvr></p:sld>");
    parts.emplace_back("ppt/slides/_rels/slide1.xml.rels", Rels(slideRels));
    // The player control, by its class, with the properties it keeps in a property bag: the
    // movie to play, kept inside the document (EmbedMovie), playing and looping at high quality.
    std::string control = std::string(kXmlHead) +
                          "<ax:ocx xmlns:ax=\"http://schemas.microsoft.com/office/2006/activeX\" "
                          "xmlns:r=\"http://schemas.openxmlformats.org/officeDocument/2006/relationships\" "
                          "ax:classid=\"{D27CDB6E-AE6D-11CF-96B8-444553540000}\" ax:persistence=\"persistPropertyBag\">";
    const auto property = [&control](const std::string& name, const std::string& value) {
        control += "<ax:ocxPr ax:name=\"" + name + "\" ax:value=\"" + HtmlEscape(value) + "\"/>";
    };
    property("_cx", std::to_string(cx / 360)); // hundredths of a millimetre
    property("_cy", std::to_string(cy / 360));
    property("Movie", movieReference);
    property("EmbedMovie", "-1");
    property("Playing", "-1");
    property("Loop", "-1");
    property("Quality", "High");
    property("BGColor", "FFFFFF");
    control += "</ax:ocx>";
    parts.emplace_back("ppt/activeX/activeX1.xml", control);
    parts.emplace_back("ppt/activeX/_rels/activeX1.xml.rels", Rels({{kMovieRelType, "movie1.swf"}}));
    parts.emplace_back("ppt/activeX/movie1.swf", std::string(movie.begin(), movie.end()));
    return MakeStoredZip(parts);
}

void CPowerPointExport::InsertMovie(const std::string& presentationPath, const std::string& moviePath)
{
    std::vector<std::uint8_t> movie;
    std::string reason;
    if (!model::ReadFileBytes(moviePath, movie, std::size_t(256) << 20, &reason))
        throw OfficeError("The movie " + moviePath + " cannot be read: " + reason);
    const std::vector<std::uint8_t> bytes = MakePresentation(moviePath, movie, m_nWidth, m_nHeight, m_face);
    if (!model::WriteFileBytes(presentationPath, bytes, &reason))
        throw OfficeError("The presentation " + presentationPath + " cannot be written: " + reason);
}

bool CXdgMailProgram::IsAvailable() const
{
    return OnPath("xdg-email");
}

bool CXdgMailProgram::Compose(const std::string& subject, const std::string& attachment, std::string& error)
{
    std::vector<std::string> argv = {"xdg-email", "--subject", subject, "--attach", attachment};
    std::vector<char*> args;
    for (std::string& a : argv)
        args.push_back(a.data());
    args.push_back(nullptr);
    pid_t pid = 0;
    if (posix_spawnp(&pid, args[0], nullptr, nullptr, args.data(), environ) != 0) {
        error = "xdg-email cannot be started";
        return false;
    }
    int status = 0;
    if (waitpid(pid, &status, 0) < 0 || !WIFEXITED(status) || WEXITSTATUS(status) != 0) {
        error = "xdg-email found no mail program to take the mail";
        return false;
    }
    return true;
}

std::string COutlookExport::MakeMessage(const std::string& subject, const std::string& fileName,
                                        const std::vector<std::uint8_t>& movie)
{
    // Header values are kept to one line: a name with a line break cannot add headers.
    auto oneLine = [](const std::string& text) {
        std::string line;
        for (char c : text)
            line += (c == '\r' || c == '\n' || c == '"') ? '_' : c;
        return line;
    };
    const std::string name = oneLine(fileName);
    const std::string subjectLine = oneLine(subject);
    const std::string boundary = "----vantorel-movie-boundary";
    return "MIME-Version: 1.0\r\n"
           "Subject: " + subjectLine + "\r\n"
           "X-Unsent: 1\r\n"
           "Content-Type: multipart/mixed; boundary=\"" + boundary + "\"\r\n\r\n"
           "--" + boundary + "\r\n"
           "Content-Type: text/plain; charset=utf-8\r\n\r\n"
           "The dashboard is attached: " + name + "\r\n\r\n"
           "--" + boundary + "\r\n"
           "Content-Type: application/x-shockwave-flash; name=\"" + name + "\"\r\n"
           "Content-Transfer-Encoding: base64\r\n"
           "Content-Disposition: attachment; filename=\"" + name + "\"\r\n\r\n" +
           Base64Lines(movie) + "--" + boundary + "--\r\n";
}

void COutlookExport::KeepMessageIn(const std::filesystem::path& folder, const std::string& name)
{
    m_messageFolder = folder;
    m_movieName = name;
}

std::string COutlookExport::AttachMovie(const std::string& moviePath)
{
    std::error_code ec;
    if (!std::filesystem::is_regular_file(moviePath, ec))
        throw OfficeError("The movie " + moviePath + " does not exist.");
    const std::string name = m_movieName.empty() ? MovieFileName(moviePath) : m_movieName;
    std::string error;
    if (m_program != nullptr && m_program->IsAvailable() && m_program->Compose(name, moviePath, error))
        return {};
    std::vector<std::uint8_t> movie;
    std::string reason;
    if (!model::ReadFileBytes(moviePath, movie, std::size_t(256) << 20, &reason))
        throw OfficeError("The movie " + moviePath + " cannot be read: " + reason);
    const std::string text = MakeMessage(name, name, movie);
    std::filesystem::path message = moviePath;
    message.replace_extension(".eml");
    if (!m_messageFolder.empty())
        message = UnusedFileName(m_messageFolder, std::filesystem::path(name).stem().string(), ".eml");
    if (!model::WriteFileBytes(message.string(), std::vector<std::uint8_t>(text.begin(), text.end()), &reason))
        throw OfficeError("The mail " + message.string() + " cannot be written: " + reason);
    return message.string();
}

std::filesystem::path UnusedFileName(const std::filesystem::path& folder, const std::string& stem,
                                     const std::string& extension)
{
    std::error_code ec;
    std::filesystem::path name = folder / (stem + extension);
    for (int n = 2; std::filesystem::exists(name, ec) || ec; ++n) {
        if (n > 999)
            throw OfficeError("No file can be written: " + folder.string() + " holds too many files named " + stem +
                              ".");
        name = folder / (stem + " (" + std::to_string(n) + ")" + extension);
    }
    return name;
}

void RegisterOfficeObjects(CObjectFactory& factory)
{
    factory.Register("Powerpoint.Application", [] { return std::make_unique<COfficeObject>(); });
    factory.Register("Outlook.Application", [] { return std::make_unique<COfficeObject>(); });
}
