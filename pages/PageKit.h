#pragma once

// Small rules that every component property page repeats: which of several keys a component
// uses, how a value that may be typed or linked to cells is shown, how typed text becomes a
// number, and how groups of controls are switched together. They hold no state; the page
// blocks (PageBlocks.h) and the pages build on them.

#include "propui/ComponentPage.h"

#include <cstdint>
#include <initializer_list>
#include <string>

class CParameter;
class CParameterSet;
class CWnd;
class CComboBox;

namespace pages {

// The first of the keys that the set holds (components name the same value differently), or
// null when it holds none.
CParameter* FindFirst(const CParameterSet* set, std::initializer_list<const char*> keys);

// The parameter by key when it exists and has the given type (one rule with the pages' base).
using ::FindTyped;

// True when the parameter exists and its boolean is set; a missing one counts as false.
bool BoolOf(const CParameterSet* set, const char* key);

// What a linked-or-typed edit shows: the range text of a bound cell binding, the value text of
// an unbound one's value, or the text of a plain parameter. Empty for none.
std::string ShownText(const CParameter* parameter);

// The parameter that takes typed text: a cell binding's value, or the parameter itself.
CParameter* TypedTarget(CParameter* parameter);

// Removes a cell binding's link, keeping its last value as a constant. Plain parameters are
// left alone.
void Unlink(CParameter* parameter);

// The current text of a choice (type 6) or of a plain string; empty for other types.
std::string ChoiceText(const CParameter* parameter);
// Makes text the current value of a choice (type 6) or of a plain string, keeping the type;
// false when the parameter is neither (or an integer choice and the text no number).
bool SetChoiceText(CParameter* parameter, const std::string& text);

// Decimal conversions as the C library does them: leading blanks, an optional sign and the
// leading digits count; anything else gives 0. Always in the C locale.
std::int32_t ParseInt(const std::string& text);
double ParseDouble(const std::string& text);

// Stores typed text into a parameter by the parameter's own type: strings as they are, numbers
// converted (an empty text makes a number undefined), booleans true unless the text is "FALSE".
void StoreTyped(CParameter& parameter, const std::string& text);

// Without a status cell a component is always shown: the status value and the key (the value
// of its cell when it is linked) both become 1.
void ShowAlways(CParameter& status, CParameter* key);

// Enables, disables, shows or hides dialog items of a page by id; missing ids are skipped.
void EnableItems(CWnd& page, std::initializer_list<int> ids, bool enable);
void ShowItems(CWnd& page, std::initializer_list<int> ids, bool show);

// Selects the first item whose text equals the given one byte for byte; no match leaves the
// combo box without selection. Returns the index or -1.
int SelectExact(CComboBox& combo, const std::string& text);

} // namespace pages
