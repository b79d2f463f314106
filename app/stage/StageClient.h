#pragma once

#include "model/Component.h"

#include <string>

// What the stage reaches on a canvas object: the component instances it holds (several when
// grouped, in instance order) and the geometry the stage's measurements set. The canvas
// object that holds components implements it.
class IStageObject {
public:
    virtual ~IStageObject() = default;

    virtual int GetInstanceCount() const = 0;
    virtual CComponent* GetInstance(int index) const = 0;

    // The object's position and bounds become rect (twips), as the stage measured them.
    virtual void SetStagePosition(const ComponentRect& rect) = 0;
    // The size the component draws at when not resized (twips).
    virtual void SetNaturalSize(int width, int height) = 0;
    // Its selection bounds follow its position again.
    virtual void UpdateBounds() = 0;
};

// What the stage needs of the application around it: the busy state while a reply is awaited
// (the main window disabled, the wait cursor) and a repaint of the canvas.
class IStageHost {
public:
    virtual ~IStageHost() = default;
    virtual void BeginBusy() = 0;
    virtual void EndBusy() = 0;
    virtual void RepaintCanvas() = 0;
    // The stage cannot show the components: the person is told, in the status bar and a message.
    virtual void ReportStageProblem(const std::string& /*text*/) {}
};

// The host of the running program: the application's main window and its active view.
IStageHost& GetMainWindowStageHost();

// The busy state on the main window (main window disabled and the wait cursor, or enabled and
// the arrow); nothing happens without a main window.
void BeginStageBusy();
void EndStageBusy();
