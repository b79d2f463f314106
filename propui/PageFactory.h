#pragma once

// Which pages a component's sheet gets. A handful of components have hand-made page sets chosen
// by their symbol name; every other component gets one page per parameter group, chosen by the
// group's page kind and name. The page classes themselves are registered by the library that
// builds them; a class not (yet) registered is stood in for by the plain parameter-list page,
// so every component can be edited.

#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

class CComponentPage;

struct PageChoice {
    std::string className;
    int variant = 0; // the layout variant of the two classes that have two
    bool operator==(const PageChoice&) const = default;
};

class CPageClassRegistry {
public:
    using Maker = std::function<std::unique_ptr<CComponentPage>(int variant)>;
    // A later registration of the same name replaces the earlier one.
    void Register(const std::string& className, Maker maker);
    bool IsRegistered(const std::string& className) const;
    // Null for a class nobody registered.
    std::unique_ptr<CComponentPage> Make(const std::string& className, int variant) const;

private:
    std::map<std::string, Maker> m_makers;
};

// The page set of a component with hand-made pages (exact, case-sensitive name), else null.
const std::vector<std::string>* SpecialComponentPages(const std::string& typeName);
// The page of a group on the generic path; none when the table gives the group no page.
std::optional<PageChoice> ChooseGroupPage(int pageKind, const std::string& groupName, const std::string& ownerType);

// The name of the generic name/value page, and of the shared behaviour page.
inline constexpr const char* kNameValuePageClass = "CNameValuePage";
inline constexpr const char* kCommonBehaviorPageClass = "CCommonBehaviorPage";
