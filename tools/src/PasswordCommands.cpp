#include <memory>

#include "Commands.h"

namespace talveron::admin {

namespace {

// The acting user's own change: its current password, then the new one.
void changeOwnPassword(const Context& context) {
    PasswordSource passwords = context.passwords();
    ActingLogin login = logIn(context, passwords);
    const std::string newPassword = passwords.readNew(login.account.name());
    login.workgroup.changePassword(login.account.name(), login.password, newPassword);
}

// An administrator sets another user's password without knowing the old one.
void resetPassword(const Context& context, const std::string& user) {
    PasswordSource passwords = context.passwords();
    ActingLogin login = logIn(context, passwords);
    const std::string newPassword = passwords.readNew(user);
    login.workgroup.resetPassword(login.account, user, newPassword);
}

}  // namespace

void addPasswordCommands(CLI::App& app, Context& context) {
    const Context& ctx = context;
    CLI::App* password = app.add_subcommand("password", "Passwords of the workgroup's users");
    password->require_subcommand(1);
    addCommand(*password, context, "change",
               "Change the password of --user: asks for the current one, then the new one",
               [&ctx] { changeOwnPassword(ctx); });

    auto user = std::make_shared<std::string>();
    addCommand(*password, context, "reset",
               "Set a user's password as an administrator: asks for the password of --user, "
               "then the user's new one",
               [&ctx, user] { resetPassword(ctx, *user); })
        ->add_option("name", *user, "User whose password is set")
        ->required();
}

}  // namespace talveron::admin
