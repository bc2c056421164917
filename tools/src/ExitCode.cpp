#include "ExitCode.h"

#include "talveron/engine/Error.h"

namespace talveron::admin {

ExitCode exitCodeFor(const engine::Error& error) {
    switch (error.code()) {
        case engine::ErrorCode::BadLogin:
            return ExitCode::BadLogin;
        case engine::ErrorCode::NoPermission:
            return ExitCode::NoPermission;
        default:
            return ExitCode::EngineError;
    }
}

const char* exitCodeHelp() {
    return "Exit codes:\n"
           "  0  success\n"
           "  1  usage error: bad arguments, no password available, confirmation mismatch\n"
           "  2  the database engine refused or failed; the message reads\n"
           "     \"error NNNN: description\" with the engine's error number\n"
           "  3  bad login: the account name or password was not accepted (engine error 3029)\n"
           "  4  permission denied: the acting account may not do this (engine error 3033)\n"
           "  5  system error: ODBC configuration files or a file operation failed\n"
           "Messages go to standard error, prefixed with \"talveron-admin: \"; listings go to\n"
           "standard output, one name per line.";
}

}  // namespace talveron::admin
