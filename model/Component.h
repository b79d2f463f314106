#pragma once

#include "base/RecordStream.h"
#include "model/ParameterSet.h"
#include "model/PropertyMap.h"

#include <array>
#include <cstdint>
#include <memory>
#include <set>
#include <string>
#include <string_view>
#include <vector>

class CComponentDef;
class CBindingLink;
class CActionList;
class CSwfMovie;
namespace swf {
class IdCounter;
}
class CChartData;

// A rectangle in twips.
struct ComponentRect {
    std::int32_t left = 0, top = 0, right = 0, bottom = 0;
    bool operator==(const ComponentRect&) const = default;
};

// A component instance or prototype: name, rectangle, placement bounds, definition, parameters
// and the editor's property map.
class CComponentBase {
public:
    explicit CComponentBase(CComponentDef* definition);
    CComponentBase(const CComponentBase& other);
    virtual ~CComponentBase();
    CComponentBase& operator=(const CComponentBase&) = delete;

    const std::string& GetName() const { return name_; }
    // At most 63 characters.
    void SetName(const std::string& name) { name_ = name.substr(0, 63); }
    // The definition's symbol name, such as KVBarChartSymbol; empty without a definition.
    std::string GetTypeName() const;
    CComponentDef* GetDefinition() const { return definition_; }
    // A trait of the definition's default-parameter file; none without a definition.
    bool HasTrait(std::string_view trait) const;

    ComponentRect GetRect() const { return rect_; }
    virtual void SetRect(const ComponentRect& rect) { rect_ = rect; }

    // Placement bounds in twips.
    void SetBounds(double left, double top, double right, double bottom);
    const std::array<double, 4>& GetBounds() const { return bounds_; } // xmin, xmax, ymin, ymax
    double GetLeft() const { return bounds_[0]; }
    double GetTop() const { return bounds_[2]; }
    double GetWidth() const { return bounds_[1] - bounds_[0]; }
    double GetHeight() const { return bounds_[3] - bounds_[2]; }
    void GetSize(int& width, int& height) const;
    // The definition's registration offset scaled by instance size over definition size.
    double GetOriginX() const;
    double GetOriginY() const;
    int GetScalingMode() const;
    // Adds 1 to the definition's counter and gives "<label> <counter>".
    std::string MakeDisplayName();

    CParameterSet* GetParameters() const { return parameters_.get(); }
    void SetParameters(std::unique_ptr<CParameterSet> parameters) { parameters_ = std::move(parameters); }
    CPropertyMap& GetPropertyMap() { return properties_; }
    const CPropertyMap& GetPropertyMap() const { return properties_; }

protected:
    std::string name_;
    ComponentRect rect_;
    std::array<double, 4> bounds_{0, 0, 0, 0};
    CComponentDef* definition_;
    std::unique_ptr<CParameterSet> parameters_;
    CPropertyMap properties_;
};

// The operations of a placed component: asset uses, copies, placement, scripts, bindings.
class CComponent : public CComponentBase {
public:
    using CComponentBase::CComponentBase;
    CComponent(const CComponent& other);
    ~CComponent() override;

    // One more (or one fewer) use of the definition's current character and what it needs.
    virtual void MarkUsed();
    virtual void ReleaseUse();
    // A new instance: same definition, copied parameters and property map, a new name.
    virtual std::unique_ptr<CComponent> CreateInstance() const = 0;
    // Places the definition's character in movie at the next depth, named after the instance.
    virtual void PlaceInMovie(CSwfMovie& movie, swf::IdCounter& depths) const;
    // Both hand the work to the installed script generator (none: nothing is appended).
    virtual void BuildActionScript(CActionList& actions);
    virtual void EmitModelInitCall(CActionList& actions);
    // The script as statements, each small enough for one function of the movie.
    void BuildActionStatements(std::vector<CActionList>& statements);

    // The links of every cell-binding parameter, in groups and arrays included; each link
    // learns the instance's name as its owner.
    void CollectBindingLinks(std::vector<CBindingLink*>& links) const;
    void SplitBindingLinks(std::vector<CBindingLink*>& constants, std::vector<CBindingLink*>& formulas) const;
    // First set: components bound to the same cells; second: owners of the formula links
    // that depend on this component's constant links. Neither holds the instance itself.
    void RebuildLinkNameSets();
    const std::set<std::string>& GetFirstLinkNames() const { return firstNames_; }
    const std::set<std::string>& GetSecondLinkNames() const { return secondNames_; }
    void ClearBindingValues();
    // Re-reads every bound parameter from its cells.
    void UpdateBindings();
    // The same, and the chart data of a chart component are rebuilt.
    void RefreshFromModel();

    // Record form (docs/model-records.md). Load throws ModelError and changes nothing then.
    void Save(base::RecordWriter& out) const;
    void Load(base::RecordReader& in);

private:
    std::set<std::string> firstNames_;
    std::set<std::string> secondNames_;
};

// A component whose look is an exported symbol of the component assets.
class CSwfComponent : public CComponent {
public:
    using CComponent::CComponent;
    std::unique_ptr<CComponent> CreateInstance() const override;
    // Stage previews mark the prototype's symbol used and release it again.
    void ApplyVariant() { MarkUsed(); }
    void ApplyVariant2() { ReleaseUse(); }
};

// The component script generator lives in the publishing layer, which installs it.
class IComponentScripts {
public:
    virtual ~IComponentScripts() = default;
    virtual void BuildActionScript(CComponent& component, CActionList& actions) = 0;
    virtual void EmitModelInitCall(CComponent& component, CActionList& actions) = 0;
    // The same script as statements each small enough for one function of the movie (a
    // component bound to thousands of cells needs several); by default one statement.
    virtual void BuildActionStatements(CComponent& component, std::vector<CActionList>& statements);
};

namespace model {
void SetComponentScripts(IComponentScripts* scripts);
void ResetComponentScripts();
IComponentScripts* GetComponentScripts();

// The counter that numbers new instances ("<symbol>_<n>"). Each program context owns one and
// lends it here while it is current; without one a counter of the process's own answers.
std::uint32_t& InstanceCounter();
void ResetInstanceCounter();
// Borrowed until replaced; null puts the process's own counter back.
void SetInstanceCounter(std::uint32_t* counter);
// "<symbol>_<n>" within 63 characters: a long symbol is shortened, the number always kept.
std::string MakeInstanceName(const std::string& symbol, std::uint32_t number);
} // namespace model

// Document helpers: a u32 that is ignored, then the instance's record; the definition is found
// in the catalogue by the record's symbol name (an unknown symbol is a ModelError).
std::unique_ptr<CComponent> ReadComponentFromFile(base::RecordReader& in);
void WriteComponentToFile(base::RecordWriter& out, const CComponent& component);
void ReadInstanceCounter(base::RecordReader& in);
void WriteInstanceCounter(base::RecordWriter& out);
