// Writes what the collaboration check needs: two dashboards published as the program publishes
// them, both with collaboration through the login component, one with real-time collaboration
// (live.swf) and one without (saved.swf), each with a connection light named "Light" and a login
// named "Login"; and probe.swf, which loads the movie named by kvMovie into level 1 and, once it
// has drawn, reports what the connection is and what logging in does:
//   "state"  typeof nc | typeof the "collab" clip | nc's gateway | the light's state before the
//            login | the connections opened (uri,user,password;...) | the login's status line

#include "publish/DocDescription.h"
#include "publish/Publisher.h"
#include "tests/player/OutputFolder.h"
#include "tests/player/ScriptMovie.h"

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <stdexcept>
#include <string>

namespace fs = std::filesystem;

namespace {

const char* kProbe = R"(
getURL(kvMovie, "_level1");
var kvFrames = 0;
this.onEnterFrame = function () {
    var movie = _level1;
    if (movie.Login.kvParts == undefined || ++kvFrames < 3)
        return;
    delete this.onEnterFrame;
    var nc = movie.nc;
    var calls = [];
    var before = movie.Light.kvCollabSeen;
    if (nc != undefined) {
        // The player has no collaboration server: the probe keeps what the movie connects with.
        nc.kvOpen = nc.connect;
        nc.connect = function (uri, user, password) {
            calls.push([uri, user, password].join(","));
            return this.kvOpen(uri, user, password);
        };
    }
    movie.Login.kvField0.text = "ann";
    movie.Login.kvField1.text = "secret";
    movie.Login.kvLogin();
    movie.Login.mc();
    fscommand("state", [typeof nc, typeof movie.collab, nc.targetURI, before, calls.join(";"),
                        movie.Login.kvStatus].join("|"));
    fscommand("done", "");
};
)";

void WriteDashboard(const fs::path& install, const fs::path& folder, const std::string& name, bool realTime)
{
    const fs::path description = folder / (name + ".json");
    std::ofstream(description) << R"({
  "canvas": {"width": 400, "height": 300},
  "exportSettings": {"collaboration": true, "realTimeCollaboration": )"
                               << (realTime ? "true" : "false") << R"(,
                     "gatewayUrl": "rtmp://gateway.test/app", "connectionMethod": "loginComponent"},
  "components": [
    {"symbol": "KVConnectionLightSymbol", "name": "Light", "x": 200, "y": 700, "width": 600, "height": 600},
    {"symbol": "KVLoginSymbol", "name": "Login", "x": 1000, "y": 700, "width": 4000, "height": 2000}
  ]
})";
    publish::CPublisher publisher(install);
    publisher.OpenDescription(description, std::nullopt);
    publisher.Publish(folder / (name + ".swf"), false);
}

} // namespace

int main(int argc, char** argv)
{
    const std::optional<playertest::PublishingFolders> folders = playertest::PublishingMaker(argc, argv);
    if (!folders)
        return 2;
    try {
        fs::create_directories(folders->output);
        playertest::WriteScriptMovie(folders->output / "probe.swf", kProbe, 8000, 6000);
        WriteDashboard(folders->install, folders->output, "live", true);
        WriteDashboard(folders->install, folders->output, "saved", false);
    } catch (const std::exception& error) {
        std::fprintf(stderr, "publish_collaboration: %s\n", error.what());
        return 1;
    }
    return 0;
}
