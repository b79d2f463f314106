// Writes data.txt, the sample data of a movie fed by a web service, and data_files.swf, which
// loads it with the player's own variable loading (LoadVars) and reports every value it read
// through fscommand("V<id>", value), then "done".

#include "publish/DataFiles.h"
#include "sheet/formula/ExprNodes.h"
#include "swf/ActionEmitter.h"
#include "swf/Actions.h"
#include "swf/SwfDoAction.h"
#include "swf/SwfOutputMovie.h"
#include "swf/SwfTags.h"
#include "tests/player/OutputFolder.h"
#include "tests/player/PlayerReport.h"

#include <cstdio>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

int main(int argc, char** argv)
{
    std::filesystem::path folder;
    if (!playertest::OutputFolder(argc, argv, folder))
        return 2;

    std::vector<std::unique_ptr<CValueNode>> values;
    values.push_back(CValueNode::MakeNumber(0.1));
    values.push_back(CValueNode::MakeNumber(-1e300));
    values.push_back(CValueNode::MakeInteger(42));
    values.push_back(CValueNode::MakeBoolean(true));
    values.push_back(CValueNode::MakeNoValue());
    values.push_back(CValueNode::MakeText("R&D = 50% + x"));
    values.push_back(CValueNode::MakeText("Z\xC3\xBCrich \xE2\x82\xAC"));
    std::vector<TextDataValue> data;
    for (std::size_t i = 0; i < values.size(); ++i)
        data.push_back({static_cast<int32_t>(i + 1), values[i].get()});
    if (!WriteDataFile(folder / "data.txt", FormatTextData(data)))
        return 1;

    // data = new LoadVars(); data.onLoad = function () { report every V<id> }; data.load(...)
    using swf::ActionCode;
    CActionList report;
    for (std::size_t i = 0; i < values.size(); ++i) {
        std::string name = "V" + std::to_string(i + 1);
        playertest::Report(report, name, "data." + name);
    }
    playertest::Report(report, "done", "");
    CActionList actions;
    swf::ActionEmitter(actions).Str("data").New("LoadVars").Op(ActionCode::SetVariable);
    swf::ActionEmitter(actions).Get("data").Str("onLoad");
    auto onLoad = std::make_unique<CActionDefineFunction>("");
    onLoad->GetBody() = std::move(report);
    actions.Add(std::move(onLoad));
    swf::ActionEmitter(actions)
        .Op(ActionCode::SetMember)
        .Str("movies/data.txt") // relative to the page, as a browser resolves it
        .Int(1)
        .Get("data")
        .Str("load")
        .Op(ActionCode::CallMethod)
        .Op(ActionCode::Pop)
        .Op(ActionCode::Stop);

    CSwfOutputMovie movie;
    movie.AddTag(std::make_unique<CSwfSetBackgroundColor>(255, 255, 255));
    movie.AddTag(std::make_unique<CSwfDoAction>(std::move(actions)));
    movie.AddTag(std::make_unique<CSwfShowFrame>());
    movie.WriteFile(folder / "data_files.swf", 200, 100, 12.0, false);
    return 0;
}
