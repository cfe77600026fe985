// Start-up of the editor program from its start to the first painted frame of the
// main window (offscreen): the program is started with KORVEX_EXIT_AFTER_FIRST_PAINT
// set and timed until it has ended. The time includes loading the program and its
// libraries and ending it, so it is an upper bound of the time to the first frame.
#include <benchmark/benchmark.h>

#include <QTemporaryDir>

#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>

#include <cstdlib>
#include <string>
#include <vector>

extern char** environ;

namespace {

// Runs the editor once; adds the processor time it used (user and system) to
// `cpuSeconds`.
bool runEditorUntilFirstPaint(const std::vector<std::string>& environment, double& cpuSeconds) {
    std::vector<char*> envp;
    for (const std::string& entry : environment)
        envp.push_back(const_cast<char*>(entry.c_str()));
    envp.push_back(nullptr);
    char program[] = KORVEX_EDITOR_PATH;
    char* argv[] = {program, nullptr};
    pid_t pid = 0;
    if (posix_spawn(&pid, program, nullptr, nullptr, argv, envp.data()) != 0)
        return false;
    int status = 0;
    rusage usage{};
    if (wait4(pid, &status, 0, &usage) != pid)
        return false;
    auto seconds = [](const timeval& t) { return double(t.tv_sec) + double(t.tv_usec) / 1e6; };
    cpuSeconds += seconds(usage.ru_utime) + seconds(usage.ru_stime);
    return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

void startUpToFirstPaint(benchmark::State& state) {
    QTemporaryDir stateHome; // recovery copies of these runs go here, never to the user's
    std::vector<std::string> environment;
    for (char** entry = environ; *entry; ++entry) {
        const std::string text = *entry;
        if (text.rfind("QT_QPA_PLATFORM=", 0) != 0 && text.rfind("XDG_STATE_HOME=", 0) != 0)
            environment.push_back(text);
    }
    environment.push_back("QT_QPA_PLATFORM=offscreen");
    environment.push_back("KORVEX_EXIT_AFTER_FIRST_PAINT=1");
    environment.push_back("XDG_STATE_HOME=" + stateHome.path().toStdString());
    double cpuSeconds = 0;
    for (auto _ : state) {
        if (!runEditorUntilFirstPaint(environment, cpuSeconds)) {
            state.SkipWithError("the editor did not start and end cleanly");
            break;
        }
    }
    // The editor's own processor time, which a loaded machine does not inflate.
    state.counters["editor_cpu_ms"] = 1000.0 * cpuSeconds / double(state.iterations());
}
BENCHMARK(startUpToFirstPaint)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(20);

} // namespace
