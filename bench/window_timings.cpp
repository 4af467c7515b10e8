// What the window's user waits for at 100,000 rows, timed in a fresh
// process the way the window does it (same heap set-up, same core calls,
// no drawing): the first Add Folder (the listing, the rows and the preview),
// a refresh of the preview on its own, and the heap the job's plan adds.
//
//   window_timings FOLDER [PROTOTYPE]
//
// Prints one line: add_folder_ms refresh_ms plan_MiB rows. Changes nothing
// on disk; bench/process_bench.py runs it and takes medians.

#include <chrono>
#include <cstdio>
#include <string>

#include "bench/heap_in_use.h"
#include "files/add_files.h"
#include "files/file_list.h"
#include "platform/heap.h"
#include "rename/preview.h"
#include "rename/rename_job.h"

namespace {

double MillisecondsSince(std::chrono::steady_clock::time_point start) {
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start)
        .count();
}

}  // namespace

int main(int argc, char** argv) {
    UseHugePagesForHeap();
    if (argc < 2 || argc > 3) {
        std::fprintf(stderr, "usage: window_timings FOLDER [PROTOTYPE]\n");
        return 2;
    }
    CListCtrl list;
    InsertFileListColumns(list);
    PlainTextField prototype(argc == 3 ? argv[2] : "Photo-${i}.${ext;low}");
    PlainTextField filter;
    FilterState filterState;
    const auto refresh = [&] { RefreshList({list, prototype, filter, filterState}); };
    ListHost files{list, refresh};

    auto start = std::chrono::steady_clock::now();
    if (!AddFolder(files, argv[1])) {
        std::fprintf(stderr, "window_timings: cannot add %s\n", argv[1]);
        return 2;
    }
    const double addFolder = MillisecondsSince(start);

    start = std::chrono::steady_clock::now();
    refresh();
    const double refreshed = MillisecondsSince(start);

    const std::size_t before = HeapInUse();
    RenameJobOptions options;
    options.record = false;
    const RenameJob job(list, options);
    const double planMiB = static_cast<double>(HeapInUse() - before) / (1024.0 * 1024.0);

    std::printf("%.1f %.1f %.2f %d\n", addFolder, refreshed, planMiB, list.GetItemCount());
    std::fflush(stdout);
    // The process ends here; freeing 100,000 rows one by one would only
    // delay the next run.
    std::_Exit(0);
}
