#include "app/fault_handler.h"

#include "app/fault_report.h"

#include <atomic>
#include <cerrno>
#include <climits>
#include <csignal>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <string>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <ucontext.h>
#include <unistd.h>

extern char** environ;

#ifndef KORVEX_INSTALLED_REPORTER_FOLDER
#define KORVEX_INSTALLED_REPORTER_FOLDER "../libexec/korvex"
#endif

namespace korvex {

const char* const kInstalledReporterFolder = KORVEX_INSTALLED_REPORTER_FOLDER;

namespace {

// Everything the handler touches is allocated here, before any fault: after a fault
// the heap and its locks may be in any state, so the handler only uses static
// buffers and system calls.

constexpr int kFaultSignals[] = {SIGSEGV, SIGBUS, SIGILL, SIGFPE, SIGABRT};

// Room for the handler even when the fault is a stack overflow; generous because
// sanitizer builds use much larger frames.
alignas(64) char alternateStack[256 * 1024];

char reporterPath[PATH_MAX];
bool reporterUsable = false;

char reportText[4096];
char standardErrorText[sizeof reportText + 1];

// Thread id of the thread that is reporting, 0 while none is.
std::atomic<long> reportingThread{0};

bool startsWith(const char* text, const char* prefix) {
    return std::strncmp(text, prefix, std::strlen(prefix)) == 0;
}

bool isSet(const char* name) {
    const char* value = std::getenv(name);
    return value && *value;
}

// Whether a message box can be seen: Qt's headless platforms show nothing, and a
// reporter waiting there for a click would hang the dying program for ever.
bool displayAvailable() {
    const char* platform = std::getenv("QT_QPA_PLATFORM");
    if (platform && *platform)
        return !startsWith(platform, "offscreen") && !startsWith(platform, "minimal");
    return isSet("DISPLAY") || isSet("WAYLAND_DISPLAY");
}

std::string executableFolder() {
    char path[PATH_MAX];
    const ssize_t length = readlink("/proc/self/exe", path, sizeof path - 1);
    if (length <= 0)
        return {};
    const std::string exe(path, static_cast<size_t>(length));
    const size_t slash = exe.rfind('/');
    return slash == std::string::npos ? std::string() : exe.substr(0, slash);
}

void writeAll(int fd, const char* data, size_t length) {
    while (length > 0) {
        const ssize_t written = write(fd, data, length);
        if (written < 0) {
            if (errno == EINTR)
                continue;
            return;
        }
        data += written;
        length -= static_cast<size_t>(written);
    }
}

// Standard error gets the report with every carriage return turned into a line
// feed and a final line feed, so it reads as separate lines in a terminal or a log.
void writeToStandardError(const char* text, size_t length) {
    size_t n = 0;
    for (size_t i = 0; i < length && n + 1 < sizeof standardErrorText; ++i)
        standardErrorText[n++] = text[i] == '\r' ? '\n' : text[i];
    standardErrorText[n++] = '\n';
    writeAll(STDERR_FILENO, standardErrorText, n);
}

// fork() through the C library runs at-fork handlers and takes the allocator's
// locks, which the faulting code may hold; the bare system call does neither.
pid_t forkBare() {
#if defined(SYS_fork)
    return static_cast<pid_t>(syscall(SYS_fork));
#else
    return static_cast<pid_t>(syscall(SYS_clone, SIGCHLD, 0, 0, 0, 0));
#endif
}

// Child side: the report pipe becomes standard input, nothing else of the dying
// program is passed on, and the reporter starts with no signal blocked.
[[noreturn]] void execReporter(int pipeRead) {
    sigset_t none;
    sigemptyset(&none);
    sigprocmask(SIG_SETMASK, &none, nullptr);
    if (pipeRead == STDIN_FILENO)
        fcntl(STDIN_FILENO, F_SETFD, 0);
    else if (dup2(pipeRead, STDIN_FILENO) < 0)
        _exit(127);
#if defined(SYS_close_range)
    syscall(SYS_close_range, 3u, ~0u, 0u);
#endif
    char* const argv[] = {reporterPath, nullptr};
    execve(reporterPath, argv, environ);
    _exit(127);
}

// Hands the exact report text to the reporter and waits until its box is closed.
void showInReporter(const char* text, size_t length) {
    int fds[2];
    if (pipe2(fds, O_CLOEXEC) != 0)
        return;
    const pid_t child = forkBare();
    if (child == 0)
        execReporter(fds[0]);
    close(fds[0]);
    if (child > 0)
        writeAll(fds[1], text, length); // far below a pipe's capacity, never blocks
    close(fds[1]);
    if (child < 0)
        return;
    int status = 0;
    while (waitpid(child, &status, 0) < 0 && errno == EINTR) {
    }
}

// Instruction address and general registers at the fault, in this processor's names.
void captureMachineState(const siginfo_t* info, const ucontext_t* context,
                         FaultReportInput& input) {
    struct Named {
        const char* name;
        int index;
    };
#if defined(__x86_64__)
    static constexpr Named registers[] = {{"RAX", REG_RAX}, {"RBX", REG_RBX}, {"RCX", REG_RCX},
                                          {"RDX", REG_RDX}, {"RBP", REG_RBP}, {"RSI", REG_RSI},
                                          {"RDI", REG_RDI}, {"RSP", REG_RSP}};
    const greg_t* g = context->uc_mcontext.gregs;
    input.codeAddress = static_cast<uint64_t>(g[REG_RIP]);
    for (const Named& r : registers) {
        input.registerNames[input.registerCount] = r.name;
        input.registerValues[input.registerCount++] = static_cast<uint64_t>(g[r.index]);
    }
    input.closingLine = "Display of registers R8-R15 skipped.";
    (void)info;
#elif defined(__i386__)
    static constexpr Named registers[] = {{"EAX", REG_EAX}, {"EBX", REG_EBX}, {"ECX", REG_ECX},
                                          {"EDX", REG_EDX}, {"EBP", REG_EBP}, {"ESI", REG_ESI},
                                          {"EDI", REG_EDI}, {"ESP", REG_ESP}};
    const greg_t* g = context->uc_mcontext.gregs;
    input.codeAddress = static_cast<uint32_t>(g[REG_EIP]);
    for (const Named& r : registers) {
        input.registerNames[input.registerCount] = r.name;
        input.registerValues[input.registerCount++] = static_cast<uint32_t>(g[r.index]);
    }
    (void)info;
#elif defined(__aarch64__)
    static constexpr const char* names[] = {"X0",  "X1",  "X2",  "X3",  "X4",  "X5",  "X6",  "X7",
                                            "X8",  "X9",  "X10", "X11", "X12", "X13", "X14", "X15",
                                            "X16", "X17", "X18", "X19", "X20", "X21", "X22", "X23",
                                            "X24", "X25", "X26", "X27", "X28", "X29", "X30"};
    const auto& m = context->uc_mcontext;
    input.codeAddress = m.pc;
    for (int i = 0; i < 31; ++i) {
        input.registerNames[i] = names[i];
        input.registerValues[i] = m.regs[i];
    }
    input.registerNames[31] = "SP";
    input.registerValues[31] = m.sp;
    input.registerCount = 32;
    (void)info;
#else
    // No register names known for this processor: the report lists none, and the
    // code address is known only where the signal carries it.
    (void)context;
    if (info && info->si_code > 0 && (info->si_signo == SIGILL || info->si_signo == SIGFPE))
        input.codeAddress = reinterpret_cast<uintptr_t>(info->si_addr);
#endif
}

void onFault(int signal, siginfo_t* info, void* context) {
    const int exitStatus = 128 + signal;
    const long self = syscall(SYS_gettid);
    long idle = 0;
    if (!reportingThread.compare_exchange_strong(idle, self)) {
        if (idle == self)
            _exit(exitStatus); // a second fault while reporting: give up at once
        for (;;)
            pause(); // another thread reports and then ends the program
    }

    FaultReportInput input;
    input.kind = classifyFault(signal, info ? info->si_code : 0);
    if (input.kind.hasTargetAddress)
        input.targetAddress = reinterpret_cast<uintptr_t>(info->si_addr);
    if (context)
        captureMachineState(info, static_cast<const ucontext_t*>(context), input);

    const size_t length = buildFaultReport(input, reportText, sizeof reportText);
    writeToStandardError(reportText, length);
    if (reporterUsable)
        showInReporter(reportText, length);
    // Qt's own shutdown is not safe after a fault; end without running anything.
    _exit(exitStatus);
}

} // namespace

void installFaultHandler(const char* path) {
    reporterPath[0] = '\0';
    reporterUsable = false;
    if (path && *path && std::strlen(path) < sizeof reporterPath) {
        std::strcpy(reporterPath, path);
        reporterUsable = access(reporterPath, X_OK) == 0 && displayAvailable();
    }

    // The alternate stack serves the installing (main) thread; a fault on another
    // thread is still reported, on that thread's own stack.
    stack_t stack{};
    stack.ss_sp = alternateStack;
    stack.ss_size = sizeof alternateStack;
    sigaltstack(&stack, nullptr);

    struct sigaction action {};
    action.sa_sigaction = onFault;
    action.sa_flags = SA_SIGINFO | SA_ONSTACK;
    sigfillset(&action.sa_mask); // nothing else runs on this thread while reporting
    for (int signal : kFaultSignals)
        sigaction(signal, &action, nullptr);
}

std::string findFaultReporter(const std::string& programFolder) {
    const std::string installed =
        programFolder + "/" + kInstalledReporterFolder + "/" + kFaultReporterName;
    if (access(installed.c_str(), X_OK) == 0)
        return installed;
    return programFolder + "/" + kFaultReporterName;
}

void installFaultHandler() {
    const std::string folder = executableFolder();
    if (folder.empty()) {
        installFaultHandler(nullptr);
        return;
    }
    installFaultHandler(findFaultReporter(folder).c_str());
}

} // namespace korvex
