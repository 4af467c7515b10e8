// Feeds a prototype and an old name to ExpandPrototype. The input is the
// prototype, a line feed, then the old name. Each input runs a pass of three
// rows so that counters advance and tags see several names.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "engine/expand_prototype.h"
#include "engine/position_list.h"

namespace {

// What one pass may produce at most: a tag adds at most a range's worth of
// words and separators, each no longer than the old name or the tag itself.
std::size_t OutputBound(std::size_t prototypeSize, std::size_t oldNameSize) {
    return kMaxRangeEntries * (prototypeSize + 1) * (oldNameSize + 1) + 16 * prototypeSize;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view input(reinterpret_cast<const char*>(data), size);
    const std::size_t newline = input.find('\n');
    const std::string_view prototype = input.substr(0, newline);
    const std::string oldName(newline == std::string_view::npos ? "" : input.substr(newline + 1));

    TemplateContext context;
    for (const std::string& name : {oldName, oldName + ".Ab", "x" + oldName}) {
        const std::string result = ExpandPrototype(prototype, context, name);
        if (result.size() > OutputBound(prototype.size(), name.size())) std::abort();
        // Text without tags is copied unchanged.
        if (prototype.find("${") == std::string_view::npos && result != prototype) std::abort();
    }
    return 0;
}
