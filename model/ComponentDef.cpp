#include "model/ComponentDef.h"

#include "model/Component.h"

CComponentDef::CComponentDef(std::string symbol, std::string label)
    : symbol_(std::move(symbol)), label_(std::move(label))
{
}

CComponentDef::~CComponentDef() = default;

void CComponentDef::SetPrototype(std::unique_ptr<CSwfComponent> prototype)
{
    prototype_ = std::move(prototype);
}

void CComponentDef::SetVariantSymbol(std::size_t variant, Symbol symbol)
{
    if (symbols_.size() <= variant) {
        symbols_.resize(variant + 1);
    }
    symbols_[variant] = symbol;
}

CComponentDef::Symbol CComponentDef::GetCurrentSymbol() const
{
    if (currentVariant_ < symbols_.size() && symbols_[currentVariant_].movie) {
        return symbols_[currentVariant_];
    }
    return symbols_.empty() ? Symbol() : symbols_.front();
}
