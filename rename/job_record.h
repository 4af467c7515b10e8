// The record of a rename job, kept so that a job cut short by a crash can be
// finished or taken back, and a finished job undone, from any later process.
//
// Each job has a file of its own under $XDG_STATE_HOME/quorvel/ (by default
// ~/.local/state/quorvel/), written whole and flushed before the first file
// moves, locked (flock) while the job runs, and marked finished with each
// row's outcome when it ends. The format is plain text, one entry a line,
// fields separated by spaces; every byte of a name outside the printable
// ASCII range, and "%" and the space, is written as "%XX", so any name
// round-trips:
//
//   quorvel-job 1 <kind>                        kind: rename or undo
//   row <folder> <old> <temporary> <new> <device> <inode>
//   target <row> <aside> <device> <inode>       an existing file at row's new name
//   plan <rows> <targets>                       the plan above is whole
//   temporary <row> <name>                      a temporary name drawn again
//   aside <target> <name>                       an aside name drawn again
//   outcome <row> renamed|failed
//   finished
//   undone
//
// A record is read as far as it is whole: a line without its line feed, or
// one that cannot be read, ends it.
#pragma once

#include <string>
#include <vector>

#include "platform/file_ops.h"

// How many records are kept; older ones are dropped.
inline constexpr std::size_t kKeptJobRecords = 10;

struct RecordedRow {
    std::string folder;  // absolute, ending with "/"
    std::string oldName;
    std::string temporaryName;
    std::string newName;
    FileIdentity identity;
    enum class Outcome { Unknown, Renamed, Failed } outcome = Outcome::Unknown;
};

struct RecordedTarget {
    std::size_t row = 0;  // the row whose new name it stands at
    std::string asideName;
    FileIdentity identity;
};

struct JobRecordData {
    std::string kind = "rename";
    std::vector<RecordedRow> rows;
    std::vector<RecordedTarget> targets;
    bool planWhole = false;
    bool finished = false;
    bool undone = false;

    int Renamed() const;
};

// The folder of the records (created on demand), ending with "/".
std::string JobRecordFolder();

// The records in the folder, oldest first (full paths).
std::vector<std::string> ListJobRecords();

// Reads a record as far as it is whole; false when it is not a record.
bool ReadJobRecord(const std::string& path, JobRecordData& data);
bool ParseJobRecord(const std::string& text, JobRecordData& data);

// Builds the text of a plan for JobRecord::Begin, row by row.
class JobPlanWriter {
public:
    JobPlanWriter(const std::string& kind, std::size_t rows);
    void Row(const std::string& folder, std::string_view oldName, std::string_view temporaryName,
             std::string_view newName, const FileIdentity& identity);
    void Target(std::size_t row, std::string_view asideName, const FileIdentity& identity);
    // The header, the rows, the targets and the mark that the plan is whole;
    // the writer is spent (a plan of 100,000 rows is 10 MB, not copied).
    std::string TakeText();
    std::size_t Rows() const { return rows_; }

private:
    std::string text_;
    std::string folder_;
    std::string escapedFolder_;
    std::size_t rows_ = 0;
    std::size_t targets_ = 0;
};

// A record open for writing, locked until it is closed.
class JobRecord {
public:
    JobRecord() = default;
    ~JobRecord();
    JobRecord(const JobRecord&) = delete;
    JobRecord& operator=(const JobRecord&) = delete;

    // Writes the whole plan and flushes it (file and folder) under a new
    // record's name; 0 or an errno value.
    int Begin(const JobRecordData& plan);
    int Begin(const std::string& planText);
    bool Open() const { return fd_ >= 0; }
    // Notes a temporary or aside name drawn again, flushed before it is used.
    int NoteTemporaryName(std::size_t row, std::string_view name);
    int NoteAsideName(std::size_t target, std::string_view name);
    // Writes the outcomes and the finished mark, flushes and unlocks.
    int Finish(const std::vector<RecordedRow::Outcome>& outcomes);
    const std::string& Path() const { return path_; }

private:
    int Append(const std::string& text);

    int fd_ = -1;
    std::string path_;
};

// Opens an existing record for a change of its own (recovery, undo) and locks
// it; EWOULDBLOCK when another process holds it.
int LockJobRecord(const std::string& path, int& fd);
// Whether the open record ends with its finished (or undone) mark, read from
// its last bytes alone.
bool EndsFinished(int fd);
// Appends lines to a locked record and flushes it.
int AppendToJobRecord(int fd, const std::string& path, const std::string& lines);
// Replaces a locked record, atomically, by its whole part with each row's
// outcome and the finished mark (a torn line would hide what is appended).
int RewriteJobRecord(const std::string& path, const JobRecordData& data);
// The lines that mark a record finished with these outcomes.
std::string FinishedLines(const std::vector<RecordedRow::Outcome>& outcomes);

// Drops the oldest records beyond kKeptJobRecords, and half-written records
// of jobs that died before they moved anything; never one that is locked.
void DropOldJobRecords();
