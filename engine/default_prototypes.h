// The prototypes the program offers before the user has entered any, in the
// order they are offered; the first is the one selected after a reset.
#pragma once

#include <array>
#include <string_view>

inline constexpr std::array<std::string_view, 7> kDefaultPrototypes = {
    "${id}.${ext}",
    "${id;cap}.${ext;low}",
    "Track-${i}.${ext;low}",
    "Photo-${i}.${ext;low}",
    "Movie-${i}.${ext;low}",
    "${i} - My Document - Made on (${tm;%A}, ${tm;%B} ${tm;%d}, ${tm;%Y}) At "
    "(${tm;%H}-${tm;%M}-${tm;%S}).${ext;low}",
    "${i} - My Document - Made on (${tm;%A}, ${tm;%B} ${tm;%d}, ${tm;%Y}) At "
    "(${tm;%I}-${tm;%M}-${tm;%S} ${tm;%p}).${ext;low}",
};
