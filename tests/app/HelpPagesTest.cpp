// The shipped help: every topic the program asks for, for a command, a dialog or a property
// page's control, opens a page of the installation, and the pages' links and pictures are
// there.

#include "app/shell/Help.h"
#include "platform/services/Services.h"
#include "tests/support/TestSupport.h"

#include <gtest/gtest.h>

#include <fstream>
#include <regex>
#include <set>
#include <sstream>
#include <string>

namespace {

std::string ReadText(const std::filesystem::path& file)
{
    std::ifstream in(file, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

// The ids a property page's source asks help for: the numbers in its GetHelpContextId and in
// its tables of chart help topics (ids below 100 are indexes and sizes, never topics).
std::set<int> PageHelpIds(const std::string& source)
{
    std::set<int> ids;
    const std::regex number(R"(\b\d{3,5}\b)");
    auto collect = [&](const std::string& text) {
        for (auto it = std::sregex_iterator(text.begin(), text.end(), number); it != std::sregex_iterator(); ++it)
            ids.insert(std::stoi(it->str()));
    };
    for (std::size_t at = source.find("GetHelpContextId()"); at != std::string::npos;
         at = source.find("GetHelpContextId()", at + 1)) {
        const std::size_t open = source.find_first_of(";{", at);
        if (open == std::string::npos || source[open] != '{')
            continue;
        std::size_t end = open + 1;
        for (int depth = 1; depth > 0 && end < source.size(); ++end)
            depth += source[end] == '{' ? 1 : source[end] == '}' ? -1 : 0;
        collect(source.substr(open, end - open));
    }
    // Pages of rows give a row its topic in the call that makes the row, or in a named constant.
    for (const char* call : {"WithHelp(", "WithTopic(", "Topic("}) {
        for (std::size_t at = source.find(call); at != std::string::npos; at = source.find(call, at + 1)) {
            std::size_t end = at + std::char_traits<char>::length(call);
            for (int depth = 1; depth > 0 && end < source.size(); ++end)
                depth += source[end] == '(' ? 1 : source[end] == ')' ? -1 : 0;
            collect(source.substr(at, end - at));
        }
    }
    const std::regex constant(R"(\bk\w*Help\w*\s*=\s*(\d+))");
    for (auto it = std::sregex_iterator(source.begin(), source.end(), constant); it != std::sregex_iterator(); ++it)
        collect((*it)[1].str());
    const std::regex table(R"(ChartHelpRow\s+\w+\s*=\s*\{([^}]*)\})");
    for (auto it = std::sregex_iterator(source.begin(), source.end(), table); it != std::sregex_iterator(); ++it)
        collect((*it)[1].str());
    return ids;
}

class HelpPagesTest : public ::testing::Test {
protected:
    const std::filesystem::path install = testsupport::InstallDir();
    const std::string helpFile = (install / "vantorel.chm").string();

    // The page a topic opens, or an explanation of why it opens none of its own.
    ::testing::AssertionResult OpensItsOwnPage(const std::string& topic)
    {
        const std::filesystem::path page = HelpPageFor(helpFile, topic);
        if (page.filename() == "index.html")
            return ::testing::AssertionFailure() << topic << " falls back to the contents";
        if (!std::filesystem::is_regular_file(page))
            return ::testing::AssertionFailure() << topic << " names " << page << ", which is not shipped";
        return ::testing::AssertionSuccess();
    }
};

TEST_F(HelpPagesTest, EveryCommandAndDialogTopicOpensAShippedPage)
{
    int count = 0;
    const HelpContextEntry* table = HelpContextTable(&count);
    ASSERT_GT(count, 40);
    for (int i = 0; i < count; ++i)
        EXPECT_TRUE(OpensItsOwnPage("context:" + std::to_string(table[i].topic))) << "id " << table[i].id;
    EXPECT_TRUE(std::filesystem::is_regular_file(HelpPageFor(helpFile, "")));
    EXPECT_EQ(HelpPageFor(helpFile, "").filename(), "index.html");
}

TEST_F(HelpPagesTest, EveryTopicAPropertyPageAsksForOpensAShippedPage)
{
    std::set<int> ids;
    for (const auto& entry : std::filesystem::directory_iterator(testsupport::SourceDir() / "pages")) {
        const auto extension = entry.path().extension();
        if (extension == ".cpp" || extension == ".h") {
            const std::set<int> found = PageHelpIds(ReadText(entry.path()));
            ids.insert(found.begin(), found.end());
        }
    }
    ASSERT_GT(ids.size(), 300u);
    for (int id : ids)
        EXPECT_TRUE(OpensItsOwnPage("context:" + std::to_string(id)));
}

TEST_F(HelpPagesTest, UnknownTopicsAndPathsOutsideTheHelpOpenTheContents)
{
    for (const char* topic : {"context:999999", "context:", "../../etc/passwd", "sub/page.html"})
        EXPECT_EQ(HelpPageFor(helpFile, topic).filename(), "index.html") << topic;
    EXPECT_EQ(HelpPageFor(helpFile, "main-road.html").filename(), "main-road.html");
}

TEST_F(HelpPagesTest, EveryLinkAndPictureOfEveryPageIsShipped)
{
    const std::regex link(R"#((?:href|src)="([^"#]+)")#");
    int pages = 0;
    for (const auto& entry : std::filesystem::directory_iterator(install / "help")) {
        if (entry.path().extension() != ".html")
            continue;
        ++pages;
        const std::string text = ReadText(entry.path());
        for (auto it = std::sregex_iterator(text.begin(), text.end(), link); it != std::sregex_iterator(); ++it)
            EXPECT_TRUE(std::filesystem::is_regular_file(install / "help" / (*it)[1].str()))
                << entry.path().filename() << " links to " << (*it)[1].str();
    }
    EXPECT_GT(pages, 30);
}

} // namespace
