#include "model/BindingLink.h"

CBindingLink::CBindingLink(std::vector<model::LinkPathElement> path, std::int32_t cellId)
    : path_(std::move(path)), cellId_(cellId)
{
}

void CBindingLink::AddDependentLink(CBindingLink* link)
{
    if (link) {
        dependents_.push_back(link);
    }
}

void CBindingLink::AddSameCellLink(CBindingLink* link)
{
    if (link && link != this) {
        sameCell_.push_back(link);
    }
}

void CBindingLink::ResetValues()
{
    dependents_.clear();
    sameCell_.clear();
}

void CBindingLink::FreeValues()
{
    std::vector<CBindingLink*>().swap(dependents_);
    std::vector<CBindingLink*>().swap(sameCell_);
}
