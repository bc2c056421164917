// The driver under unixODBC's own isql.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "DriverTestSupport.h"

namespace talveron::odbc::test {
namespace {

// isql is not built with the sanitizers: when the driver is, their run-time
// libraries must come first into the process.
std::vector<std::string> isqlEnvironment() {
    std::vector<std::string> environment{"HOME=" + testFiles().folder.string()};
    const std::string preload = TALVERON_SANITIZER_PRELOAD;
    if (!preload.empty()) {
        environment.push_back("LD_PRELOAD=" + preload);
        environment.push_back("ASAN_OPTIONS=detect_leaks=0");
    }
    return environment;
}

ProcessResult isql(const std::string& user, const std::string& password, const std::string& input) {
    return runProcess({TALVERON_ISQL_PATH, "-v", "-b", kMainDsn, user, password}, input,
                      isqlEnvironment());
}

TEST(IsqlTest, ConnectsAndPrintsTheRowsOfASelect) {
    const ProcessResult result =
        isql("manager", "secret", "SELECT Id, Name, City FROM Customers WHERE Id <= 2\n");
    EXPECT_EQ(result.exitCode, 0) << result.output;
    EXPECT_NE(result.output.find("| 1 | Ada Lovelace| London|"), std::string::npos)
        << result.output;
    EXPECT_NE(result.output.find("| 2 | Grace Hopper|       |"), std::string::npos)
        << result.output;
    EXPECT_NE(result.output.find("2 rows fetched"), std::string::npos) << result.output;
}

TEST(IsqlTest, RefusesAWrongPassword) {
    const ProcessResult result = isql("Manager", "not the password", "SELECT 1\n");
    EXPECT_NE(result.exitCode, 0) << result.output;
    EXPECT_NE(result.output.find("[28000]"), std::string::npos) << result.output;
    EXPECT_NE(result.output.find("Not a valid account name or password"), std::string::npos)
        << result.output;
}

}  // namespace
}  // namespace talveron::odbc::test
