/* The floor of a safe rename job: exactly the system calls the job cannot do
 * without, and nothing else. Lists the folder, writes and flushes a record of
 * the plan, then per file one status query and two no-replace renames (old
 * name to a temporary name to "x_" + old name), appends the outcomes to the
 * record and flushes it, and flushes the folder once.
 *
 *   syscall_floor FOLDER RECORD-FOLDER */
#define _GNU_SOURCE
#include <dirent.h>
#include <fcntl.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <sys/stat.h>
#include <unistd.h>

static void fail(const char* what) {
    perror(what);
    exit(2);
}

static void write_all(int fd, const char* text, size_t size) {
    while (size > 0) {
        ssize_t written = write(fd, text, size);
        if (written < 0) fail("write");
        text += written;
        size -= (size_t)written;
    }
}

int main(int argc, char** argv) {
    if (argc != 3) {
        fprintf(stderr, "usage: syscall_floor FOLDER RECORD-FOLDER\n");
        return 2;
    }
    int folder = open(argv[1], O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    int records = open(argv[2], O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (folder < 0 || records < 0) fail("open");

    DIR* dir = fdopendir(dup(folder));
    if (dir == NULL) fail("fdopendir");
    size_t count = 0, capacity = 1024;
    char** names = malloc(capacity * sizeof *names);
    for (struct dirent* entry; (entry = readdir(dir)) != NULL;) {
        if (strcmp(entry->d_name, ".") == 0 || strcmp(entry->d_name, "..") == 0) continue;
        if (count == capacity) names = realloc(names, (capacity *= 2) * sizeof *names);
        names[count++] = strdup(entry->d_name);
    }
    closedir(dir);

    /* The record: one line per file, flushed with its folder before a move. */
    size_t size = 0, room = count * 128 + 64;
    char* text = malloc(room);
    char line[1024];
    for (size_t i = 0; i < count; ++i) {
        int length = snprintf(line, sizeof line, "row %s %s tmp%08zu.tmp x_%s 2049 %zu\n",
                              argv[1], names[i], i, names[i], i);
        if (size + (size_t)length >= room) text = realloc(text, room *= 2);
        memcpy(text + size, line, (size_t)length);
        size += (size_t)length;
    }
    int record = openat(records, "floor.record", O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0600);
    if (record < 0) fail("record");
    write_all(record, text, size);
    fsync(record);
    fsync(records);

    for (size_t i = 0; i < count; ++i) {
        char temporary[32], target[1024];
        struct stat info;
        snprintf(temporary, sizeof temporary, "tmp%08zu.tmp", i);
        snprintf(target, sizeof target, "x_%s", names[i]);
        if (fstatat(folder, names[i], &info, AT_SYMLINK_NOFOLLOW) != 0) fail("fstatat");
        if (renameat2(folder, names[i], folder, temporary, RENAME_NOREPLACE) != 0) fail("rename");
        if (renameat2(folder, temporary, folder, target, RENAME_NOREPLACE) != 0) fail("rename");
    }

    size = 0;
    for (size_t i = 0; i < count; ++i) {
        int length = snprintf(line, sizeof line, "outcome %zu renamed\n", i);
        memcpy(text + size, line, (size_t)length);
        size += (size_t)length;
    }
    write_all(record, "finished\n", 9);
    write_all(record, text, size);
    fsync(record);
    close(record);
    fsync(folder);
    return 0;
}
