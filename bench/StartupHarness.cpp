// Starts the minimal program, the minimal program with one label and Orvalis Calculator in
// turns, each as a fresh process, and times each from its start to its first idle moment (see
// FirstIdle.h), reading its resident memory there. Prints the medians, the ratios and the
// memory.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

struct Run
{
    double milliseconds = 0;
    double cpuMilliseconds = 0;
    double residentMb = 0;
};

double ResidentMb(pid_t pid)
{
    std::ifstream status("/proc/" + std::to_string(pid) + "/status");
    std::string line;
    while (std::getline(status, line))
        if (line.rfind("VmRSS:", 0) == 0)
            return std::strtod(line.c_str() + 6, nullptr) / 1024.0; // the line gives kB
    return 0;
}

// Processor time of all the process's threads so far, from the scheduler's own account in
// nanoseconds: unlike the time on the clock, a busy machine hardly changes it.
double CpuMilliseconds(pid_t pid)
{
    const std::filesystem::path tasks = "/proc/" + std::to_string(pid) + "/task";
    std::error_code error;
    double nanoseconds = 0;
    for (const auto& task : std::filesystem::directory_iterator(tasks, error)) {
        std::ifstream schedstat(task.path() / "schedstat");
        double onCpu = 0;
        if (schedstat >> onCpu)
            nanoseconds += onCpu;
    }
    return nanoseconds / 1e6;
}

[[noreturn]] void Fail(const std::string& what)
{
    std::fprintf(stderr, "bench-startup: %s\n", what.c_str());
    std::exit(1);
}

Run Measure(const char* program)
{
    int toChild[2];
    int fromChild[2];
    if (pipe(toChild) != 0 || pipe(fromChild) != 0)
        Fail("no pipe");
    const auto start = std::chrono::steady_clock::now();
    const pid_t pid = fork();
    if (pid < 0)
        Fail("cannot fork");
    if (pid == 0) {
        dup2(toChild[0], STDIN_FILENO);
        dup2(fromChild[1], STDOUT_FILENO);
        close(toChild[0]);
        close(toChild[1]);
        close(fromChild[0]);
        close(fromChild[1]);
        execl(program, program, static_cast<char*>(nullptr));
        _exit(127);
    }
    close(toChild[0]);
    close(fromChild[1]);

    std::string output;
    char buffer[256];
    while (output.find("idle\n") == std::string::npos) {
        const ssize_t got = read(fromChild[0], buffer, sizeof buffer);
        if (got <= 0)
            Fail(std::string(program) + " ended before its event loop was idle");
        output.append(buffer, static_cast<std::size_t>(got));
    }
    Run run;
    run.milliseconds = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
    run.residentMb = ResidentMb(pid);
    run.cpuMilliseconds = CpuMilliseconds(pid);

    close(toChild[1]); // the program ends its event loop now
    while (read(fromChild[0], buffer, sizeof buffer) > 0) {
    }
    close(fromChild[0]);
    int status = 0;
    waitpid(pid, &status, 0);
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0)
        Fail(std::string(program) + " did not end cleanly");
    return run;
}

double Median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    const std::size_t n = values.size();
    return n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

} // namespace

int main(int argc, char* argv[])
{
    if (argc != 5)
        Fail("usage: bench-startup <runs> <minimal program> <minimal program with text> <program>");
    const int runs = std::max(1, std::atoi(argv[1]));
    const char* programs[] = {argv[2], argv[3], argv[4]};

    // One unmeasured start each, so all find the libraries and fonts in the file cache.
    for (const char* program : programs)
        Measure(program);
    std::vector<double> ms[3], cpu[3], mb[3];
    for (int i = 0; i < runs; ++i) {
        // In turns, so that a busy moment of the machine weighs on all alike. Each round starts
        // with the next program: a start just after another one's end waits on what that
        // one leaves behind, so each program follows each other one equally often.
        for (int turn = 0; turn < 3; ++turn) {
            const int p = (i + turn) % 3;
            const Run run = Measure(programs[p]);
            ms[p].push_back(run.milliseconds);
            cpu[p].push_back(run.cpuMilliseconds);
            mb[p].push_back(run.residentMb);
        }
    }
    double medianMs[3], medianCpu[3], medianMb[3];
    for (int p = 0; p < 3; ++p) {
        medianMs[p] = Median(ms[p]);
        medianCpu[p] = Median(cpu[p]);
        medianMb[p] = Median(mb[p]);
    }
    enum { Minimal, MinimalText, Program };
    std::printf("Start-up, minimal Qt Widgets window:       %8.1f ms (median of %d starts)\n", medianMs[Minimal], runs);
    std::printf("Start-up, Orvalis Calculator:              %8.1f ms (median of %d starts)\n", medianMs[Program], runs);
    std::printf("Start-up ratio:                            %8.2f    (goal: at most 1.3)\n",
                medianMs[Program] / medianMs[Minimal]);
    std::printf("Start-up, minimal window with one label:   %8.1f ms (%.2f times the minimal window's)\n",
                medianMs[MinimalText], medianMs[MinimalText] / medianMs[Minimal]);
    std::printf("Start-up ratio to the window with a label: %8.2f\n", medianMs[Program] / medianMs[MinimalText]);
    std::printf("Processor time to idle, minimal window:    %8.1f ms\n", medianCpu[Minimal]);
    std::printf("Processor time to idle, window with label: %8.1f ms\n", medianCpu[MinimalText]);
    std::printf("Processor time to idle, Orvalis Calculator: %7.1f ms\n", medianCpu[Program]);
    std::printf("Processor time ratio:                      %8.2f\n", medianCpu[Program] / medianCpu[Minimal]);
    std::printf("Resident memory, minimal Qt Widgets window: %7.1f MB\n", medianMb[Minimal]);
    std::printf("Resident memory, Orvalis Calculator:       %8.1f MB (%+.1f MB; goal: at most +10 MB)\n",
                medianMb[Program], medianMb[Program] - medianMb[Minimal]);
    return 0;
}
