#pragma once

// The Styles sheet's preview: a player of its own that plays the canvas's stage movie and shows
// six sample components styled with the record being edited. It speaks the stage's protocol
// (root variables, then a frame label at "/"); the samples never reach the document.

#include <array>
#include <filesystem>
#include <memory>
#include <string>

#include "platform/controls/ShockwaveFlash.h"

class CComponent;
class CComponentBase;
class CComponentCatalog;
class CGlobalStyle;

// What the preview needs of the canvas's stage, which the program passes down: the stage movie
// written for the preview, and the stage's own way of sending a component's parameter tree and
// placement, sent here to another player.
class IStylePreviewStage {
public:
    virtual ~IStylePreviewStage() = default;
    // Empty when the stage has no movie for the preview.
    virtual std::filesystem::path GetPreviewMoviePath() const = 0;
    virtual void SendTreeAndPlacement(CShockwaveFlash& player, const CComponentBase& instance) = 0;
};

class CStylePreviewCtrl : public CShockwaveFlash {
public:
    static constexpr UINT kControlId = 4096;
    // The preview's frame, in twips.
    static constexpr int kFrameWidth = 8000, kFrameHeight = 6000;
    // The control, in pixels: the frame shows whole in it, scaled to its width and centred, and
    // the samples that reach past the frame's top and bottom (the chart, the progress bar) show
    // in the room above and below.
    static constexpr int kWidth = 300, kHeight = 320;
    enum Slot { LargeBackground, SmallBackground, ComboChart, ProgressBar, ListBox, Slider, kSlotCount };

    // Both are borrowed; a null catalogue leaves every slot empty.
    CStylePreviewCtrl(IStylePreviewStage& stage, const CComponentCatalog* catalog);
    ~CStylePreviewCtrl() override;

    // Loads the movie and adds, moves and resizes the six samples.
    void LoadSamples();
    // A new instance of the symbol in the slot, added to the movie; null (slot untouched) when
    // the catalogue has no such symbol.
    CComponent* AddComponent(const std::string& symbol, Slot slot);
    // x, y: the pixel position of the component's origin.
    void MoveComponent(CComponent* instance, double x, double y);
    void ResizeComponent(CComponent* instance, double factor);
    // Re-styles every sample that exists.
    void ApplyStyle(const CGlobalStyle& style);
    void UpdateComponent(CComponent* instance, const CGlobalStyle& style);
    void DeleteSamples();
    void DeleteComponent(CComponent* instance);
    // The player's variable, with every CR LF of the value sent as a lone CR.
    void SetVariable(const std::string& name, const std::string& value);

    CComponent* GetSample(Slot slot) const { return m_samples[slot].get(); }

private:
    void SendNameAndType(const CComponent& instance);
    void CallLabel(const char* label);

    IStylePreviewStage& m_stage;
    const CComponentCatalog* m_catalog;
    std::array<std::unique_ptr<CComponent>, kSlotCount> m_samples;
};
