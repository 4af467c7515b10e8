// One preview pass of each default prototype over 100,000 varied old names.
#include <benchmark/benchmark.h>

#include <random>
#include <string>
#include <vector>

#include "engine/default_prototypes.h"
#include "engine/expand_prototype.h"

namespace {

constexpr int kNames = 100000;

// Names as a photo, music or document folder holds them: camera names,
// titles of several words, dates, dotted and extension-less names, bytes
// above 127.
std::vector<std::string> VariedOldNames() {
    const std::vector<std::string> stems = {"IMG_",
                                            "DSC",
                                            "Holiday photo ",
                                            "The quick brown fox ",
                                            "Track ",
                                            "2005-03-09 ",
                                            "r\xE9sum\xE9 ",
                                            "archive.tar",
                                            ".profile",
                                            "README",
                                            "My Document - draft ",
                                            "HELLO_world-",
                                            "mcDONALD and sons (final) ",
                                            "a"};
    const std::vector<std::string> extensions = {".JPG", ".jpg", ".mp3",  ".txt", ".gz",
                                                 "",     ".MOV", ".docx", ".",    ".Tar.GZ"};
    std::mt19937 random(20050309);
    std::vector<std::string> names;
    names.reserve(kNames);
    for (int i = 0; i < kNames; ++i) {
        std::string name = stems[random() % stems.size()];
        name += std::to_string(random() % 100000);
        if (random() % 4 == 0) name += " copy";
        name += extensions[random() % extensions.size()];
        names.push_back(std::move(name));
    }
    return names;
}

void BM_PreviewPass(benchmark::State& state) {
    const std::string_view prototype = kDefaultPrototypes[static_cast<std::size_t>(state.range(0))];
    static const std::vector<std::string> names = VariedOldNames();
    std::size_t bytes = 0;
    for (auto _ : state) {
        TemplateContext context;
        for (const std::string& name : names) {
            std::string newName = ExpandPrototype(prototype, context, name);
            bytes += newName.size();
            benchmark::DoNotOptimize(newName);
        }
    }
    state.SetItemsProcessed(state.iterations() * kNames);
    state.counters["bytes_out"] =
        static_cast<double>(bytes) / static_cast<double>(state.iterations());
    state.SetLabel(std::string(prototype.substr(0, 24)));
}

BENCHMARK(BM_PreviewPass)->DenseRange(0, 6)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
