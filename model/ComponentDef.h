#pragma once

#include <algorithm>
#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

class CSwfMovie;
class CSwfComponent;

// A component definition: one exported symbol of the component assets with its default
// parameters. It owns the prototype instance that the palette shows and new instances copy.
class CComponentDef {
public:
    CComponentDef(std::string symbol, std::string label);
    ~CComponentDef();
    CComponentDef(const CComponentDef&) = delete;
    CComponentDef& operator=(const CComponentDef&) = delete;

    const std::string& GetName() const { return symbol_; }
    const std::string& GetDisplayName() const { return label_; }
    const std::string& GetCategory() const { return category_; }
    void SetCategory(const std::string& category) { category_ = category; }
    const std::string& GetDescription() const { return description_; }
    void SetDescription(const std::string& text) { description_ = text; }
    // Whether the component's default-parameter file gives it the trait ("table", "line"...).
    bool HasTrait(std::string_view trait) const
    {
        return std::find(traits_.begin(), traits_.end(), trait) != traits_.end();
    }
    void SetTraits(std::vector<std::string> traits) { traits_ = std::move(traits); }
    int GetScalingMode() const { return scalingMode_; }
    void SetScalingMode(int mode) { scalingMode_ = mode; }

    // xmin, xmax, ymin, ymax in twips.
    const std::array<double, 4>& GetBounds() const { return bounds_; }
    void SetBounds(const std::array<double, 4>& bounds) { bounds_ = bounds; }
    double GetWidth() const { return bounds_[1] - bounds_[0]; }
    double GetHeight() const { return bounds_[3] - bounds_[2]; }
    // The registration point's offset from the top-left corner, in twips.
    double GetOriginX() const { return -bounds_[0]; }
    double GetOriginY() const { return -bounds_[2]; }
    // Set when the stage reported the symbol's real bounds.
    std::uint8_t GetBoundsChanged() const { return boundsChanged_; }
    void SetBoundsChanged(std::uint8_t changed) { boundsChanged_ = changed; }

    int GetCounter() const { return counter_; }
    void SetCounter(int counter) { counter_ = counter; }
    int NextCounter() { return ++counter_; }

    CSwfComponent* GetPrototype() const { return prototype_.get(); }
    void SetPrototype(std::unique_ptr<CSwfComponent> prototype);

    // The symbol's character in the asset movie of each catalogue variant (movie null when a
    // variant lacks the symbol; the first variant's character stands in for it).
    struct Symbol {
        CSwfMovie* movie = nullptr;
        std::uint16_t characterId = 0;
    };
    void SetVariantSymbol(std::size_t variant, Symbol symbol);
    void SelectVariant(std::size_t variant) { currentVariant_ = variant; }
    std::size_t GetCurrentVariant() const { return currentVariant_; }
    Symbol GetCurrentSymbol() const;

private:
    std::string symbol_;
    std::string label_;
    std::string category_;
    std::string description_;
    int scalingMode_ = 3;
    std::vector<std::string> traits_;
    std::array<double, 4> bounds_{0, 0, 0, 0};
    std::uint8_t boundsChanged_ = 0;
    int counter_ = 0;
    std::unique_ptr<CSwfComponent> prototype_;
    std::vector<Symbol> symbols_;
    std::size_t currentVariant_ = 0;
};
