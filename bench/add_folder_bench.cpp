// Add Folder of 10,000 and 100,000 files, then a refresh with a prototype:
// the whole path from the disk to the previewed list, without a window.
#include <benchmark/benchmark.h>
#include <stdlib.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <memory>
#include <string>

#include "bench/heap_in_use.h"
#include "files/add_commands.h"
#include "rename/preview.h"

namespace {

// One folder of `count` files per size, made once and removed at exit.
class FileFolder {
public:
    explicit FileFolder(int count) {
        std::string pattern =
            (std::filesystem::temp_directory_path() / "quorvel-bench-XXXXXX").string();
        if (mkdtemp(pattern.data()) == nullptr) throw std::runtime_error("mkdtemp failed");
        path_ = pattern + "/";
        for (int i = 0; i < count; ++i) {
            const char* extensions[] = {".JPG", ".jpg", ".png", ".txt", ".MOV"};
            std::ofstream(path_ + "IMG_" + std::to_string(100000 + i) + extensions[i % 5]);
        }
    }
    ~FileFolder() { std::filesystem::remove_all(path_); }
    const std::string& Path() const { return path_; }

private:
    std::string path_;
};

const FileFolder& FolderOf(int count) {
    static std::map<int, FileFolder> folders;
    return folders.try_emplace(count, count).first->second;
}

void BM_AddFolderAndRefresh(benchmark::State& state, const char* prototypeText) {
    const int count = static_cast<int>(state.range(0));
    const FileFolder& folder = FolderOf(count);
    double listBytes = 0;
    for (auto _ : state) {
        // Only adding and previewing are timed, not making and freeing the list.
        state.PauseTiming();
        auto list = std::make_unique<CListCtrl>();
        PlainTextField prototype(prototypeText);
        PlainTextField filter;
        FilterState filterState;
        ListHost files{*list, [&] { RefreshList({*list, prototype, filter, filterState}); }};
        const std::size_t before = HeapInUse();
        state.ResumeTiming();

        if (!AddFolder(files, folder.Path()) || list->GetItemCount() != count)
            state.SkipWithError("the folder was not added whole");

        state.PauseTiming();
        listBytes = static_cast<double>(HeapInUse() - before);
        list.reset();
        state.ResumeTiming();
    }
    state.SetItemsProcessed(state.iterations() * count);
    state.counters["list_MiB"] = listBytes / (1024.0 * 1024.0);
}

BENCHMARK_CAPTURE(BM_AddFolderAndRefresh, id_ext, "${id}.${ext}")
    ->Arg(10000)
    ->Arg(100000)
    ->Unit(benchmark::kMillisecond)
    ->MeasureProcessCPUTime()
    ->UseRealTime();
BENCHMARK_CAPTURE(BM_AddFolderAndRefresh, photo_counter, "Photo-${i}.${ext;low}")
    ->Arg(10000)
    ->Arg(100000)
    ->Unit(benchmark::kMillisecond)
    ->MeasureProcessCPUTime()
    ->UseRealTime();

}  // namespace
