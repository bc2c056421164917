#pragma once

#include <stdexcept>
#include <string>

namespace talveron::engine {
class Error;
}

namespace talveron::admin {

// The process exit codes; scripts rely on them, and --help lists them.
enum class ExitCode : int {
    Ok = 0,
    Usage = 1,         // bad arguments, no password available, confirmation mismatch
    EngineError = 2,   // the engine refused or failed; the message carries its error number
    BadLogin = 3,      // the account name or password was not accepted
    NoPermission = 4,  // the acting account may not do this (not in "Admins", not the owner)
    SystemError = 5,   // ODBC configuration or a file operation outside the engine failed
};

// A failure that is not the engine's, with the exit code it ends the program with.
class CommandError : public std::runtime_error {
public:
    CommandError(ExitCode code, const std::string& message)
        : std::runtime_error(message), m_code(code) {}
    ExitCode code() const noexcept { return m_code; }

private:
    ExitCode m_code;
};

ExitCode exitCodeFor(const engine::Error& error);

// The exit-code table shown at the end of --help.
const char* exitCodeHelp();

}  // namespace talveron::admin
