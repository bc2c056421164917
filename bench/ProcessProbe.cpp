#include "ProcessProbe.h"

#include <poll.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <fstream>

namespace talveron::bench {

namespace {

constexpr int kSampleMilliseconds = 2;

long statusField(const std::string& status, const std::string& key) {
    const auto at = status.find("\n" + key + ":");
    return at == std::string::npos ? 0 : std::stol(status.substr(at + key.size() + 2));
}

void sample(pid_t pid, ProbeResult& result) {
    std::ifstream file("/proc/" + std::to_string(pid) + "/status");
    const std::string status((std::istreambuf_iterator<char>(file)),
                             std::istreambuf_iterator<char>());
    result.peakRssAnonKiB = std::max(result.peakRssAnonKiB, statusField(status, "RssAnon"));
    result.peakRssKiB = std::max(result.peakRssKiB, statusField(status, "VmHWM"));
}

// Samples the child until it ends; the pidfd wakes the wait the moment it does.
ProbeResult watch(pid_t pid, std::chrono::steady_clock::time_point start) {
    ProbeResult result;
    const int pidfd = static_cast<int>(::syscall(SYS_pidfd_open, pid, 0));
    int status = 0;
    for (;;) {
        sample(pid, result);
        pollfd ready{pidfd, POLLIN, 0};
        if (pidfd < 0) {
            ::usleep(kSampleMilliseconds * 1000);
        } else if (::poll(&ready, 1, kSampleMilliseconds) <= 0) {
            continue;
        }
        struct rusage usage {};
        if (::wait4(pid, &status, pidfd < 0 ? WNOHANG : 0, &usage) == pid) {
            result.cpuSeconds =
                static_cast<double>(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) +
                static_cast<double>(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
            break;
        }
    }
    result.seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    result.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
    if (pidfd >= 0) {
        ::close(pidfd);
    }
    return result;
}

}  // namespace

ProbeResult probeCommand(const std::vector<std::string>& argv) {
    std::vector<char*> args;
    for (const auto& arg : argv) {
        args.push_back(const_cast<char*>(arg.c_str()));
    }
    args.push_back(nullptr);
    const auto start = std::chrono::steady_clock::now();
    // posix_spawn shares no copy of this process with the child, so the child's
    // memory is its own program's from the first sample on.
    pid_t pid = -1;
    if (::posix_spawnp(&pid, args[0], nullptr, nullptr, args.data(), environ) != 0) {
        return ProbeResult{};
    }
    return watch(pid, start);
}

}  // namespace talveron::bench
