// The rename job over 10,000 and 100,000 files, on tmpfs and on disk, with its
// record, beside the floor of what any safe job must do for each file: one
// status query and two no-replace renames (old name to temporary name to new
// name).
#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <stdio.h>
#include <stdlib.h>
#include <sys/stat.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <string>
#include <vector>

#include "bench/heap_in_use.h"
#include "files/file_list.h"
#include "rename/preview.h"
#include "rename/rename_job.h"

namespace {

// A folder of `count` files named IMG_<n>.JPG, made once per place and size.
class FileFolder {
public:
    FileFolder(const std::string& base, int count) {
        std::string pattern = base + "/quorvel-bench-XXXXXX";
        if (mkdtemp(pattern.data()) == nullptr) throw std::runtime_error("mkdtemp failed");
        path_ = pattern + "/";
        for (int i = 0; i < count; ++i) {
            names_.push_back("IMG_" + std::to_string(100000 + i) + ".JPG");
            std::ofstream(path_ + names_.back()) << i;
        }
    }
    ~FileFolder() { std::filesystem::remove_all(path_); }
    const std::string& Path() const { return path_; }
    const std::vector<std::string>& Names() const { return names_; }

    // Puts every file back under its first name after a run renamed them.
    void Restore(const std::vector<std::string>& current) const {
        for (std::size_t i = 0; i < names_.size(); ++i)
            rename((path_ + current[i]).c_str(), (path_ + names_[i]).c_str());
    }

private:
    std::string path_;
    std::vector<std::string> names_;
};

const FileFolder& FolderOf(const std::string& base, int count) {
    static std::map<std::pair<std::string, int>, FileFolder> folders;
    return folders.try_emplace({base, count}, base, count).first->second;
}

std::string BaseOf(benchmark::State& state) { return state.range(1) == 0 ? "/dev/shm" : "/tmp"; }

// The job keeps its record on the same file system as the files it renames,
// in a folder of the benchmark's own.
class StateFolder {
public:
    explicit StateFolder(const std::string& base) {
        std::string pattern = base + "/quorvel-bench-state-XXXXXX";
        if (mkdtemp(pattern.data()) == nullptr) throw std::runtime_error("mkdtemp failed");
        path_ = pattern;
    }
    ~StateFolder() { std::filesystem::remove_all(path_); }
    void Use() const { setenv("XDG_STATE_HOME", path_.c_str(), 1); }

private:
    std::string path_;
};

void UseStateFolderOn(const std::string& base) {
    static std::map<std::string, StateFolder> folders;
    folders.try_emplace(base, base).first->second.Use();
}

void BM_RenameJob(benchmark::State& state) {
    const FileFolder& folder = FolderOf(BaseOf(state), static_cast<int>(state.range(0)));
    UseStateFolderOn(BaseOf(state));
    std::size_t planBytes = 0;  // the heap the plan holds before it runs
    for (auto _ : state) {
        state.PauseTiming();
        CListCtrl list;
        InsertFileListColumns(list);
        for (const std::string& name : folder.Names()) InsertFile(list, folder.Path() + name);
        PreviewNames(list, "Photo-${i}.${ext;low}");
        state.ResumeTiming();

        const std::size_t before = HeapInUse();
        RenameJob job(list);
        planBytes = HeapInUse() - before;
        if (job.Run() != 0) state.SkipWithError("some files were not renamed");

        state.PauseTiming();
        std::vector<std::string> current;
        for (int row = 0; row < list.GetItemCount(); ++row)
            current.push_back(list.GetItemText(row, kOldColumn));
        folder.Restore(current);
        state.ResumeTiming();
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
    state.counters["plan_MiB"] = static_cast<double>(planBytes) / (1024.0 * 1024.0);
}

void BM_SystemCallFloor(benchmark::State& state) {
    const FileFolder& folder = FolderOf(BaseOf(state), static_cast<int>(state.range(0)));
    std::vector<std::string> oldPaths, temporaryPaths, newPaths, newNames;
    for (std::size_t i = 0; i < folder.Names().size(); ++i) {
        oldPaths.push_back(folder.Path() + folder.Names()[i]);
        temporaryPaths.push_back(folder.Path() + RandomFileName(8, 3));
        newNames.push_back("Photo-" + std::to_string(i) + ".jpg");
        newPaths.push_back(folder.Path() + newNames.back());
    }
    for (auto _ : state) {
        for (std::size_t i = 0; i < oldPaths.size(); ++i) {
            struct stat info {};
            stat(oldPaths[i].c_str(), &info);
            renameat2(AT_FDCWD, oldPaths[i].c_str(), AT_FDCWD, temporaryPaths[i].c_str(),
                      RENAME_NOREPLACE);
            renameat2(AT_FDCWD, temporaryPaths[i].c_str(), AT_FDCWD, newPaths[i].c_str(),
                      RENAME_NOREPLACE);
        }
        state.PauseTiming();
        folder.Restore(newNames);
        state.ResumeTiming();
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}

// Arguments: files, and 0 for tmpfs or 1 for disk.
void Sizes(benchmark::internal::Benchmark* benchmark) {
    for (int place : {0, 1}) {
        for (int files : {10000, 100000}) benchmark->Args({files, place});
    }
    benchmark->ArgNames({"files", "disk"})->Unit(benchmark::kMillisecond)->UseRealTime();
}

BENCHMARK(BM_RenameJob)->Apply(Sizes);
BENCHMARK(BM_SystemCallFloor)->Apply(Sizes);

}  // namespace
