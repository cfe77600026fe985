// Runs a helper program that installs the fault handler and then faults, and reads
// the report it leaves on standard error or hands to a stand-in reporter.
#include "app/fault_handler.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <csignal>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <spawn.h>
#include <sstream>
#include <string>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>
#include <vector>

extern char** environ;

namespace {

namespace fs = std::filesystem;

constexpr const char* kReportHead = "A program error was detected:";
constexpr const char* kNoLineInfo =
    "Sourcecode line: Enable OnError lines support to get code line information.";
constexpr const char* kSkipLine = "Display of registers R8-R15 skipped.";

struct ChildRun {
    bool exited = false;
    int exitStatus = -1;
    std::string out; // standard output: the faulting instruction's address, when known
    std::string err; // standard error: the report
};

std::string readFile(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

std::vector<std::string> splitLines(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);)
        lines.push_back(line);
    return lines;
}

std::string valueAfter(const std::vector<std::string>& lines, const std::string& label) {
    for (const std::string& line : lines)
        if (line.starts_with(label))
            return line.substr(label.size());
    return "<missing " + label + ">";
}

class FaultHandlerTest : public testing::Test {
protected:
    void SetUp() override {
        char pattern[] = "/tmp/korvex-fault-XXXXXX";
        ASSERT_NE(mkdtemp(pattern), nullptr);
        dir = pattern;
    }
    void TearDown() override { fs::remove_all(dir); }

    // Starts the helper with the given arguments; `env` entries (NAME=value) replace
    // inherited ones, and NAME alone removes it.
    ChildRun run(const std::vector<std::string>& args, const std::vector<std::string>& env = {},
                 const std::string& program = KORVEX_FAULT_CHILD_PATH) {
        std::vector<std::string> argStore{program};
        argStore.insert(argStore.end(), args.begin(), args.end());

        // Sanitizer runtimes would take these signals for themselves.
        const std::string noSanitizerHandlers =
            "handle_segv=0:handle_sigbus=0:handle_sigfpe=0:handle_sigill=0:handle_abort=0:"
            "detect_leaks=0";
        std::vector<std::string> envStore{"ASAN_OPTIONS=" + noSanitizerHandlers,
                                          "UBSAN_OPTIONS=" + noSanitizerHandlers};
        envStore.insert(envStore.end(), env.begin(), env.end());
        auto overridden = [&](const std::string& entry) {
            const std::string name = entry.substr(0, entry.find('='));
            for (const std::string& e : envStore)
                if (e.substr(0, e.find('=')) == name)
                    return true;
            return false;
        };
        for (char** e = environ; *e; ++e)
            if (!overridden(*e))
                envStore.emplace_back(*e);
        std::erase_if(envStore, [](const std::string& e) { return e.find('=') == e.npos; });

        std::vector<char*> argv, envp;
        for (std::string& a : argStore)
            argv.push_back(a.data());
        argv.push_back(nullptr);
        for (std::string& e : envStore)
            envp.push_back(e.data());
        envp.push_back(nullptr);

        const fs::path outPath = dir / "child.out", errPath = dir / "child.err";
        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        posix_spawn_file_actions_addopen(&actions, 1, outPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC,
                                         0600);
        posix_spawn_file_actions_addopen(&actions, 2, errPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC,
                                         0600);
        pid_t pid = 0;
        const int spawned = posix_spawn(&pid, argv[0], &actions, nullptr, argv.data(), envp.data());
        posix_spawn_file_actions_destroy(&actions);
        ChildRun result;
        if (spawned != 0) {
            ADD_FAILURE() << "cannot start " << argv[0];
            return result;
        }

        int status = 0;
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(60);
        while (waitpid(pid, &status, WNOHANG) == 0) {
            if (std::chrono::steady_clock::now() > deadline) {
                kill(pid, SIGKILL);
                waitpid(pid, &status, 0);
                ADD_FAILURE() << "the faulting program did not end";
                break;
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        }
        result.exited = WIFEXITED(status);
        result.exitStatus = result.exited ? WEXITSTATUS(status) : -1;
        result.out = readFile(outPath);
        result.err = readFile(errPath);
        return result;
    }

    // A stand-in for the message box program: stores its standard input, and only
    // after a pause marks that it has finished.
    fs::path writeStandInReporter(const std::string& body, fs::path path = {}) {
        if (path.empty())
            path = dir / "reporter.sh";
        std::ofstream(path) << "#!/bin/sh\n" << body << "\n";
        fs::permissions(path, fs::perms::owner_all);
        return path;
    }

    fs::path dir;
};

// The common frame of every report on standard error: carriage returns became line
// feeds, the text ends with one line feed, and the fixed lines are in place.
void expectReportFrame(const ChildRun& run, int signal, bool withTarget) {
    EXPECT_TRUE(run.exited);
    EXPECT_EQ(run.exitStatus, 128 + signal);
    EXPECT_EQ(run.err.find('\r'), std::string::npos);
    ASSERT_TRUE(run.err.ends_with("\n")) << run.err;
    const std::vector<std::string> lines = splitLines(run.err);
    ASSERT_GE(lines.size(), 8u) << run.err;
    EXPECT_EQ(lines[0], kReportHead);
    EXPECT_TRUE(lines[1].starts_with("Error Message:   ")) << lines[1];
    EXPECT_TRUE(lines[2].starts_with("Error Code:      ")) << lines[2];
    EXPECT_TRUE(lines[3].starts_with("Code Address:    ")) << lines[3];
    const size_t next = withTarget ? 5 : 4;
    if (withTarget) {
        EXPECT_TRUE(lines[4].starts_with("Target Address:  ")) << lines[4];
    }
    EXPECT_EQ(lines[next], kNoLineInfo);
    EXPECT_EQ(lines[next + 1], "");
    EXPECT_EQ(lines[next + 2], "Register content:");
    if (!withTarget) {
        EXPECT_EQ(run.err.find("Target Address"), std::string::npos) << run.err;
    }
}

#if defined(__x86_64__)

TEST_F(FaultHandlerTest, InvalidWriteGivesTheFullReport) {
    const ChildRun run = this->run({"write"});
    expectReportFrame(run, SIGSEGV, true);
    const std::string site = splitLines(run.out).at(0);
    const std::string rsp = valueAfter(splitLines(run.err), "RSP = ");
    EXPECT_EQ(run.err, std::string(kReportHead) + "\n" +
                           "Error Message:   Invalid memory access: address not mapped "
                           "(SIGSEGV)\n"
                           "Error Code:      3221225477\n"
                           "Code Address:    " +
                           site + "\nTarget Address:  16\n" + kNoLineInfo +
                           "\n\nRegister content:\n"
                           "RAX = 16\nRBX = 1001\nRCX = 1002\nRDX = 1003\nRBP = 1004\n"
                           "RSI = 1005\nRDI = " +
                           rsp + "\nRSP = " + rsp + "\n" + kSkipLine + "\n");
}

TEST_F(FaultHandlerTest, DivisionByZeroHasNoTargetAddress) {
    const ChildRun run = this->run({"divide"});
    expectReportFrame(run, SIGFPE, false);
    const std::string site = splitLines(run.out).at(0);
    const std::string rsp = valueAfter(splitLines(run.err), "RSP = ");
    EXPECT_EQ(run.err, std::string(kReportHead) + "\n" +
                           "Error Message:   Integer division by zero (SIGFPE)\n"
                           "Error Code:      3221225620\n"
                           "Code Address:    " +
                           site + "\n" + kNoLineInfo +
                           "\n\nRegister content:\n"
                           "RAX = 7\nRBX = 1001\nRCX = 0\nRDX = 0\nRBP = 1004\n"
                           "RSI = 1005\nRDI = " +
                           rsp + "\nRSP = " + rsp + "\n" + kSkipLine + "\n");
}

TEST_F(FaultHandlerTest, TrapInstructionIsAnIllegalInstruction) {
    const ChildRun run = this->run({"trap"});
    expectReportFrame(run, SIGILL, false);
    EXPECT_NE(run.err.find("Error Code:      3221225501\n"), std::string::npos) << run.err;
    EXPECT_NE(run.err.find("Error Message:   Illegal instruction"), std::string::npos);
}

#else

TEST_F(FaultHandlerTest, InvalidWriteGivesTheFullReport) {
    const ChildRun run = this->run({"write"});
    expectReportFrame(run, SIGSEGV, true);
    EXPECT_NE(run.err.find("Target Address:  16\n"), std::string::npos) << run.err;
}

#endif

TEST_F(FaultHandlerTest, StackOverflowIsReportedFromTheAlternateStack) {
    const ChildRun run = this->run({"stackoverflow"});
    expectReportFrame(run, SIGSEGV, true);
    EXPECT_NE(run.err.find("Error Code:      3221225477\n"), std::string::npos) << run.err;
}

TEST_F(FaultHandlerTest, AbortAndSentSignalsHaveNoTargetAddress) {
    const ChildRun aborted = run({"abort"});
    expectReportFrame(aborted, SIGABRT, false);
    EXPECT_NE(aborted.err.find("Error Message:   Program aborted (SIGABRT)\n"
                               "Error Code:      1073741845\n"),
              std::string::npos)
        << aborted.err;

    const ChildRun raised = run({"raise"});
    expectReportFrame(raised, SIGSEGV, false);
    EXPECT_NE(raised.err.find("signal sent to the program (SIGSEGV)\n"), std::string::npos)
        << raised.err;
}

TEST_F(FaultHandlerTest, ReporterGetsTheExactTextAndIsWaitedFor) {
    const fs::path capture = dir / "captured";
    const fs::path done = dir / "done";
    const fs::path reporter = writeStandInReporter("cat > \"$FAULT_CAPTURE\"\nsleep 0.3\n"
                                                   "touch \"$FAULT_DONE\"");
    const ChildRun run = this->run({"write", reporter.string()},
                                   {"QT_QPA_PLATFORM=xcb", "FAULT_CAPTURE=" + capture.string(),
                                    "FAULT_DONE=" + done.string()});
    expectReportFrame(run, SIGSEGV, true);
    EXPECT_TRUE(fs::exists(done)) << "the program ended before the report was closed";

    // The reporter reads the report with single carriage returns and no final line end.
    std::string expected = run.err.substr(0, run.err.size() - 1);
    std::replace(expected.begin(), expected.end(), '\n', '\r');
    EXPECT_EQ(readFile(capture), expected);
    EXPECT_EQ(readFile(capture).find("\r\r\r"), std::string::npos);
}

TEST_F(FaultHandlerTest, ReporterIsNotStartedWithoutADisplay) {
    const fs::path capture = dir / "captured";
    const fs::path reporter = writeStandInReporter("cat > \"$FAULT_CAPTURE\"");
    const std::string captureEnv = "FAULT_CAPTURE=" + capture.string();

    // A headless Qt platform would show the box nowhere and never close it.
    ChildRun run = this->run({"divide", reporter.string()},
                             {"QT_QPA_PLATFORM=offscreen", "DISPLAY=:0", captureEnv});
    expectReportFrame(run, SIGFPE, false);
    EXPECT_FALSE(fs::exists(capture));

    run = this->run({"divide", reporter.string()},
                    {"QT_QPA_PLATFORM", "DISPLAY", "WAYLAND_DISPLAY", captureEnv});
    expectReportFrame(run, SIGFPE, false);
    EXPECT_FALSE(fs::exists(capture));
}

TEST_F(FaultHandlerTest, FailingOrMissingReporterStillEndsTheProgram) {
    // Exits without reading: writing the report must not kill the program by SIGPIPE.
    const fs::path reporter = writeStandInReporter("exit 3");
    ChildRun run = this->run({"write", reporter.string()}, {"QT_QPA_PLATFORM=xcb"});
    expectReportFrame(run, SIGSEGV, true);

    run = this->run({"write", (dir / "no-such-reporter").string()}, {"QT_QPA_PLATFORM=xcb"});
    expectReportFrame(run, SIGSEGV, true);
}

} // namespace
