#include "PasswordSource.h"

#include <termios.h>
#include <unistd.h>

#include <csignal>
#include <iostream>
#include <iterator>

#include "ExitCode.h"

namespace talveron::admin {

namespace {

// The terminal settings to put back if a signal ends the program while echo is off.
termios g_savedTerminal{};
volatile std::sig_atomic_t g_echoOff = 0;
constexpr int kRestoringSignals[] = {SIGINT, SIGTERM, SIGHUP, SIGQUIT};
constexpr std::size_t kSignalCount = std::size(kRestoringSignals);

extern "C" void restoreTerminalAndReraise(int signalNumber) {
    if (g_echoOff != 0) {
        tcsetattr(STDIN_FILENO, TCSANOW, &g_savedTerminal);
    }
    std::signal(signalNumber, SIG_DFL);
    std::raise(signalNumber);
}

// Turns echo off on the terminal for its lifetime, and back on however it ends.
class EchoOff {
public:
    EchoOff() {
        if (tcgetattr(STDIN_FILENO, &g_savedTerminal) != 0) {
            throw CommandError(ExitCode::SystemError, "cannot read the terminal settings");
        }
        for (std::size_t i = 0; i < kSignalCount; ++i) {
            struct sigaction action {};
            action.sa_handler = restoreTerminalAndReraise;
            sigemptyset(&action.sa_mask);
            sigaction(kRestoringSignals[i], &action, &m_previous[i]);
            if (m_previous[i].sa_handler == SIG_IGN) {
                sigaction(kRestoringSignals[i], &m_previous[i], nullptr);  // stays ignored
            }
        }
        termios silent = g_savedTerminal;
        silent.c_lflag &= ~static_cast<tcflag_t>(ECHO);
        silent.c_lflag |= ECHONL;
        g_echoOff = 1;
        tcsetattr(STDIN_FILENO, TCSANOW, &silent);
    }
    ~EchoOff() {
        tcsetattr(STDIN_FILENO, TCSANOW, &g_savedTerminal);
        g_echoOff = 0;
        for (std::size_t i = 0; i < kSignalCount; ++i) {
            sigaction(kRestoringSignals[i], &m_previous[i], nullptr);
        }
    }
    EchoOff(const EchoOff&) = delete;
    EchoOff& operator=(const EchoOff&) = delete;

private:
    struct sigaction m_previous[kSignalCount] {};
};

void stripLineEnd(std::string& line) {
    if (!line.empty() && line.back() == '\r') {
        line.pop_back();
    }
}

}  // namespace

std::string PasswordSource::readLine(const std::string& prompt) {
    std::string line;
    if (m_fromStdin) {
        if (!std::getline(std::cin, line)) {
            throw CommandError(ExitCode::Usage,
                               "standard input ended before the password for: " + prompt);
        }
        stripLineEnd(line);
        return line;
    }
    if (isatty(STDIN_FILENO) == 0) {
        throw CommandError(ExitCode::Usage,
                           "cannot ask for a password: standard input is not a terminal "
                           "(use --password-stdin)");
    }
    std::cerr << prompt << ": " << std::flush;
    EchoOff echoOff;
    if (!std::getline(std::cin, line)) {
        throw CommandError(ExitCode::Usage, "no password given");
    }
    stripLineEnd(line);
    return line;
}

std::string PasswordSource::read(const std::string& prompt) {
    return readLine(prompt);
}

std::string PasswordSource::readNew(const std::string& user) {
    std::string password = readLine("New password for " + user);
    if (password.empty()) {
        throw CommandError(ExitCode::Usage, "an empty password is not accepted");
    }
    if (!m_fromStdin && readLine("Retype the new password for " + user) != password) {
        throw CommandError(ExitCode::Usage, "the two passwords do not match");
    }
    return password;
}

}  // namespace talveron::admin
