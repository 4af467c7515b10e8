#include "engine/case_words.h"

#include "engine/text_utils.h"

bool ApplyCaseWord(std::string_view caseWord, std::string& text) {
    if (caseWord == "low") {
        LowercaseInPlace(text);
    } else if (caseWord == "up") {
        UppercaseInPlace(text);
    } else if (caseWord == "cap") {
        CapitalizeInPlace(text);
    } else {
        return false;
    }
    return true;
}
