#include "engine/name_tags.h"

#include <vector>

#include "engine/case_words.h"
#include "engine/expand_prototype.h"

namespace {

// Stands for "no case word given" inside SelectWords; no user token can equal
// it, since a tag ends at its first "}".
constexpr std::string_view kKeepCaseMarker = "${imf}";

std::string Error() { return std::string(kErrorMarker); }

std::string_view WordOf(std::string_view text, const WordSpan& span) {
    return text.substr(span.start, span.length);
}

// Appends the characters of `text` at the 1-based positions of `list`;
// positions outside the text select nothing.
void AppendCharacters(std::string_view text, const PositionList& list, std::string& result) {
    const std::vector<std::size_t> starts = CharacterStarts(text);
    for (std::uint32_t p : list.positions) {
        if (p < 1 || p > starts.size()) continue;
        const std::size_t at = starts[p - 1];
        result += text.substr(at, CharacterLength(text, at));
    }
}

// Applies an optional trailing case word at `index` to the whole result.
std::string WithOptionalCase(const Tokens& tokens, std::size_t index, std::string result) {
    if (tokens.size() > index && !ApplyCaseWord(tokens[index], result)) return Error();
    return result;
}

bool ContainsInvalidNameChar(std::string_view text) {
    for (char c : text) {
        if (IsInvalidNameChar(c)) return true;
    }
    return false;
}

}  // namespace

std::string ExpandExtTag(const Tokens& tokens, std::string_view extension) {
    if (tokens.size() == 1) return std::string(extension);
    if (tokens.size() == 2) {
        if (tokens[1] == "low") return Lowercased(extension);
        if (tokens[1] == "up") return Uppercased(extension);
    }
    return Error();
}

std::string ExpandIdTag(const Tokens& tokens, std::string_view id) {
    const std::size_t n = tokens.size();
    if (n == 1) return std::string(id);
    const std::string& form = tokens[1];
    if (form == "low" && n == 2) return Lowercased(id);
    if (form == "up" && n == 2) return Uppercased(id);
    if (form == "cap") {
        if (n == 2) return CapitalizeWords(id, nullptr);
        PositionList list;
        if (n == 3 && ParsePositionList(tokens[2], list)) return CapitalizeWords(id, &list);
        return Error();
    }
    if (form == "word") {
        if (n < 3) return Error();
        PositionList list;
        if (ParsePositionList(tokens[2], list)) return SelectWords(tokens, list, id);
        return SelectWordCharacters(tokens, id);
    }
    if (form == "str") return SelectCharacters(tokens, id);
    return Error();
}

std::string CapitalizeWords(std::string_view id, const PositionList* list) {
    std::string result(id);
    std::vector<WordSpan> words;
    if (!FindWords(id, words)) return result;

    std::vector<bool> chosen(words.size() + 1, list == nullptr);
    if (list != nullptr) {
        for (std::uint32_t p : list->positions) {
            if (p == kLastPosition) p = static_cast<std::uint32_t>(words.size());
            if (p >= 1 && p <= words.size()) chosen[p] = true;
        }
    }
    for (std::size_t p = 1; p <= words.size(); ++p) {
        if (!chosen[p]) continue;
        const WordSpan& span = words[p - 1];
        result[span.start] = UppercaseChar(result[span.start]);
        for (std::uint32_t i = 1; i < span.length; ++i)
            result[span.start + i] = LowercaseChar(result[span.start + i]);
    }
    return result;
}

std::string SelectWords(const Tokens& tokens, const PositionList& list, std::string_view id) {
    const std::size_t n = tokens.size();
    if (n != 4 && n != 5) return Error();
    std::vector<WordSpan> words;
    if (!FindWords(id, words)) return {};

    // A lone quote both begins and ends with a quote, but quotes nothing.
    const std::string& quoted = tokens[3];
    if (quoted.size() < 2 || quoted.front() != '\'' || quoted.back() != '\'') return Error();
    const std::string_view separator = std::string_view(quoted).substr(1, quoted.size() - 2);
    if (ContainsInvalidNameChar(separator)) return Error();
    const std::string_view caseWord = n == 5 ? std::string_view(tokens[4]) : kKeepCaseMarker;

    const auto count = static_cast<std::uint32_t>(words.size());
    std::string result;
    // A range running up to the last-position marker has already walked over
    // the last word when the id has fewer words than the marker; the marker
    // must not append that word a second time.
    bool lastWordTaken = false;
    for (std::uint32_t p : list.positions) {
        if (p == kLastPosition) {
            if (list.isRange && lastWordTaken) continue;
            p = count;
        }
        if (p < 1 || p > count) continue;
        std::string word(WordOf(id, words[p - 1]));
        if (caseWord != kKeepCaseMarker && !ApplyCaseWord(caseWord, word)) return Error();
        result += word;
        result += separator;
        if (p == count) lastWordTaken = true;
        // Past this the name is cut anyway; memory stays in proportion.
        if (result.size() > kMaxExpandedName) break;
    }
    if (!result.empty()) result.resize(result.size() - separator.size());
    return result;
}

std::string SelectWordCharacters(const Tokens& tokens, std::string_view id) {
    const std::size_t n = tokens.size();
    if (n != 5 && n != 6) return Error();
    std::vector<WordSpan> words;
    if (!FindWords(id, words)) return {};

    std::string numberText = tokens[2];
    ReplacePositionPlaceholders(numberText);
    std::uint32_t number = ParseUnsigned(numberText);
    if (number == kLastPosition) number = static_cast<std::uint32_t>(words.size());
    if (number < 1 || number > words.size()) return {};

    if (tokens[3] != "str") return Error();
    PositionList list;
    if (!ParsePositionList(tokens[4], list)) return Error();
    std::string result;
    AppendCharacters(WordOf(id, words[number - 1]), list, result);
    return WithOptionalCase(tokens, 5, std::move(result));
}

std::string SelectCharacters(const Tokens& tokens, std::string_view id) {
    const std::size_t n = tokens.size();
    if (n != 3 && n != 4) return Error();
    PositionList list;
    if (!ParsePositionList(tokens[2], list)) return Error();
    std::string result;
    AppendCharacters(id, list, result);
    return WithOptionalCase(tokens, 3, std::move(result));
}
