#pragma once

#include <filesystem>
#include <functional>
#include <string>

#include "PasswordSource.h"
#include "talveron/engine/Database.h"
#include "talveron/engine/Workgroup.h"

namespace talveron::admin {

// The options every command shares, and the command that parsing chose.
struct Context {
    std::filesystem::path workgroup;
    std::string user{engine::Workgroup::kAdminUser};
    bool passwordStdin = false;

    // Set by the chosen subcommand's callback, run once parsing has succeeded.
    std::function<void()> command;

    PasswordSource passwords() const { return PasswordSource(passwordStdin); }
    // The workgroup path, or a usage error when --workgroup was not given.
    const std::filesystem::path& requireWorkgroup() const;
};

// The acting account, proven against the workgroup with its password.
struct ActingLogin {
    engine::Workgroup workgroup;
    engine::Account account;
    std::string password;

    engine::Credentials credentials() const;
};

// Opens the workgroup named by --workgroup, asks for the password of --user and
// authenticates it. readOnly opens the workgroup without write access.
ActingLogin logIn(const Context& context, PasswordSource& passwords, bool readOnly = false);

// Prints one entry per line on standard output.
void printLines(const std::vector<std::string>& lines);

}  // namespace talveron::admin
