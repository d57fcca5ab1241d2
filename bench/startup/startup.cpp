// Times the program's start: from the spawn of the real binary on the
// offscreen platform to its main window first exposed and painted, over
// several runs, with the peak resident memory of each run. The program is
// not changed for this: a probe library preloaded into it reports the
// moments and ends it after the first frame.
#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <string>
#include <vector>

#include <fcntl.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

extern char **environ;

namespace {

struct Run {
    double exposedMs;
    double paintedMs;
    double maxRssMb;
};

long long monotonicNanoseconds() {
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    return static_cast<long long>(now.tv_sec) * 1'000'000'000LL + now.tv_nsec;
}

// The harness's own environment, with the platform, the probe and the
// probe's report channel set for the child.
std::vector<std::string> childEnvironment(const std::string &probe, int fd) {
    std::vector<std::string> env;
    for (char **e = environ; *e; ++e) {
        const std::string entry(*e);
        if (entry.rfind("QT_QPA_PLATFORM=", 0) != 0 && entry.rfind("LD_PRELOAD=", 0) != 0 &&
            entry.rfind("WAVYWALL_PROBE_FD=", 0) != 0) {
            env.push_back(entry);
        }
    }
    env.push_back("QT_QPA_PLATFORM=offscreen");
    env.push_back("LD_PRELOAD=" + probe);
    env.push_back("WAVYWALL_PROBE_FD=" + std::to_string(fd));
    return env;
}

bool readReport(int fd, long long &exposed, long long &painted) {
    char buffer[128] = {};
    std::size_t used = 0;
    while (used + 1 < sizeof buffer) {
        const ssize_t n = read(fd, buffer + used, sizeof buffer - 1 - used);
        if (n <= 0) {
            break;
        }
        used += static_cast<std::size_t>(n);
    }
    return std::sscanf(buffer, "%lld %lld", &exposed, &painted) == 2;
}

// Starts the program with the probe reporting on reportFd; the offscreen
// platform's notices on stderr are not the harness's output.
pid_t spawnProgram(const std::string &program, const std::string &probe, int reportFd) {
    std::vector<std::string> env = childEnvironment(probe, reportFd);
    std::vector<char *> envp;
    for (std::string &e : env) {
        envp.push_back(e.data());
    }
    envp.push_back(nullptr);
    std::string path = program;
    char *argv[] = {path.data(), nullptr};
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, "/dev/null", O_WRONLY, 0);
    pid_t pid = 0;
    const int error = posix_spawn(&pid, path.c_str(), &actions, nullptr, argv, envp.data());
    posix_spawn_file_actions_destroy(&actions);
    if (error != 0) {
        std::fprintf(stderr, "cannot start %s: %s\n", path.c_str(), std::strerror(error));
        return -1;
    }
    return pid;
}

bool runOnce(const std::string &program, const std::string &probe, Run &run) {
    int channel[2];
    if (pipe(channel) != 0) {
        std::perror("pipe");
        return false;
    }
    const long long start = monotonicNanoseconds();
    const pid_t pid = spawnProgram(program, probe, channel[1]);
    close(channel[1]);
    long long exposed = 0;
    long long painted = 0;
    const bool reported = pid > 0 && readReport(channel[0], exposed, painted);
    close(channel[0]);
    if (pid <= 0) {
        return false;
    }
    int status = 0;
    rusage usage{};
    wait4(pid, &status, 0, &usage);
    if (!reported || !WIFEXITED(status) || WEXITSTATUS(status) != 0) {
        std::fprintf(stderr, "%s showed no window or failed (status %d); run it alone to see why\n",
                     program.c_str(), status);
        return false;
    }
    run = {(exposed - start) / 1e6, (painted - start) / 1e6, usage.ru_maxrss / 1024.0};
    return true;
}

double quantile(std::vector<double> values, double q) {
    std::sort(values.begin(), values.end());
    const double at = q * static_cast<double>(values.size() - 1);
    const std::size_t low = static_cast<std::size_t>(at);
    const std::size_t high = std::min(low + 1, values.size() - 1);
    return values[low] + (at - static_cast<double>(low)) * (values[high] - values[low]);
}

void summarise(const char *what, const char *unit, const std::vector<Run> &runs,
               double Run::*field) {
    std::vector<double> values;
    for (const Run &r : runs) {
        values.push_back(r.*field);
    }
    std::printf("%-28s median %7.2f %s  min %7.2f  q1 %7.2f  q3 %7.2f  max %7.2f\n", what,
                quantile(values, 0.5), unit, quantile(values, 0), quantile(values, 0.25),
                quantile(values, 0.75), quantile(values, 1));
}

int usage() {
    std::fprintf(stderr, "usage: wavywall_startup [--runs N] [PROGRAM]\n");
    return 2;
}

} // namespace

int main(int argc, char **argv) {
    int runs = 20;
    std::string program = WAVYWALL_PROGRAM;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--runs") == 0 && i + 1 < argc) {
            runs = std::atoi(argv[++i]);
        } else if (argv[i][0] != '-') {
            program = argv[i];
        } else {
            return usage();
        }
    }
    if (runs < 1) {
        return usage();
    }
    // One run first to bring the program and its libraries into the page
    // cache; it is not counted.
    Run run{};
    if (!runOnce(program, WAVYWALL_PROBE, run)) {
        return 1;
    }
    std::vector<Run> all;
    for (int i = 0; i < runs; ++i) {
        if (!runOnce(program, WAVYWALL_PROBE, run)) {
            return 1;
        }
        all.push_back(run);
    }
    std::printf("%d runs of %s (offscreen)\n", runs, program.c_str());
    summarise("start to window exposed", "ms", all, &Run::exposedMs);
    summarise("start to first frame", "ms", all, &Run::paintedMs);
    summarise("peak resident memory", "MB", all, &Run::maxRssMb);
    return 0;
}
