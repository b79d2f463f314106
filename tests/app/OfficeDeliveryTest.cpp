#include "app/delivery/OfficeDelivery.h"

#include "model/FileBytes.h"
#include "tests/support/TestSupport.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <sstream>

namespace {

std::string ReadText(const std::filesystem::path& path)
{
    std::ifstream in(path, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

bool HaveProgram(const std::string& name)
{
    return std::system(("command -v " + name + " >/dev/null 2>&1").c_str()) == 0;
}

std::vector<std::uint8_t> SomeMovie()
{
    std::vector<std::uint8_t> movie = {'F', 'W', 'S', 6, 21, 0, 0, 0};
    for (int i = 0; i < 13; ++i)
        movie.push_back(static_cast<std::uint8_t>(i * 37));
    return movie;
}

// The presentation is checked by readers of their own: the zip tool lists and tests the
// package, and LibreOffice Impress opens it and prints its slide.
TEST(PowerPointExport, ThePresentationOpensInOtherReadersAndCarriesTheMovie)
{
    testsupport::TempDir dir;
    ASSERT_TRUE(model::WriteFileBytes((dir / "m.swf").string(), SomeMovie()));
    CPowerPointExport export_;
    export_.Start("/nowhere/presentation1.ppt");
    export_.SetMovieSize(400, 300);
    export_.InsertMovie((dir / "deck.pptx").string(), (dir / "m.swf").string());
    ASSERT_TRUE(std::filesystem::exists(dir / "deck.pptx"));

    if (HaveProgram("python3")) {
        // Python's zip reader checks every part's CRC and gives the movie back byte for byte.
        const std::string script = "import zipfile,sys; z=zipfile.ZipFile(sys.argv[1]); assert z.testzip() is None; "
                                   "sys.stdout.buffer.write(z.read('ppt/activeX/movie1.swf'))";
        const std::string command =
            "python3 -c \"" + script + "\" " + (dir / "deck.pptx").string() + " > " + (dir / "back.swf").string();
        ASSERT_EQ(std::system(command.c_str()), 0);
        const std::vector<std::uint8_t> movie = SomeMovie();
        EXPECT_EQ(ReadText(dir / "back.swf"), std::string(movie.begin(), movie.end()));
    }
    if (!HaveProgram("libreoffice"))
        GTEST_SKIP() << "LibreOffice is not installed";
    const std::string convert = "cd " + dir.path().string() + " && HOME=" + dir.path().string() +
                                " timeout 120 libreoffice --headless --convert-to pdf deck.pptx >/dev/null 2>&1";
    ASSERT_EQ(std::system(convert.c_str()), 0);
    const std::string pdf = ReadText(dir / "deck.pdf");
    ASSERT_GT(pdf.size(), 100u);
    EXPECT_EQ(pdf.compare(0, 5, "%PDF-"), 0);
    EXPECT_NE(pdf.find("/Count 1"), std::string::npos) << "one slide";
}

// Where the control does not play, the slide shows the movie's picture at the control's place,
// and a click on it opens the movie beside the presentation; without a picture, the movie's
// name does.
TEST(PowerPointExport, TheSlideShowsThePictureLinkedToTheMovieBesideIt)
{
    const std::vector<std::uint8_t> png = {0x89, 'P', 'N', 'G', 1, 2, 3};
    const auto part = [](const std::vector<std::uint8_t>& package, const std::string& name) {
        testsupport::TempDir dir;
        EXPECT_TRUE(model::WriteFileBytes((dir / "deck.pptx").string(), package));
        const std::string command = "cd " + dir.path().string() + " && unzip -p deck.pptx '" + name + "' > part";
        EXPECT_EQ(std::system(command.c_str()), 0);
        return ReadText(dir / "part");
    };
    if (!HaveProgram("unzip"))
        GTEST_SKIP() << "unzip is not installed";
    const auto pictured =
        CPowerPointExport::MakePresentation("/m/report 1.swf", SomeMovie(), 400, 300, {png, "report 1.swf"});
    EXPECT_EQ(part(pictured, "ppt/media/image1.png"), std::string(png.begin(), png.end()));
    const std::string rels = part(pictured, "ppt/slides/_rels/slide1.xml.rels");
    EXPECT_NE(rels.find("Id=\"rId3\" Type=\"http://schemas.openxmlformats.org/officeDocument/2006/relationships/image\" "
                        "Target=\"../media/image1.png\""),
              std::string::npos)
        << rels;
    EXPECT_NE(rels.find("Id=\"rId4\" Type=\"http://schemas.openxmlformats.org/officeDocument/2006/relationships/"
                        "hyperlink\" Target=\"report%201.swf\" TargetMode=\"External\""),
              std::string::npos)
        << rels;
    const std::string slide = part(pictured, "ppt/slides/slide1.xml");
    // The picture lies in the shape tree, before the controls, at the control's place and size.
    const std::size_t picture = slide.find("<p:pic><p:nvPicPr><p:cNvPr id=\"3\" name=\"Dashboard\"");
    ASSERT_NE(picture, std::string::npos) << slide;
    EXPECT_LT(picture, slide.find("</p:spTree>"));
    EXPECT_NE(slide.find("<a:hlinkClick r:id=\"rId4\"/>", picture), std::string::npos);
    const std::string place = "<a:off x=\"2667000\" y=\"2000250\"/><a:ext cx=\"3810000\" cy=\"2857500\"/>";
    EXPECT_NE(slide.find(place, picture), std::string::npos);
    EXPECT_NE(slide.find(place, slide.find("<p:controls>")), std::string::npos);

    const std::string named = part(CPowerPointExport::MakePresentation("/m/r.swf", SomeMovie(), 400, 300, {{}, "r.swf"}),
                                   "ppt/slides/slide1.xml");
    EXPECT_EQ(named.find("<a:blip"), std::string::npos);
    EXPECT_NE(named.find("<a:hlinkClick r:id=\"rId3\"/></a:rPr><a:t>r.swf</a:t>"), std::string::npos) << named;
}

TEST(PowerPointExport, AMovieThatCannotBeReadLeavesTheEarlierPresentation)
{
    testsupport::TempDir dir;
    std::ofstream(dir / "deck.pptx") << "earlier";
    CPowerPointExport export_;
    EXPECT_THROW(export_.InsertMovie((dir / "deck.pptx").string(), (dir / "missing.swf").string()), OfficeError);
    EXPECT_EQ(ReadText(dir / "deck.pptx"), "earlier");
}

TEST(OutlookExport, WithoutAMailProgramTheMailIsSavedAsAMessageFile)
{
    testsupport::TempDir dir;
    ASSERT_TRUE(model::WriteFileBytes((dir / "m.swf").string(), SomeMovie()));
    COutlookExport mail(nullptr);
    const std::string saved = mail.AttachMovie((dir / "m.swf").string());
    EXPECT_EQ(saved, (dir / "m.eml").string());
    if (!HaveProgram("python3"))
        GTEST_SKIP() << "python3 is not installed";
    // Python's mail parser finds the attachment and decodes it to the movie.
    const std::string script = "import email,sys; m=email.message_from_binary_file(open(sys.argv[1],'rb')); "
                               "p=[x for x in m.walk() if x.get_filename()][0]; assert p.get_filename()=='m.swf'; "
                               "sys.stdout.buffer.write(p.get_payload(decode=True))";
    const std::string command =
        "python3 -c \"" + script + "\" " + (dir / "m.eml").string() + " > " + (dir / "back.swf").string();
    ASSERT_EQ(std::system(command.c_str()), 0);
    const std::vector<std::uint8_t> movie = SomeMovie();
    EXPECT_EQ(ReadText(dir / "back.swf"), std::string(movie.begin(), movie.end()));
}

// A movie's file name becomes the subject and the attachment's name; a name holding line breaks
// cannot add headers or parts to the message.
TEST(OutlookExport, LineBreaksInTheMoviesNameAddNoHeaders)
{
    const std::string forged = "m\r\nBcc: x@example.org\nContent-Type: text/html\r\n\r\nhi.swf";
    const std::string text = COutlookExport::MakeMessage(forged, forged, SomeMovie());
    const std::string header = text.substr(0, text.find("\r\n\r\n"));
    EXPECT_EQ(header.find("\nBcc:"), std::string::npos) << header;
    EXPECT_EQ(header.find("\nContent-Type: text/html"), std::string::npos) << header;
    EXPECT_NE(header.find("Subject: m__Bcc: x@example.org_Content-Type: text/html____hi.swf\r\n"), std::string::npos)
        << header;
    for (std::size_t at = text.find('\n'); at != std::string::npos; at = text.find('\n', at + 1))
        EXPECT_EQ(text[at - 1], '\r') << "a lone line feed at " << at;
    EXPECT_EQ(text.find("\r\nBcc:"), std::string::npos);
}

} // namespace
