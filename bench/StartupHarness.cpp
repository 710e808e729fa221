// Starts the minimal program, the minimal program with one label and Orvalis Calculator (and
// any further builds of it given, to compare them) in turns, each as a fresh process, and
// times each from its start to the X server's mapping of its first window and to its first
// idle moment (see FirstIdle.h), reading its resident memory there. Prints the medians, and
// each program's ratio to the window with one label, which is the least that any program
// showing text pays: the median of the ratios of the starts of each round, so that a busy
// moment of the machine, which slows the starts of one round alike, cancels out.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <set>
#include <string>
#include <vector>

#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <xcb/xcb.h>

namespace {

using Clock = std::chrono::steady_clock;

struct Run
{
    double mapMilliseconds = 0; // 0 when no X server could be watched
    double milliseconds = 0;
    double cpuMilliseconds = 0;
    double residentMb = 0;
    int imagePlugins = 0;
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

// Qt's image format plugins mapped into the process: none is needed before the first idle
// moment, since every picture of the start-up is drawn or kept as raw pixels.
int ImagePlugins(pid_t pid)
{
    std::ifstream maps("/proc/" + std::to_string(pid) + "/maps");
    std::set<std::string> plugins;
    std::string line;
    while (std::getline(maps, line))
        if (const auto at = line.find("/imageformats/"); at != std::string::npos)
            plugins.insert(line.substr(at));
    return static_cast<int>(plugins.size());
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

// Hears of every top-level window the X server maps: on a bare server a program's own
// window, under a window manager the frame around it. The display must be a quiet one (the
// benchmark's script starts a server of its own), since any window mapped counts.
class MapWatch
{
public:
    MapWatch()
    {
        if (!std::getenv("DISPLAY"))
            return;
        m_connection = xcb_connect(nullptr, nullptr);
        if (xcb_connection_has_error(m_connection)) {
            xcb_disconnect(m_connection);
            m_connection = nullptr;
            return;
        }
        const xcb_screen_t* screen = xcb_setup_roots_iterator(xcb_get_setup(m_connection)).data;
        const uint32_t mask = XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY;
        xcb_change_window_attributes(m_connection, screen->root, XCB_CW_EVENT_MASK, &mask);
        xcb_flush(m_connection);
    }
    ~MapWatch()
    {
        if (m_connection)
            xcb_disconnect(m_connection);
    }
    MapWatch(const MapWatch&) = delete;
    MapWatch& operator=(const MapWatch&) = delete;

    bool Watching() const { return m_connection != nullptr; }
    int Descriptor() const { return m_connection ? xcb_get_file_descriptor(m_connection) : -1; }

    //! Reads what the server sent; true if a window was mapped.
    bool Mapped()
    {
        bool mapped = false;
        while (xcb_generic_event_t* event = xcb_poll_for_event(m_connection)) {
            if ((event->response_type & ~0x80) == XCB_MAP_NOTIFY)
                mapped = true;
            std::free(event);
        }
        return mapped;
    }

    //! Forgets the maps of the run before.
    void Drain()
    {
        if (!m_connection)
            return;
        std::free(xcb_get_input_focus_reply(m_connection, xcb_get_input_focus(m_connection), nullptr));
        Mapped();
    }

private:
    xcb_connection_t* m_connection = nullptr;
};

double Since(Clock::time_point start)
{
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

Run Measure(const char* program, MapWatch& maps)
{
    maps.Drain();
    int toChild[2];
    int fromChild[2];
    if (pipe(toChild) != 0 || pipe(fromChild) != 0)
        Fail("no pipe");
    const auto start = Clock::now();
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

    Run run;
    std::string output;
    char buffer[256];
    bool waitingForMap = maps.Watching();
    while (output.find("idle\n") == std::string::npos) {
        pollfd sources[2] = {{fromChild[0], POLLIN, 0}, {maps.Descriptor(), POLLIN, 0}};
        if (poll(sources, waitingForMap ? 2 : 1, -1) < 0)
            continue;
        if (waitingForMap && (sources[1].revents & POLLIN) && maps.Mapped()) {
            run.mapMilliseconds = Since(start);
            waitingForMap = false;
        }
        if (!(sources[0].revents & (POLLIN | POLLHUP)))
            continue;
        const ssize_t got = read(fromChild[0], buffer, sizeof buffer);
        if (got <= 0)
            Fail(std::string(program) + " ended before its event loop was idle");
        output.append(buffer, static_cast<std::size_t>(got));
    }
    run.milliseconds = Since(start);
    run.residentMb = ResidentMb(pid);
    run.cpuMilliseconds = CpuMilliseconds(pid);
    run.imagePlugins = ImagePlugins(pid);
    if (waitingForMap && maps.Mapped()) // mapped in the same instant as it was idle
        run.mapMilliseconds = run.milliseconds;

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

// A program's name in the table: its file's, or with its folder's too where two programs have
// the same file name (builds compared with each other).
std::string Label(const std::vector<const char*>& programs, std::size_t p)
{
    const std::filesystem::path path(programs[p]);
    for (std::size_t other = 0; other < programs.size(); ++other)
        if (other != p && std::filesystem::path(programs[other]).filename() == path.filename())
            return (path.parent_path().filename() / path.filename()).string();
    return path.filename().string();
}

double Median(std::vector<double> values)
{
    if (values.empty())
        return 0;
    std::sort(values.begin(), values.end());
    const std::size_t n = values.size();
    return n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

struct Figures
{
    std::vector<double> map, idle, cpu, mb;
    int imagePlugins = 0; // the most in any start
};

std::vector<double> Ratios(const std::vector<double>& of, const std::vector<double>& to)
{
    std::vector<double> ratios;
    for (std::size_t i = 0; i < of.size() && i < to.size(); ++i)
        if (to[i] > 0)
            ratios.push_back(of[i] / to[i]);
    return ratios;
}

} // namespace

int main(int argc, char* argv[])
{
    if (argc < 5)
        Fail("usage: bench-startup <runs> <minimal program> <minimal program with text> <program> [<program>...]");
    const int runs = std::max(1, std::atoi(argv[1]));
    const std::vector<const char*> programs(argv + 2, argv + argc);
    const int count = static_cast<int>(programs.size());
    enum { Minimal, MinimalText, Program };

    MapWatch maps;
    // One unmeasured start each, so all find the libraries and fonts in the file cache.
    for (const char* program : programs)
        Measure(program, maps);
    std::vector<Figures> figures(programs.size());
    for (int i = 0; i < runs; ++i) {
        // In turns, so that a busy moment of the machine weighs on all alike. Each round starts
        // with the next program: a start just after another one's end waits on what that
        // one leaves behind, so each program follows each other one equally often.
        for (int turn = 0; turn < count; ++turn) {
            const int p = (i + turn) % count;
            const Run run = Measure(programs[p], maps);
            figures[p].map.push_back(run.mapMilliseconds);
            figures[p].idle.push_back(run.milliseconds);
            figures[p].cpu.push_back(run.cpuMilliseconds);
            figures[p].mb.push_back(run.residentMb);
            figures[p].imagePlugins = std::max(figures[p].imagePlugins, run.imagePlugins);
        }
    }

    const Figures& bare = figures[Minimal];
    const Figures& text = figures[MinimalText];
    const auto name = [&](int p) {
        return p == Minimal ? std::string("minimal Qt Widgets window")
             : p == MinimalText ? std::string("minimal window with one label")
                                : Label(programs, p);
    };
    std::printf("%d starts of each program, in turns; medians.\n", runs);
    std::printf("%-34s %9s %9s %9s %9s %14s\n", "", "map (ms)", "idle (ms)", "CPU (ms)", "RSS (MB)", "image plugins");
    for (int p = 0; p < count; ++p)
        std::printf("%-34s %9.1f %9.1f %9.1f %9.1f %14d\n", name(p).c_str(), Median(figures[p].map),
                    Median(figures[p].idle), Median(figures[p].cpu), Median(figures[p].mb), figures[p].imagePlugins);
    std::printf("\nTo the window with one label (medians of each round's ratio; goal: at most 1.05 to the\n"
                "first map), and resident memory over the minimal window (goal: at most +10 MB):\n");
    std::printf("%-34s %9s %9s %9s %9s\n", "", "map", "idle", "CPU", "RSS (MB)");
    for (int p = 0; p < count; ++p) {
        if (p == MinimalText)
            continue;
        std::printf("%-34s %9.3f %9.3f %9.3f %+9.1f\n", name(p).c_str(), Median(Ratios(figures[p].map, text.map)),
                    Median(Ratios(figures[p].idle, text.idle)), Median(Ratios(figures[p].cpu, text.cpu)),
                    Median(figures[p].mb) - Median(bare.mb));
    }
    if (!maps.Watching())
        std::printf("(No X server to watch: the times to the first map are not measured.)\n");
    return 0;
}
