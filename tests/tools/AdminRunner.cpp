#include "AdminRunner.h"

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>

#include <fstream>
#include <sstream>
#include <stdexcept>

extern char** environ;

namespace talveron::admin::test {

namespace {

std::string readAll(const std::filesystem::path& path) {
    std::ifstream file(path, std::ios::binary);
    std::ostringstream text;
    text << file.rdbuf();
    return text.str();
}

bool keptInEnvironment(const std::string& entry) {
    for (const char* prefix : {"TALVERON_", "ODBCINI=", "ODBCSYSINI=", "ODBCINSTINI="}) {
        if (entry.rfind(prefix, 0) == 0) {
            return false;
        }
    }
    return true;
}

}  // namespace

RunResult runAdmin(const std::filesystem::path& scratch, const std::vector<std::string>& arguments,
                   const std::string& input, const std::vector<std::string>& environment) {
    const std::filesystem::path inPath = scratch / "stdin.txt";
    const std::filesystem::path outPath = scratch / "stdout.txt";
    const std::filesystem::path errPath = scratch / "stderr.txt";
    std::ofstream(inPath, std::ios::binary) << input;

    std::vector<std::string> argumentStore{TALVERON_ADMIN_PATH};
    argumentStore.insert(argumentStore.end(), arguments.begin(), arguments.end());
    std::vector<char*> argv;
    for (std::string& argument : argumentStore) {
        argv.push_back(argument.data());
    }
    argv.push_back(nullptr);
    std::vector<std::string> environmentStore;
    for (char** entry = environ; *entry != nullptr; ++entry) {
        if (keptInEnvironment(*entry)) {
            environmentStore.emplace_back(*entry);
        }
    }
    environmentStore.insert(environmentStore.end(), environment.begin(), environment.end());
    std::vector<char*> envp;
    for (std::string& entry : environmentStore) {
        envp.push_back(entry.data());
    }
    envp.push_back(nullptr);

    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 0, inPath.c_str(), O_RDONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 1, outPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC,
                                     0600);
    posix_spawn_file_actions_addopen(&actions, 2, errPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC,
                                     0600);
    pid_t child = 0;
    const int spawned = posix_spawn(&child, argv[0], &actions, nullptr, argv.data(), envp.data());
    posix_spawn_file_actions_destroy(&actions);
    if (spawned != 0) {
        throw std::runtime_error("cannot start " + argumentStore[0]);
    }
    int status = 0;
    waitpid(child, &status, 0);

    RunResult result;
    result.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
    result.out = readAll(outPath);
    result.err = readAll(errPath);
    return result;
}

}  // namespace talveron::admin::test
