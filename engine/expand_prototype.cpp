#include "engine/expand_prototype.h"

#include <array>

#include "engine/counter_tag.h"
#include "engine/name_tags.h"
#include "engine/path_names.h"
#include "engine/time_tag.h"

namespace {

constexpr std::array<TagRow, 4> kTagTable{{
    {"i", [](TemplateContext& context, const Tokens& tokens,
             std::string_view) { return ExpandCounterTag(context, tokens); }},
    {"ext",
     [](TemplateContext&, const Tokens& tokens, std::string_view oldName) {
         return ExpandExtTag(tokens, ExtensionOfFileName(oldName));
     }},
    {"id", [](TemplateContext&, const Tokens& tokens,
              std::string_view oldName) { return ExpandIdTag(tokens, IdOfFileName(oldName)); }},
    {"tm", [](TemplateContext&, const Tokens& tokens,
              std::string_view) { return ExpandTimeTag(tokens); }},
}};

constexpr std::string_view kTagOpen = "${";
constexpr char kTagClose = '}';

}  // namespace

std::string ExpandTag(TemplateContext& context, std::string_view tag, std::string_view oldName) {
    if (tag.size() < kTagOpen.size() + 1 || !tag.starts_with(kTagOpen) || tag.back() != kTagClose)
        return std::string(kErrorMarker);
    const std::string_view body = tag.substr(kTagOpen.size(), tag.size() - kTagOpen.size() - 1);

    // No evaluator expands tags itself, so one token buffer per thread serves
    // every tag and a pass over many rows does not allocate a list per tag.
    thread_local Tokens tokens;
    if (!SplitTokens(body, ';', tokens)) return std::string(kErrorMarker);
    for (const TagRow& row : kTagTable) {
        if (tokens[0] == row.name) return row.evaluate(context, tokens, oldName);
    }
    return std::string(kErrorMarker);
}

std::string ExpandPrototype(std::string_view prototype, TemplateContext& context,
                            std::string_view oldName) {
    std::string result;
    result.reserve(prototype.size() + oldName.size());
    std::size_t copied = 0;
    std::size_t open = prototype.find(kTagOpen);
    while (open != std::string_view::npos) {
        const std::size_t close = prototype.find(kTagClose, open + kTagOpen.size());
        if (close == std::string_view::npos) break;
        // Every tag is still evaluated, so that counters advance as usual.
        const std::string value =
            ExpandTag(context, prototype.substr(open, close - open + 1), oldName);
        if (result.size() <= kMaxExpandedName) {
            result.append(prototype, copied, open - copied);
            result += value;
        }
        copied = close + 1;
        open = prototype.find(kTagOpen, copied);
    }
    if (result.size() <= kMaxExpandedName) result.append(prototype, copied);
    if (result.size() > kMaxExpandedName)
        result.resize(CutBetweenCharacters(result, kMaxExpandedName).size());
    return result;
}
