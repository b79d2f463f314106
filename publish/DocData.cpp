#include "publish/DocData.h"

CDocData::CDocData() = default;

CDocData::~CDocData() = default;

void CDocData::AddComponent(std::unique_ptr<CObjectRecord> record)
{
    for (CComponent* component : record->components) {
        record->indexes.push_back(static_cast<std::uint32_t>(components_.size()));
        components_.push_back(component);
    }
    objects_.push_back(std::move(record));
}

CComponent* CDocData::GetInstance(std::size_t index) const
{
    return index < components_.size() ? components_[index] : nullptr;
}

CObjectRecord* CDocData::GetComponent(std::size_t index) const
{
    return index < objects_.size() ? objects_[index].get() : nullptr;
}

void CDocData::GetStageSize(std::int32_t& width, std::int32_t& height) const
{
    width = width_;
    height = height_;
}

void CDocData::SetStageSize(std::int32_t width, std::int32_t height)
{
    width_ = width;
    height_ = height;
}

void CDocData::Clear()
{
    components_.clear();
    objects_.clear();
    owned_.clear();
    restored_.clear();
    paper_ = {255, 255, 255};
    width_ = 0;
    height_ = 0;
    description_.clear();
    sourceName_.clear();
    copyName_.clear();
}
