#pragma once

#include "model/ParameterKinds.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace model {
class RangeHandle;
struct RangeArea;
}
class CParameter;
class CBindingLink;
class CVariablePath;

// The text pair of a binding: the workbook text and the range reference text.
class CBindingTexts {
public:
    std::string workbookText;
    std::string rangeText;

    // A copy of the range reference text; empty when nothing was picked.
    std::string GetRangeText() const { return rangeText; }
    bool operator==(const CBindingTexts&) const = default;
};

// The value of a cell-binding parameter. The range belongs to the variable table; a binding
// only refers to it and never frees it. Once that table is cleared or replaced the binding
// reads as unbound (its texts and last values stay), so a range freed with the table is never
// touched.
class CCellBinding {
public:
    // name: the name the bound value parameter carries (that of the binding parameter).
    explicit CCellBinding(const std::string& name = std::string());
    CCellBinding(const CCellBinding& other);
    CCellBinding& operator=(const CCellBinding& other);
    ~CCellBinding();

    bool IsBound() const { return GetRangePtr() != nullptr; }
    // The bound range, or null when there is none or the table it came from is gone.
    const model::RangeHandle* GetRangePtr() const;

    // Keeps the new range and rewrites the range text from it. None clears the range and
    // empties a string bound value.
    void SetRange(const model::RangeHandle* range);
    // Makes range the binding's range and re-reads the bound value from its cells (a list of
    // rows gets one element per row of each area; a list of scalars one element per cell);
    // with none the link is removed and the last values stay as constants. A chart's data that
    // recorded its series reads them series by series instead: see GetRecordedRanges.
    void RefreshParameter(const model::RangeHandle* range, bool flag);
    // Sets the range and rewrites the range text from it.
    void UpdateRangeText(const model::RangeHandle* range);
    // True only when bound, the bound value is a scalar and the first cell holds a formula.
    bool TestFirstCell() const;

    CBindingTexts& GetTexts() { return texts_; }
    const CBindingTexts& GetTexts() const { return texts_; }

    int GetDirection() const { return direction_; }
    void SetDirection(int direction) { direction_ = static_cast<std::uint8_t>(direction); }
    std::int32_t GetOption() const { return option_; }
    void SetOption(std::int32_t option) { option_ = option; }
    std::uint8_t GetFirstFlag() const { return firstFlag_; }
    void SetFirstFlag(std::uint8_t flag) { firstFlag_ = flag; }

    // The binding parameter was renamed: its bound value and the variables its links write
    // into take the new name.
    void Rename(const std::string& name);

    // The parameter that holds the current value (scalar or a list of cells or rows).
    CParameter& GetValue() { return *value_; }
    const CParameter& GetValue() const { return *value_; }
    void SetValue(std::unique_ptr<CParameter> value);

    // Variable-table range indexes recorded with the binding. For a chart's data ("dataValues"):
    // its data range, then the values, Y values and sizes of each series (-1 where there is
    // none); each recorded range past the first becomes one element of the bound value, its
    // cells a list of rows as a bound list of rows holds them (an empty list for -1), so that
    // every series reaches the movie from its own cells however they lie on the sheet.
    std::vector<std::int32_t>& GetRecordedRanges() { return recordedRanges_; }
    const std::vector<std::int32_t>& GetRecordedRanges() const { return recordedRanges_; }

    // One link per bound cell, rebuilt whenever the bound value is re-read.
    int GetLinkCount() const { return static_cast<int>(links_.size()); }
    CBindingLink* GetLink(int index) const;

private:
    std::int32_t option_ = 0;
    std::uint8_t direction_ = model::kDirectionBoth;
    std::uint8_t firstFlag_ = 0;
    CBindingTexts texts_;
    void KeepRange(const model::RangeHandle* range);
    // A chart's data ("dataValues") that recorded its series; other bindings keep their own
    // lists of recorded ranges (a data connection's entries) and read their range as it is.
    bool HasParts() const;
    void ReadParts(const std::vector<model::RangeArea>& areas, std::vector<std::int32_t>& ids,
                   std::vector<CVariablePath>& paths);

    const model::RangeHandle* range_ = nullptr;
    std::uint64_t tableGeneration_ = 0;
    std::unique_ptr<CParameter> value_;
    std::vector<std::int32_t> recordedRanges_;
    std::vector<std::unique_ptr<CBindingLink>> links_;
};
