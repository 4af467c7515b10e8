// The real quorvel-cli binary on temporary folders.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <map>
#include <thread>

#include "support/temp_folder.h"

namespace {

struct Result {
    int status = -1;  // exit status, or -1 when it had to be killed
    std::string out;
    std::string err;
};

std::string Drain(int fd) {
    std::string text;
    char buffer[4096];
    for (ssize_t got; (got = read(fd, buffer, sizeof buffer)) > 0;)
        text.append(buffer, static_cast<std::size_t>(got));
    return text;
}

class CliTest : public ::testing::Test {
protected:
    // Runs quorvel-cli with `args`; its standard input is a pipe that stays
    // open and empty, so a program that waited on it would be killed.
    Result Run(const std::vector<std::string>& args) {
        int out[2], err[2], in[2];
        EXPECT_EQ(pipe(out), 0);
        EXPECT_EQ(pipe(err), 0);
        EXPECT_EQ(pipe(in), 0);
        const pid_t child = fork();
        if (child == 0) {
            dup2(in[0], 0);
            dup2(out[1], 1);
            dup2(err[1], 2);
            for (int fd : {in[0], in[1], out[0], out[1], err[0], err[1]}) close(fd);
            setenv("XDG_STATE_HOME", state_.Path().c_str(), 1);
            std::vector<char*> argv{const_cast<char*>(QUORVEL_CLI_PATH)};
            for (const std::string& arg : args) argv.push_back(const_cast<char*>(arg.c_str()));
            argv.push_back(nullptr);
            execv(QUORVEL_CLI_PATH, argv.data());
            _exit(127);
        }
        close(in[0]);
        close(out[1]);
        close(err[1]);
        Result result;
        std::thread readOut([&] { result.out = Drain(out[0]); });
        std::thread readErr([&] { result.err = Drain(err[0]); });
        int status = 0;
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(20);
        while (waitpid(child, &status, WNOHANG) == 0) {
            if (std::chrono::steady_clock::now() > deadline) {
                kill(child, SIGKILL);
                waitpid(child, &status, 0);
                status = -1;
                break;
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
        }
        readOut.join();
        readErr.join();
        for (int fd : {in[1], out[0], err[0]}) close(fd);
        result.status = status == -1 ? -1 : WIFEXITED(status) ? WEXITSTATUS(status) : 128;
        return result;
    }

    std::map<std::string, std::string> Tree() const {
        std::map<std::string, std::string> tree;
        for (const auto& entry : std::filesystem::recursive_directory_iterator(folder_.Path())) {
            if (entry.is_directory()) {
                tree[entry.path().string()] = "<dir>";
                continue;
            }
            std::ifstream file(entry.path(), std::ios::binary);
            tree[entry.path().string()] = std::string(std::istreambuf_iterator<char>(file), {});
        }
        return tree;
    }
    void Make(const std::vector<std::string>& names) {
        for (const std::string& name : names) folder_.File(name, "content of " + name);
    }
    std::string Content(const std::string& name) const {
        std::ifstream file(folder_.PathOf(name), std::ios::binary);
        return file ? std::string(std::istreambuf_iterator<char>(file), {}) : "<missing>";
    }

    TempFolder folder_;
    TempFolder state_;
};

// The status column of each row of a table, in order.
std::vector<std::string> Statuses(const std::string& table) {
    std::vector<std::string> statuses;
    std::size_t start = table.find('\n') + 1;  // past the heading
    for (std::size_t end; (end = table.find('\n', start)) != std::string::npos; start = end + 1) {
        const std::string line = table.substr(start, end - start);
        const std::size_t fails = line.find("fails:");
        if (fails != std::string::npos) {
            statuses.push_back(line.substr(fails));
        } else {
            statuses.push_back(line.substr(line.rfind("  ") + 2));
        }
    }
    return statuses;
}

TEST_F(CliTest, ThePlanOfChainsCyclesDuplicatesAndInvalidNames) {
    struct Case {
        std::vector<std::string> files;
        std::string prototype;
        std::vector<std::string> statuses;
    };
    const std::vector<Case> cases = {
        {{"1", "2"}, "${i;2}", {"renames", "renames"}},                    // a chain
        {{"a_b", "b_a"}, "${id;word;(2,1);'_'}", {"renames", "renames"}},  // a cycle
        {{"a.jpg", "a.txt"}, "${id}", {"renames", "fails: another row has this name"}},
        {{"ab.txt"}, "${id;str;(9)}", {"fails: invalid name"}},
        {{"k.txt"}, "${id}.${ext}", {"keeps its name"}},
    };
    for (const Case& c : cases) {
        TempFolder folder;
        for (const std::string& name : c.files) folder.File(name);
        const Result result = Run({"-n", "-p", c.prototype, folder.Path()});
        EXPECT_EQ(Statuses(result.out), c.statuses) << c.prototype << "\n" << result.out;
        const bool fails = c.statuses.back().starts_with("fails");
        EXPECT_EQ(result.status, fails ? 1 : 0) << c.prototype;
    }
}

TEST_F(CliTest, AnExistingTargetNeedsOverwrite) {
    Make({"x.txt", "x"});
    const std::string listed = folder_.PathOf("x.txt");
    Result result = Run({"-n", "-p", "${id}", listed});
    EXPECT_EQ(Statuses(result.out),
              (std::vector<std::string>{"fails: an existing file has this name"}));
    result = Run({"-y", "-p", "${id}", listed});
    EXPECT_EQ(result.status, 1);
    EXPECT_EQ(Content("x"), "content of x");
    EXPECT_EQ(result.out.substr(result.out.rfind('\n', result.out.size() - 2) + 1),
              "Job done, some files could not be renamed.\n");

    result = Run({"-n", "--overwrite", "-p", "${id}", listed});
    EXPECT_EQ(Statuses(result.out), (std::vector<std::string>{"destroys an existing file"}));
    result = Run({"-y", "--overwrite", "-p", "${id}", listed});
    EXPECT_EQ(result.status, 0) << result.err;
    EXPECT_EQ(Content("x"), "content of x.txt");
    EXPECT_EQ(Content("x.txt"), "<missing>");
}

TEST_F(CliTest, ADryRunAndAMissingAnswerChangeNothing) {
    Make({"a.txt", "b.txt", "sub/c.txt"});
    const auto before = Tree();
    Result result = Run({"-n", "-r", "-p", "new-${i}", folder_.Path()});
    EXPECT_EQ(result.status, 0);
    EXPECT_EQ(Statuses(result.out).size(), 3u);
    EXPECT_EQ(Tree(), before);

    // No terminal and no -y: nothing changes, and standard input is not read.
    result = Run({"-p", "new-${i}", folder_.Path()});
    EXPECT_EQ(result.status, 1);
    EXPECT_NE(result.err.find("no terminal"), std::string::npos) << result.err;
    EXPECT_EQ(Tree(), before);
}

TEST_F(CliTest, RenamesAndUndoesInOrder) {
    Make({"b.txt", "a.txt", "sub/c.txt"});
    Result result = Run({"-y", "-r", "-p", "${i}-${id}", folder_.PathOf("b.txt"), folder_.Path()});
    EXPECT_EQ(result.status, 0) << result.err;
    // b.txt first as given; the folder's files after it in name order; a
    // duplicate of b.txt is refused.
    EXPECT_EQ(Content("0-b"), "content of b.txt");
    EXPECT_EQ(Content("1-a"), "content of a.txt");
    EXPECT_EQ(Content("sub/2-c"), "content of sub/c.txt");

    result = Run({"--undo", "-n"});
    EXPECT_EQ(result.status, 0);
    EXPECT_EQ(Statuses(result.out).size(), 3u);
    result = Run({"--undo", "-y"});
    EXPECT_EQ(result.status, 0) << result.err;
    EXPECT_EQ(result.out.substr(result.out.rfind('\n', result.out.size() - 2) + 1),
              "Undo done, all files were renamed back.\n");
    EXPECT_EQ(Content("b.txt"), "content of b.txt");
    EXPECT_EQ(Content("sub/c.txt"), "content of sub/c.txt");
    result = Run({"--undo", "-y"});
    EXPECT_EQ(result.out, "There is no rename to undo.\n");
}

TEST_F(CliTest, NamesThatAreNotPlainTextAreShownExactly) {
    folder_.File("new\nline.txt");
    folder_.File("caf\xe9.txt");
    folder_.File("tab\there\\.txt");
    Result result = Run({"-n", "-p", "${id}", folder_.Path()});
    EXPECT_NE(result.out.find("caf\\xe9  "), std::string::npos) << result.out;
    EXPECT_NE(result.out.find("new\\nline  "), std::string::npos);
    EXPECT_NE(result.out.find("tab\\there\\\\  "), std::string::npos);
    result = Run({"-n", "--json", "-p", "${id}", folder_.Path()});
    EXPECT_NE(result.out.find("{\"hex\": \"636166e92e747874\"}"), std::string::npos) << result.out;
    EXPECT_NE(result.out.find("\"new\\u000aline\""), std::string::npos);
    EXPECT_NE(result.out.find("\"tab\\u0009here\\\\.txt\""), std::string::npos);
    result = Run({"-y", "-p", "x-${id}", folder_.Path()});
    EXPECT_EQ(result.status, 0);
    EXPECT_EQ(Content("x-caf\xe9"), "x");
}

TEST_F(CliTest, ExitStatusesForBadUsage) {
    struct Case {
        std::vector<std::string> args;
        int status;
    };
    const std::vector<Case> cases = {
        {{"/no/such/path"}, 2},
        {{"--no-such-option", "x"}, 2},
        {{}, 2},
        {{"--undo", "some-path"}, 2},
        {{"--help"}, 0},
        {{"--version"}, 0},
        {{"--undo", "-n"}, 0},
    };
    for (const Case& c : cases) {
        const Result result = Run(c.args);
        EXPECT_EQ(result.status, c.status) << (c.args.empty() ? "" : c.args.front()) << result.err;
    }
    EXPECT_NE(Run({"--version"}).out.find("quorvel-cli 1.0.20"), std::string::npos);
}

}  // namespace
