// The "ext" and "id" tags: the old name's extension and id (the name without
// its extension), with letter case, word and character selection.
#pragma once

#include <string>
#include <string_view>

#include "engine/position_list.h"
#include "engine/text_utils.h"

// ${ext}, ${ext;low}, ${ext;up}.
std::string ExpandExtTag(const Tokens& tokens, std::string_view extension);

// Every form of ${id;...}, chosen by token 1.
std::string ExpandIdTag(const Tokens& tokens, std::string_view id);

// The id with its words capitalised: all of them, or those in `list`.
std::string CapitalizeWords(std::string_view id, const PositionList* list);

// ${id;word;list;'sep'[;case]}: the listed words joined by the separator.
std::string SelectWords(const Tokens& tokens, const PositionList& list, std::string_view id);

// ${id;word;N;str;list[;case]}: the listed characters of word N.
std::string SelectWordCharacters(const Tokens& tokens, std::string_view id);

// ${id;str;list[;case]}: the listed characters of the id.
std::string SelectCharacters(const Tokens& tokens, std::string_view id);
