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
