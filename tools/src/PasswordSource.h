#pragma once

#include <string>

namespace talveron::admin {

// Where the passwords a command needs come from: a prompt on the terminal with
// echo turned off, or, with --password-stdin, one line of standard input each,
// in the order the command asks for them. Never from the command line.
class PasswordSource {
public:
    explicit PasswordSource(bool fromStdin) : m_fromStdin(fromStdin) {}

    // A password that is checked against the workgroup; may be empty.
    std::string read(const std::string& prompt);

    // A new password for `user`: not empty, and typed twice when asked on a terminal.
    std::string readNew(const std::string& user);

private:
    std::string readLine(const std::string& prompt);
    bool m_fromStdin;
};

}  // namespace talveron::admin
