// The counter tag "i": prints its base's counter, then advances it.
#pragma once

#include <string>

#include "engine/template_context.h"
#include "engine/text_utils.h"

// Options in any order: "dec", "oct", "hex" (base); "low", "up" (hex digit
// case); "+b", "-b" (base prefix); anything else is the start text, read in
// the tag's base when its counter first runs in a pass.
std::string ExpandCounterTag(TemplateContext& context, const Tokens& tokens);
