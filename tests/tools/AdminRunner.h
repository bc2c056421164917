#pragma once

#include <filesystem>
#include <string>
#include <vector>

namespace talveron::admin::test {

struct RunResult {
    int exitCode = -1;
    std::string out;
    std::string err;
};

// Runs the built talveron-admin with `input` as its standard input (a file,
// so never a terminal) and its output captured. The environment is the test's
// without TALVERON_*, ODBCINI, ODBCSYSINI and ODBCINSTINI, so no run can reach
// the user's or the system's ODBC files; `environment` adds NAME=value entries.
RunResult runAdmin(const std::filesystem::path& scratch, const std::vector<std::string>& arguments,
                   const std::string& input = {}, const std::vector<std::string>& environment = {});

}  // namespace talveron::admin::test
