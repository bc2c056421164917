#include "Context.h"

#include <iostream>

#include "ExitCode.h"

namespace talveron::admin {

const std::filesystem::path& Context::requireWorkgroup() const {
    if (workgroup.empty()) {
        throw CommandError(ExitCode::Usage,
                           "no workgroup file given (use --workgroup or TALVERON_WORKGROUP)");
    }
    return workgroup;
}

engine::Credentials ActingLogin::credentials() const {
    return engine::Credentials{workgroup.path(), account.name(), password};
}

ActingLogin logIn(const Context& context, PasswordSource& passwords, bool readOnly) {
    engine::Workgroup workgroup = engine::Workgroup::open(context.requireWorkgroup(), readOnly);
    std::string password = passwords.read("Password for " + context.user);
    engine::Account account = workgroup.authenticate(context.user, password);
    return ActingLogin{std::move(workgroup), std::move(account), std::move(password)};
}

void printLines(const std::vector<std::string>& lines) {
    for (const std::string& line : lines) {
        std::cout << line << '\n';
    }
    std::cout << std::flush;
}

}  // namespace talveron::admin
