// Starts the minimal program and Orvalis Calculator in turns, each as a fresh process, and
// times each from its start to its first idle moment (see FirstIdle.h), reading its resident
// memory there. Prints the medians, their ratio and the memory of both.
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
    if (argc != 4)
        Fail("usage: bench-startup <runs> <minimal program> <program>");
    const int runs = std::max(1, std::atoi(argv[1]));
    const char* minimal = argv[2];
    const char* program = argv[3];

    // One unmeasured start each, so both find the libraries and fonts in the file cache.
    Measure(minimal);
    Measure(program);
    std::vector<double> minimalMs, programMs, minimalCpu, programCpu, minimalMb, programMb;
    for (int i = 0; i < runs; ++i) {
        // In turns, so that a busy moment of the machine weighs on both alike.
        const Run a = Measure(minimal);
        const Run b = Measure(program);
        minimalMs.push_back(a.milliseconds);
        programMs.push_back(b.milliseconds);
        minimalCpu.push_back(a.cpuMilliseconds);
        programCpu.push_back(b.cpuMilliseconds);
        minimalMb.push_back(a.residentMb);
        programMb.push_back(b.residentMb);
    }
    const double ms0 = Median(minimalMs), ms1 = Median(programMs);
    const double cpu0 = Median(minimalCpu), cpu1 = Median(programCpu);
    const double mb0 = Median(minimalMb), mb1 = Median(programMb);
    std::printf("Start-up, minimal Qt Widgets window:       %8.1f ms (median of %d starts)\n", ms0, runs);
    std::printf("Start-up, Orvalis Calculator:              %8.1f ms (median of %d starts)\n", ms1, runs);
    std::printf("Start-up ratio:                            %8.2f    (goal: at most 1.3)\n", ms1 / ms0);
    std::printf("Processor time to idle, minimal window:    %8.1f ms\n", cpu0);
    std::printf("Processor time to idle, Orvalis Calculator: %7.1f ms\n", cpu1);
    std::printf("Processor time ratio:                      %8.2f\n", cpu1 / cpu0);
    std::printf("Resident memory, minimal Qt Widgets window: %7.1f MB\n", mb0);
    std::printf("Resident memory, Orvalis Calculator:       %8.1f MB (%+.1f MB; goal: at most +10 MB)\n", mb1,
                mb1 - mb0);
    return 0;
}
