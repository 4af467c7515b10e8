#include "rename/job_record.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <charconv>
#include <cstdlib>
#include <ctime>

namespace {

constexpr std::string_view kRecordEnd = ".record";
constexpr std::string_view kPartialEnd = ".record.partial";

void AppendEscaped(std::string& out, std::string_view text) {
    if (text.empty()) {
        out += "%-";
        return;
    }
    const auto plain = [](unsigned char c) { return c > 0x20 && c < 0x7F && c != '%'; };
    if (std::all_of(text.begin(), text.end(), plain)) {
        out += text;
        return;
    }
    static const char* hex = "0123456789ABCDEF";
    for (unsigned char c : text) {
        if (plain(c)) {
            out += static_cast<char>(c);
        } else {
            out += '%';
            out += hex[c >> 4];
            out += hex[c & 15];
        }
    }
}

std::string Escaped(std::string_view text) {
    std::string out;
    AppendEscaped(out, text);
    return out;
}

int HexValue(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

bool Unescaped(const std::string& field, std::string& text) {
    text.clear();
    if (field == "%-") return true;
    for (std::size_t i = 0; i < field.size(); ++i) {
        if (field[i] != '%') {
            text += field[i];
            continue;
        }
        if (i + 2 >= field.size()) return false;
        const int high = HexValue(field[i + 1]);
        const int low = HexValue(field[i + 2]);
        if (high < 0 || low < 0) return false;
        text += static_cast<char>(high * 16 + low);
        i += 2;
    }
    return !text.empty();
}

bool Number(const std::string& field, std::uint64_t& value) {
    if (field.empty() || field.size() > 20) return false;
    value = 0;
    for (char c : field) {
        if (c < '0' || c > '9') return false;
        value = value * 10 + static_cast<std::uint64_t>(c - '0');
    }
    return true;
}

std::vector<std::string> Fields(std::string_view line) {
    std::vector<std::string> fields;
    for (std::size_t start = 0; start < line.size();) {
        std::size_t end = line.find(' ', start);
        if (end == std::string_view::npos) end = line.size();
        if (end > start) fields.emplace_back(line.substr(start, end - start));
        start = end + 1;
    }
    return fields;
}

void AppendNumber(std::string& out, std::uint64_t value) {
    char digits[24];
    const auto end = std::to_chars(digits, digits + sizeof digits, value).ptr;
    out.append(digits, end);
}

void AppendIdentity(std::string& out, const FileIdentity& id) {
    AppendNumber(out, static_cast<std::uint64_t>(id.device));
    out += ' ';
    AppendNumber(out, static_cast<std::uint64_t>(id.inode));
}

bool ReadIdentity(const std::string& device, const std::string& inode, FileIdentity& id) {
    std::uint64_t d = 0;
    std::uint64_t i = 0;
    if (!Number(device, d) || !Number(inode, i)) return false;
    id = {static_cast<dev_t>(d), static_cast<ino_t>(i)};
    return true;
}

const char* OutcomeWord(RecordedRow::Outcome outcome) {
    return outcome == RecordedRow::Outcome::Renamed ? "renamed" : "failed";
}

// Reads one line of a record into `data`; false ends the reading.
bool ReadLine(const std::vector<std::string>& f, JobRecordData& data) {
    if (f.empty()) return false;
    const std::string& word = f[0];
    std::uint64_t index = 0;
    if (!data.planWhole) {
        if (word == "row" && f.size() == 7) {
            RecordedRow row;
            if (!Unescaped(f[1], row.folder) || !Unescaped(f[2], row.oldName) ||
                !Unescaped(f[3], row.temporaryName) || !Unescaped(f[4], row.newName) ||
                !ReadIdentity(f[5], f[6], row.identity))
                return false;
            data.rows.push_back(std::move(row));
            return true;
        }
        if (word == "target" && f.size() == 5) {
            RecordedTarget target;
            if (!Number(f[1], index) || index >= data.rows.size() ||
                !Unescaped(f[2], target.asideName) || !ReadIdentity(f[3], f[4], target.identity))
                return false;
            target.row = index;
            data.targets.push_back(std::move(target));
            return true;
        }
        std::uint64_t rows = 0;
        std::uint64_t targets = 0;
        if (word == "plan" && f.size() == 3 && Number(f[1], rows) && Number(f[2], targets) &&
            rows == data.rows.size() && targets == data.targets.size()) {
            data.planWhole = true;
            return true;
        }
        return false;
    }
    if (word == "temporary" && f.size() == 3 && Number(f[1], index) && index < data.rows.size())
        return Unescaped(f[2], data.rows[index].temporaryName);
    if (word == "aside" && f.size() == 3 && Number(f[1], index) && index < data.targets.size())
        return Unescaped(f[2], data.targets[index].asideName);
    if (word == "outcome" && f.size() == 3 && Number(f[1], index) && index < data.rows.size()) {
        if (f[2] != "renamed" && f[2] != "failed") return false;
        data.rows[index].outcome =
            f[2] == "renamed" ? RecordedRow::Outcome::Renamed : RecordedRow::Outcome::Failed;
        return true;
    }
    if (word == "finished" && f.size() == 1) return data.finished = true;
    if (word == "undone" && f.size() == 1) return data.undone = true;
    return false;
}

int MakeFolders(const std::string& path) {
    for (std::size_t slash = path.find('/', 1); slash != std::string::npos;
         slash = path.find('/', slash + 1)) {
        if (mkdir(path.substr(0, slash).c_str(), 0700) != 0 && errno != EEXIST) return errno;
    }
    return 0;
}

std::vector<std::string> NamesEndingWith(std::string_view end) {
    std::vector<std::string> paths;
    const std::string folder = JobRecordFolder();
    DIR* dir = opendir(folder.c_str());
    if (dir == nullptr) return paths;
    while (const dirent* entry = readdir(dir)) {
        const std::string_view name(entry->d_name);
        if (name.starts_with("job-") && name.ends_with(end))
            paths.push_back(folder + entry->d_name);
    }
    closedir(dir);
    std::sort(paths.begin(), paths.end());
    return paths;
}

}  // namespace

bool EndsFinished(int fd) {
    struct stat info {};
    if (fstat(fd, &info) != 0 || info.st_size < 16) return false;
    char tail[16];
    if (pread(fd, tail, sizeof tail, info.st_size - 16) != 16) return false;
    const std::string_view end(tail, sizeof tail);
    return end.ends_with("\nfinished\n") || end.ends_with("\nundone\n");
}

namespace {

// A name that sorts after every earlier record's.
std::string NewRecordName() {
    timespec now{};
    clock_gettime(CLOCK_REALTIME, &now);
    const auto nanoseconds = static_cast<std::uint64_t>(now.tv_sec) * 1000000000u +
                             static_cast<std::uint64_t>(now.tv_nsec);
    std::string stamp = std::to_string(nanoseconds);
    stamp.insert(0, 20 - std::min<std::size_t>(20, stamp.size()), '0');
    return "job-" + stamp + "-" + std::to_string(getpid()) + std::string(kRecordEnd);
}

// The header and the plan: rows, targets and the mark that it is whole.
std::string PlanText(const JobRecordData& plan) {
    JobPlanWriter writer(plan.kind, plan.rows.size());
    for (const RecordedRow& row : plan.rows)
        writer.Row(row.folder, row.oldName, row.temporaryName, row.newName, row.identity);
    for (const RecordedTarget& target : plan.targets)
        writer.Target(target.row, target.asideName, target.identity);
    return writer.TakeText();
}

}  // namespace

JobPlanWriter::JobPlanWriter(const std::string& kind, std::size_t rows) {
    text_ = "quorvel-job 1 " + kind + "\n";
    text_.reserve(text_.size() + rows * 100);
}

void JobPlanWriter::Row(const std::string& folder, std::string_view oldName,
                        std::string_view temporaryName, std::string_view newName,
                        const FileIdentity& identity) {
    // Rows of one folder follow each other: its escaped form is made once.
    if (folder != folder_) {
        folder_ = folder;
        escapedFolder_ = Escaped(folder);
    }
    text_ += "row ";
    text_ += escapedFolder_;
    for (const std::string_view field : {oldName, temporaryName, newName}) {
        text_ += ' ';
        AppendEscaped(text_, field);
    }
    text_ += ' ';
    AppendIdentity(text_, identity);
    text_ += '\n';
    ++rows_;
}

void JobPlanWriter::Target(std::size_t row, std::string_view asideName,
                           const FileIdentity& identity) {
    text_ += "target ";
    AppendNumber(text_, row);
    text_ += ' ';
    AppendEscaped(text_, asideName);
    text_ += ' ';
    AppendIdentity(text_, identity);
    text_ += '\n';
    ++targets_;
}

std::string JobPlanWriter::TakeText() {
    text_ += "plan ";
    AppendNumber(text_, rows_);
    text_ += ' ';
    AppendNumber(text_, targets_);
    text_ += '\n';
    return std::move(text_);
}

int RewriteJobRecord(const std::string& path, const JobRecordData& data) {
    std::vector<RecordedRow::Outcome> outcomes;
    for (const RecordedRow& row : data.rows) outcomes.push_back(row.outcome);
    std::string text = PlanText(data) + FinishedLines(outcomes);
    if (data.undone) text += "undone\n";
    if (const int error = ReplaceFile(path, text)) return error;
    return SyncFolder(path.substr(0, path.rfind('/') + 1));
}

int JobRecordData::Renamed() const {
    return static_cast<int>(std::count_if(rows.begin(), rows.end(), [](const RecordedRow& row) {
        return row.outcome == RecordedRow::Outcome::Renamed;
    }));
}

std::string JobRecordFolder() {
    const char* state = std::getenv("XDG_STATE_HOME");
    std::string base;
    if (state != nullptr && *state == '/') {
        base = state;
    } else {
        const char* home = std::getenv("HOME");
        base = std::string(home != nullptr ? home : "") + "/.local/state";
    }
    if (base.empty() || base.back() != '/') base += '/';
    return base + "quorvel/";
}

std::vector<std::string> ListJobRecords() { return NamesEndingWith(kRecordEnd); }

bool ParseJobRecord(const std::string& text, JobRecordData& data) {
    data = {};
    std::size_t start = 0;
    std::size_t end = text.find('\n');
    if (end == std::string::npos) return false;
    const std::vector<std::string> header = Fields(text.substr(0, end));
    if (header.size() != 3 || header[0] != "quorvel-job" || header[1] != "1") return false;
    data.kind = header[2];
    const std::string_view all(text);
    for (start = end + 1; (end = text.find('\n', start)) != std::string::npos; start = end + 1) {
        if (!ReadLine(Fields(all.substr(start, end - start)), data)) break;
    }
    return true;
}

bool ReadJobRecord(const std::string& path, JobRecordData& data) {
    std::string text;
    return ReadWholeFile(path, UINT64_MAX, text) == 0 && ParseJobRecord(text, data);
}

JobRecord::~JobRecord() {
    if (fd_ >= 0) close(fd_);
}

int JobRecord::Begin(const JobRecordData& plan) { return Begin(PlanText(plan)); }

int JobRecord::Begin(const std::string& planText) {
    const std::string folder = JobRecordFolder();
    if (const int error = MakeFolders(folder)) return error;
    path_ = folder + NewRecordName();
    const std::string partial = path_ + ".partial";
    fd_ = open(partial.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
    if (fd_ < 0) return errno;
    flock(fd_, LOCK_EX);

    int error = WriteAll(fd_, partial, planText);
    if (error == 0) error = SyncFile(fd_, partial);
    // Only a whole, flushed plan takes a record's name.
    if (error == 0 && rename(partial.c_str(), path_.c_str()) != 0) error = errno;
    if (error == 0) error = SyncFolder(folder);
    if (error != 0) {
        unlink(partial.c_str());
        close(fd_);
        fd_ = -1;
    }
    return error;
}

int JobRecord::Append(const std::string& text) {
    if (fd_ < 0) return EBADF;
    return AppendToJobRecord(fd_, path_, text);
}

int JobRecord::NoteTemporaryName(std::size_t row, std::string_view name) {
    return Append("temporary " + std::to_string(row) + " " + Escaped(name) + "\n");
}

int JobRecord::NoteAsideName(std::size_t target, std::string_view name) {
    return Append("aside " + std::to_string(target) + " " + Escaped(name) + "\n");
}

int JobRecord::Finish(const std::vector<RecordedRow::Outcome>& outcomes) {
    const int error = Append(FinishedLines(outcomes));
    if (fd_ >= 0) close(fd_);
    fd_ = -1;
    DropOldJobRecords();
    return error;
}

int LockJobRecord(const std::string& path, int& fd) {
    fd = open(path.c_str(), O_RDWR | O_APPEND | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0) return errno;
    if (flock(fd, LOCK_EX | LOCK_NB) != 0) {
        const int error = errno;
        close(fd);
        fd = -1;
        return error;
    }
    return 0;
}

int AppendToJobRecord(int fd, const std::string& path, const std::string& lines) {
    if (const int error = WriteAll(fd, path, lines)) return error;
    return SyncFile(fd, path);
}

std::string FinishedLines(const std::vector<RecordedRow::Outcome>& outcomes) {
    std::string text;
    text.reserve(outcomes.size() * 24 + 16);
    for (std::size_t row = 0; row < outcomes.size(); ++row) {
        text += "outcome ";
        AppendNumber(text, row);
        text += ' ';
        text += OutcomeWord(outcomes[row]);
        text += '\n';
    }
    return text + "finished\n";
}

void DropOldJobRecords() {
    for (const std::string& partial : NamesEndingWith(kPartialEnd)) {
        int fd = -1;
        if (LockJobRecord(partial, fd) != 0) continue;
        unlink(partial.c_str());  // its job died before a file moved
        close(fd);
    }
    const std::vector<std::string> records = ListJobRecords();
    if (records.size() <= kKeptJobRecords) return;
    for (std::size_t i = 0; i + kKeptJobRecords < records.size(); ++i) {
        int fd = -1;
        if (LockJobRecord(records[i], fd) != 0) continue;
        // An unfinished record waits for its recovery.
        if (EndsFinished(fd)) unlink(records[i].c_str());
        close(fd);
    }
}
