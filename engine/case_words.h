// The case words of the prototype language: "low", "up" and "cap".
#pragma once

#include <string>
#include <string_view>

// Applies the case word to `text`. Returns false, leaving `text` alone, for
// any word other than the three (they match exactly and case-sensitively).
bool ApplyCaseWord(std::string_view caseWord, std::string& text);
