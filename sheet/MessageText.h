#pragma once

#include <cstddef>
#include <string>
#include <string_view>

// Texts from a workbook (values, names, formulas) quoted in messages for the user. They may
// be megabytes long or carry terminal control sequences, so they are cut to a readable length
// and their control characters are written as escapes.
namespace sheet {

inline constexpr std::size_t kQuotedTextChars = 64;

// Control characters become \xHH (C1 controls \u00HH); the text is cut after maxChars
// characters, never inside one, and then ends in "...".
std::string PrintableText(std::string_view text, std::size_t maxChars = kQuotedTextChars);
// The same in double quotes.
std::string QuotedText(std::string_view text, std::size_t maxChars = kQuotedTextChars);

} // namespace sheet
