#pragma once

#include "app/stage/StageClient.h"
#include "platform/controls/ShockwaveFlash.h"

#include <cstdint>
#include <filesystem>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

class CComponentCatalog;
class CParameterSet;
class CSwfMovie;
class CVariablePath;
namespace publish {
class ITempFileMaker;
}

// What the stage control is built from. Everything is borrowed and must outlive the control.
class CDesignerContext;

struct StageSetup {
    // The installation folder, which holds the stage movie "asset/toolsrc.dat".
    std::filesystem::path installDir;
    // The component catalogue whose symbols the stage movie carries (null: none).
    CComponentCatalog* catalog = nullptr;
    // Where the two stage movie files go (null: the process's temporary-file maker).
    publish::ITempFileMaker* tempFiles = nullptr;
    // Busy state and repaint (null: the application's main window).
    IStageHost* host = nullptr;
    // The named values of the current cell model (locale and format names), sent to the movie.
    std::function<std::map<std::string, std::string>()> namedValues;
};

// The stage: a Flash player in the canvas view that plays the stage movie (the tool movie with
// every component symbol of the catalogue) and shows each component live. Every change on the
// canvas is mirrored into the movie by setting variables of its root timeline and calling its
// frame labels; the movie answers with the bounds it measured through fscommand.
class CStageFlashCtrl : public CShockwaveFlash {
public:
    // How many times the stage movie is read before the stage gives up.
    static constexpr int kLoadAttempts = 3;
    // A busy state whose replies have not all come ends after this long.
    // The members of one set the stage gets at most: the canvas lays a component out and needs
    // no more of a list (a document may hold hundreds of thousands, each a call into the player).
    static constexpr int kMaxStageMembers = 4096;
    static constexpr std::uint64_t kBusyTimeoutMs = 5000;
    // Frame sizes of the two stage files, in twips.
    static constexpr int kStageWidth = 600, kStageHeight = 400;
    static constexpr int kLargeStageWidth = 16000, kLargeStageHeight = 12000;
    // The window's timer of the background measures.
    static constexpr UINT_PTR kMeasureTimer = 2;

    // Reads the tool movie and writes both stage movie files. Check IsReady afterwards.
    explicit CStageFlashCtrl(StageSetup setup);
    ~CStageFlashCtrl() override;

    // False when the tool movie could not be read or the stage files not written (GetError says
    // why); the stage cannot work then.
    bool IsReady() const { return m_error.empty(); }
    const std::string& GetError() const { return m_error; }
    const std::filesystem::path& GetStageMoviePath() const { return m_stagePath; }
    const std::filesystem::path& GetLargeStageMoviePath() const { return m_largeStagePath; }

    // After the window exists: loads the stage movie and measures every prototype. In the
    // background, the prototypes are measured a few at each tick of a timer, after what is
    // sent until then (the document's components), so the stage shows the document first.
    void Init(bool measureInBackground = false);
    // Prototypes still to be measured in the background.
    std::size_t PendingMeasures() const { return m_toMeasure.size(); }
    // Whether a tick found the player caught up with what went before the background measures.
    bool BackgroundMeasuresBegun() const { return m_measuresBegun; }
    // Sends the next few background measures (the window's timer calls it).
    void MeasureSome();
    // Moves the window to the canvas size (pixels), patches the movie's frame and reloads.
    void SetStageSize(int width, int height);
    void Reload();
    void SetModelVariables();
    // Sets a variable; every CR LF of the value goes as a lone CR.
    void SetVar(const std::string& name, const std::string& value);

    void AddComponent(IStageObject& object);
    void UpdateComponent(IStageObject& object);
    void UpdateComponentObj(IStageObject& object) { UpdateComponent(object); }
    void ReinitComponent(IStageObject& object);
    void ResizeComponent(IStageObject& object);
    void MoveComponent(IStageObject& object);
    void DeleteComponent(IStageObject& object);
    void EnableComponent(IStageObject& object);
    void DisableComponent(IStageObject& object);
    void SwapDepths(const CComponentBase& a, const CComponentBase& b);
    void GetComponentBounds(const CComponentBase& prototype);
    void PlaceObject(const CComponentBase& instance, const ComponentRect& rect);

    // The parameter tree of one instance (objects obj0, obj1, ... of the movie's root).
    void SendParameters(const CComponentBase& instance);
    void CountParameterObjects(const CParameterSet& set);
    void SetComponentVariables(const CParameterSet& set, CVariablePath& path, int kind, int& counter);
    // The same tree and the placement sent to another player that plays this stage's movie
    // (the Styles sheet's preview), as they would be sent here.
    void SendTreeAndPlacementTo(CShockwaveFlash& player, const CComponentBase& instance);

    // The canvas object goes: replies awaited for its instances are no longer matched to it.
    void ForgetObject(const IStageObject& object);
    bool IsPending(const std::string& name) const { return m_pending.count(name) != 0; }
    bool IsBusy() const { return m_awaitedReplies > 0; }
    // Ends a busy state whose replies did not come in time (the window's timer calls it).
    void CheckBusyTimeout();

    BOOL OnFSCommand(const std::string& command, const std::string& args) override;
    // The page gave up on the stage movie: no reply will come, and the person is told.
    void OnMovieNotLoaded(const std::string& movie, const std::string& why) override;

protected:
    LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    struct Placement {
        double x, y, xscale, yscale;
    };
    static Placement ComputePlacement(const CComponentBase& instance, const ComponentRect& rect);
    bool LoadToolMovie();
    bool WriteStageFiles();
    void DiscardStageFiles();
    void RestoreStageFiles();
    void LoadStageMovie();
    void CallLabel(const char* label);
    // The instance a label acts on: its name and its symbol.
    void SendNameAndType(const CComponent& instance);
    void SendTreeAndPlacement(const CComponentBase& instance);
    void AwaitReply(const std::string& name, IStageObject& object, bool busy);
    // The pending entry of a reply, taken out of the map (null when there is none).
    IStageObject* TakePending(const std::string& name);
    void BeginBusy();
    void EndBusy();
    void CountReply(const std::string& name);
    void OnGetBounds(const std::vector<std::string>& tokens);
    void OnUpdateComp(const std::vector<std::string>& tokens);
    void OnResizeComp(const std::vector<std::string>& tokens);
    IStageHost& Host();

    StageSetup m_setup;
    // Where variables and labels go while another player is sent to; null: this stage.
    CShockwaveFlash* m_target = nullptr;
    // Used by the parameter tree while it is written.
    int m_objectCounter = 0;
    std::unique_ptr<CSwfMovie> m_toolMovie;
    bool m_sendAll = false;

    std::string m_error;
    std::filesystem::path m_stagePath;
    std::filesystem::path m_largeStagePath;
    // The frame size last set, in twips (none yet: the movie's own).
    int m_stageWidthTwips = 0;
    int m_stageHeightTwips = 0;
    // Instance name -> the canvas object whose reply is awaited; the first entry of a name stays.
    std::map<std::string, IStageObject*> m_pending;
    // Of the pending names, those whose reply ends the busy state, and how many in all.
    std::map<std::string, int> m_busyNames;
    int m_awaitedReplies = 0;
    std::uint64_t m_busyDeadline = 0;
    bool m_busyShown = false;
    // The symbols of the prototypes a background measure has still to send, the next last
    // (found again at each tick: the catalogue may have changed meanwhile).
    std::vector<std::string> m_toMeasure;
    // Measures sent whose answer has not come yet.
    int m_measuresUnanswered = 0;
    bool m_measuresBegun = false;
};

// The one stage control of the process (null when there is none).
CStageFlashCtrl* GetStageFlashCtrl();

// The stage of the running program: the installation's stage movie and catalogue, or null
// without them.
std::unique_ptr<CStageFlashCtrl> MakeProgramStage(CDesignerContext& designer);
