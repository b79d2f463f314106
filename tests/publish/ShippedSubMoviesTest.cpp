#include "publish/CollabMovie.h"
#include "publish/ExportSettings.h"
#include "publish/LoadDataMovie.h"
#include "publish/ScenarioMovie.h"
#include "swf/SwfIds.h"
#include "swf/SwfWriter.h"
#include "swf/TagLoader.h"
#include "tests/support/TestSupport.h"

#include <gtest/gtest.h>


namespace {

// The sub-movies as the build's installation folder ships them: the frame accounting of the
// movie builder and the data query rely on their shape.


struct Tag {
    uint16_t code;
    std::string text; // a frame label's or an export's name
};

std::vector<Tag> Written(CSwfObject& object)
{
    swf::Writer out;
    object.Write(out);
    std::vector<Tag> tags;
    swf::ForEachTag(out.Data(), 0, [&](uint16_t code, std::span<const uint8_t> body, bool, size_t) {
        Tag tag{code, {}};
        if (code == 43)
            tag.text.assign(body.begin(), std::find(body.begin(), body.end(), 0));
        if (code == 56 && body.size() > 4)
            tag.text.assign(body.begin() + 4, std::find(body.begin() + 4, body.end(), 0));
        tags.push_back(tag);
    });
    return tags;
}

std::vector<std::string> Outline(const std::vector<Tag>& tags)
{
    std::vector<std::string> outline;
    for (const Tag& tag : tags) {
        if (tag.code == 1)
            outline.push_back("frame");
        else if (tag.code == 43)
            outline.push_back("label " + tag.text);
        else if (tag.code == 56)
            outline.push_back("export " + tag.text);
    }
    return outline;
}

TEST(ShippedSubMovies, LoaderAddsExactlyOneFrame)
{
    swf::IdCounter ids{1};
    CLoadDataMovie loader(testsupport::InstallDir(), ids);
    ASSERT_FALSE(loader.IsEmpty()) << testsupport::InstallDir();
    EXPECT_EQ(Outline(Written(loader)), std::vector<std::string>{"frame"});
}

TEST(ShippedSubMovies, ScenarioFramesCarryTheQueryLabels)
{
    swf::IdCounter ids{1};
    CScenarioMovie scenario(testsupport::InstallDir(), ids);
    ASSERT_FALSE(scenario.IsEmpty());
    EXPECT_EQ(Outline(Written(scenario)),
              (std::vector<std::string>{"frame", "label GetData", "frame", "label GetData2", "frame"}));
}

TEST(ShippedSubMovies, CollaborationExportsItsClipOnly)
{
    swf::IdCounter ids{1};
    CExportSettings settings;
    CCollabMovie collab(testsupport::InstallDir(), ids, settings);
    ASSERT_TRUE(collab.GetClipId());
    std::vector<Tag> tags = Written(collab);
    EXPECT_EQ(Outline(tags), std::vector<std::string>{"export kvCollab"});
    EXPECT_TRUE(std::any_of(tags.begin(), tags.end(), [](const Tag& t) { return t.code == 59; }));
}

} // namespace
