#include "model/ParameterSet.h"
#include "model/ParameterLookups.h"

#include "base/RecordStream.h"

CParameterSet::CParameterSet(const CParameterSet& other)
{
    *this = other;
}

CParameterSet& CParameterSet::operator=(const CParameterSet& other)
{
    if (this == &other) {
        return *this;
    }
    // other may be a set nested in one of this set's members: copy it all before releasing.
    std::vector<std::unique_ptr<CParameter>> items;
    items.reserve(other.items_.size());
    for (const auto& item : other.items_) {
        items.push_back(item->Clone(this));
    }
    std::unique_ptr<CParameter> element = other.template_ ? other.template_->Clone(nullptr) : nullptr;
    name_ = other.name_;
    pageKind_ = other.pageKind_;
    items_ = std::move(items);
    template_ = std::move(element);
    return *this;
}

CParameterSet::~CParameterSet() = default;

CParameter* CParameterSet::GetAt(int index) const
{
    if (index < 0 || index >= GetCount()) {
        return nullptr;
    }
    return items_[static_cast<std::size_t>(index)].get();
}

CParameter* CParameterSet::Insert(std::unique_ptr<CParameter> parameter, int index)
{
    if (!parameter) {
        return nullptr;
    }
    parameter->SetOwner(this);
    CParameter* raw = parameter.get();
    if (index < 0 || index >= GetCount()) {
        items_.push_back(std::move(parameter));
    } else {
        items_.insert(items_.begin() + index, std::move(parameter));
    }
    return raw;
}

std::unique_ptr<CParameter> CParameterSet::Detach(int index)
{
    if (index < 0 || index >= GetCount()) {
        return nullptr;
    }
    std::unique_ptr<CParameter> parameter = std::move(items_[static_cast<std::size_t>(index)]);
    items_.erase(items_.begin() + index);
    parameter->SetOwner(nullptr);
    return parameter;
}

void CParameterSet::RemoveAll()
{
    // The template must survive an emptied list, so it is taken now if it was never asked for.
    GetElementTemplate();
    items_.clear();
}

namespace {
model::ParameterLookupWatcher g_lookupWatcher = nullptr;
void* g_lookupContext = nullptr;
} // namespace

void model::WatchParameterLookups(ParameterLookupWatcher watcher, void* context)
{
    g_lookupWatcher = watcher;
    g_lookupContext = context;
}

CParameter* CParameterSet::FindParameter(const std::string& name, const CParameterSet* in) const
{
    const CParameterSet& set = in ? *in : *this;
    if (g_lookupWatcher != nullptr)
        g_lookupWatcher(set, name, g_lookupContext);
    for (const auto& item : set.items_) {
        if (item->GetName() == name) {
            return item.get();
        }
    }
    return nullptr;
}

const CParameter* CParameterSet::GetElementTemplate()
{
    if (!template_) {
        for (const auto& item : items_) {
            if (item->GetType() != model::ParamType::List && item->GetType() != model::ParamType::Group) {
                template_ = item->Clone(nullptr);
                break;
            }
        }
    }
    return template_.get();
}

void CParameterSet::SetElementTemplate(std::unique_ptr<CParameter> element)
{
    if (element) {
        element->SetOwner(nullptr);
    }
    template_ = std::move(element);
}

namespace {

void VisitCellBindings(const CParameterSet& set, const std::function<void(CParameter&)>& visit, int depth)
{
    if (depth > base::RecordReader::kMaxDepth) {
        return;
    }
    for (int i = 0; i < set.GetCount(); ++i) {
        CParameter* parameter = set.GetAt(i);
        if (parameter->GetType() == model::ParamType::CellBinding && parameter->GetBinding()) {
            visit(*parameter);
        } else if (parameter->GetSet()) {
            VisitCellBindings(*parameter->GetSet(), visit, depth + 1);
        }
    }
}

} // namespace

void ForEachCellBinding(const CParameterSet& set, const std::function<void(CParameter&)>& visit)
{
    VisitCellBindings(set, visit, 0);
}
