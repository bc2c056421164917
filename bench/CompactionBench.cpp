// Times the engine's compaction (verification and flushing to disk included)
// against `sqlite3 SRC "VACUUM INTO 'DST'"` and `cp --reflink=never SRC DST &&
// sync` on fragmented databases of about 100 MiB and 1 GiB, and reports the
// compaction's peak resident anonymous memory.
//
//   compaction_bench [--cache FOLDER] [--sizes 100,1024] [--runs 3]

#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "FragmentedDatabase.h"
#include "ProcessProbe.h"
#include "talveron/engine/Compaction.h"
#include "talveron/engine/Error.h"

namespace fs = std::filesystem;
using namespace talveron;

namespace {

struct Options {
    fs::path cache;
    std::vector<std::int64_t> sizes{100, 1024};
    int runs = 3;
};

fs::path defaultCache() {
    if (const char* xdg = std::getenv("XDG_CACHE_HOME"); xdg && *xdg) {
        return fs::path(xdg) / "tarnex-bench";
    }
    if (const char* home = std::getenv("HOME"); home && *home) {
        return fs::path(home) / ".cache" / "tarnex-bench";
    }
    return fs::temp_directory_path() / "tarnex-bench";
}

Options parse(int argc, char** argv) {
    Options options;
    options.cache = defaultCache();
    for (int i = 1; i + 1 < argc; i += 2) {
        const std::string flag = argv[i];
        const std::string value = argv[i + 1];
        if (flag == "--cache") {
            options.cache = value;
        } else if (flag == "--runs") {
            options.runs = std::max(1, std::stoi(value));
        } else if (flag == "--sizes") {
            options.sizes.clear();
            std::stringstream list(value);
            for (std::string item; std::getline(list, item, ',');) {
                options.sizes.push_back(std::stoll(item));
            }
        } else {
            std::cerr << "unknown option " << flag << "\n";
            std::exit(2);
        }
    }
    return options;
}

// Reads the file once so that every method starts from a warm page cache.
void warm(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    std::vector<char> buffer(1 << 20);
    while (in.read(buffer.data(), static_cast<std::streamsize>(buffer.size()))) {
    }
}

struct Method {
    std::string name;
    std::function<bench::ProbeResult(const fs::path&, const fs::path&)> run;
};

std::vector<Method> methods(const fs::path& workgroup) {
    return {
        {"engine compact",
         [workgroup](const fs::path& source, const fs::path& destination) {
             return bench::probeCommand({fs::read_symlink("/proc/self/exe").string(), "--compact",
                                         source.string(), destination.string(),
                                         workgroup.string()});
         }},
        {"sqlite3 VACUUM INTO",
         [](const fs::path& source, const fs::path& destination) {
             return bench::probeCommand(
                 {"sqlite3", source.string(), "VACUUM INTO '" + destination.string() + "'"});
         }},
        {"cp + sync",
         [](const fs::path& source, const fs::path& destination) {
             return bench::probeCommand({"sh", "-c", "cp --reflink=never \"$0\" \"$1\" && sync",
                                         source.string(), destination.string()});
         }},
    };
}

double median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

double mib(long kib) {
    return static_cast<double>(kib) / 1024.0;
}

// The machine's one-minute load average: the figures mean little when other
// work competes for the processors.
std::string loadAverage() {
    std::ifstream file("/proc/loadavg");
    std::string load;
    file >> load;
    return load;
}

}  // namespace

// The measured compaction runs in a process of its own, started afresh, so
// that its memory is the compaction's alone.
int compactOnly(const fs::path& source, const fs::path& destination, const fs::path& workgroup) {
    try {
        engine::compact(source, destination, engine::Locale{}.toString(), 0,
                        {workgroup, "Admin", ""});
        return 0;
    } catch (const engine::Error& error) {
        std::cerr << "compaction failed: " << error.description() << "\n";
        return 1;
    }
}

// Times every method on the database of `size` MiB and prints the figures.
bool compare(const Options& options, std::int64_t size) {
    const std::vector<Method> all =
        methods(bench::benchWorkgroup(options.cache, engine::HashCost::MinimalForTestsOnly));
    const fs::path source =
        bench::fragmentedDatabase(options.cache, size, engine::HashCost::MinimalForTestsOnly);
    const fs::path destination = options.cache / "out" / "copy.mdb";
    warm(source);
    const std::string loadBefore = loadAverage();
    std::map<std::string, std::vector<double>> times;
    std::map<std::string, std::vector<double>> cpu;
    std::map<std::string, long> peakAnon;
    std::map<std::string, long> peakRss;
    std::uintmax_t copySize = 0;
    bool failed = false;
    for (int run = 0; run < options.runs; ++run) {
        for (std::size_t k = 0; k < all.size(); ++k) {
            // Each run starts with a different method, so that none always
            // follows the same neighbour.
            const Method& method = all[(k + static_cast<std::size_t>(run)) % all.size()];
            fs::remove(destination);
            ::sync();
            const bench::ProbeResult result = method.run(source, destination);
            if (result.exitCode != 0 || !fs::exists(destination)) {
                std::cerr << method.name << " failed (exit " << result.exitCode << ")\n";
                failed = true;
                continue;
            }
            if (&method == &all[0]) {
                copySize = fs::file_size(destination);
            }
            times[method.name].push_back(result.seconds);
            cpu[method.name].push_back(result.cpuSeconds);
            peakAnon[method.name] = std::max(peakAnon[method.name], result.peakRssAnonKiB);
            peakRss[method.name] = std::max(peakRss[method.name], result.peakRssKiB);
        }
    }
    fs::remove(destination);

    std::printf(
        "\nSource %s: %.1f MiB; compacted copy %.1f MiB; %d runs each, warm cache; "
        "load average %s before, %s after\n",
        source.filename().c_str(), static_cast<double>(fs::file_size(source)) / 1048576.0,
        static_cast<double>(copySize) / 1048576.0, options.runs, loadBefore.c_str(),
        loadAverage().c_str());
    std::printf("%-22s %10s %10s %12s %10s %14s %12s\n", "method", "median s", "min s",
                "vs sqlite3", "CPU s", "peak RssAnon", "peak VmHWM");
    const double reference = times.count(all[1].name) ? median(times[all[1].name]) : 0.0;
    for (const Method& method : all) {
        const auto& runs = times[method.name];
        if (runs.empty()) {
            continue;
        }
        const double m = median(runs);
        std::printf("%-22s %10.3f %10.3f %11.2fx %10.3f %10.1f MiB %8.1f MiB\n",
                    method.name.c_str(), m, *std::min_element(runs.begin(), runs.end()),
                    reference > 0 ? m / reference : 0.0, median(cpu[method.name]),
                    mib(peakAnon[method.name]), mib(peakRss[method.name]));
    }
    if (times.count(all[0].name) && times.count(all[2].name)) {
        std::printf("engine compact / cp + sync: %.2fx\n",
                    median(times[all[0].name]) / median(times[all[2].name]));
    }
    return !failed;
}

// Compacts the 100 MiB database once more with a log-in at the default hash
// cost, whose argon2id check alone holds 64 MiB for a moment.
bool withDefaultHashCost(const Options& options) {
    const fs::path workgroup = bench::benchWorkgroup(options.cache, engine::HashCost::Interactive);
    const fs::path source =
        bench::fragmentedDatabase(options.cache, 100, engine::HashCost::Interactive);
    const fs::path destination = options.cache / "out" / "copy.mdb";
    warm(source);
    const Method engineCompact = methods(workgroup)[0];
    fs::remove(destination);
    ::sync();
    const bench::ProbeResult result = engineCompact.run(source, destination);
    fs::remove(destination);
    std::printf(
        "\nLog-in at the default (interactive) hash cost, %s: %.3f s, peak RssAnon "
        "%.1f MiB\n",
        source.filename().c_str(), result.seconds, mib(result.peakRssAnonKiB));
    return result.exitCode == 0;
}

int main(int argc, char** argv) {
    if (argc == 5 && std::string(argv[1]) == "--compact") {
        return compactOnly(argv[2], argv[3], argv[4]);
    }
    const Options options = parse(argc, argv);
    fs::create_directories(options.cache / "out");
    bool ok = true;
    for (const std::int64_t size : options.sizes) {
        ok = compare(options, size) && ok;
    }
    ok = withDefaultHashCost(options) && ok;
    return ok ? 0 : 1;
}
