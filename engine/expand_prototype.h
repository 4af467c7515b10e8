// Expands a prototype (a name template with tags between "${" and "}") for
// one old file name.
#pragma once

#include <string>
#include <string_view>

#include "engine/template_context.h"
#include "engine/text_utils.h"

// Stands in the new name wherever a tag cannot be evaluated.
inline constexpr std::string_view kErrorMarker = "${error}";

// An expanded name stops growing past this many bytes (well above what a
// cell holds) and is cut there between characters.
inline constexpr std::size_t kMaxExpandedName = 16 * 1024;

// Replaces every tag of `prototype`, left to right; text outside tags is
// copied. What a tag produced is never searched for further tags.
std::string ExpandPrototype(std::string_view prototype, TemplateContext& context,
                            std::string_view oldName);

// The text that replaces one tag, given with its "${" and "}".
std::string ExpandTag(TemplateContext& context, std::string_view tag, std::string_view oldName);

// One row of the dispatch table: a tag name and the evaluator it selects.
// The tokens still hold the tag name at position 0.
struct TagRow {
    std::string_view name;
    std::string (*evaluate)(TemplateContext& context, const Tokens& tokens,
                            std::string_view oldName);
};
