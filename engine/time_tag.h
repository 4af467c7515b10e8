// The time tag "tm": one field of the current local date and time.
#pragma once

#include <ctime>
#include <string>
#include <string_view>

#include "engine/text_utils.h"

// ${tm;conversion} or ${tm;conversion;case}; the conversion is one of the
// 17 strftime conversions below, the case word allowed on names and AM/PM only.
std::string ExpandTimeTag(const Tokens& tokens);

// Formats one conversion ("%a", "%A", "%b", "%B", "%d", "%H", "%I", "%j",
// "%m", "%M", "%p", "%S", "%U", "%w", "%W", "%y", "%Y") exactly as strftime
// does in the "C" locale, whatever locale the process runs in. Returns false
// for any other text.
bool FormatTimeConversion(std::string_view conversion, const std::tm& time, std::string& text);

// Whether the conversion gives a name or AM/PM, so that a case word applies.
bool IsTextualTimeConversion(std::string_view conversion);
