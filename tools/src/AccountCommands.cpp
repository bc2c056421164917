#include <memory>

#include "Commands.h"

namespace talveron::admin {

namespace {

// The positional names a subcommand takes, filled in by the parser.
struct Names {
    std::string first;
    std::string second;
};

void listUsers(const Context& context, const std::string& group) {
    PasswordSource passwords = context.passwords();
    const ActingLogin login = logIn(context, passwords, /*readOnly=*/true);
    printLines(group.empty() ? login.workgroup.users() : login.workgroup.usersOfGroup(group));
}

void listGroups(const Context& context, const std::string& user) {
    PasswordSource passwords = context.passwords();
    const ActingLogin login = logIn(context, passwords, /*readOnly=*/true);
    printLines(user.empty() ? login.workgroup.groups() : login.workgroup.groupsOfUser(user));
}

void addUser(const Context& context, const std::string& name) {
    PasswordSource passwords = context.passwords();
    ActingLogin login = logIn(context, passwords);
    const std::string password = passwords.readNew(name);
    login.workgroup.addUser(login.account, name, password);
}

// Runs one administrative operation that needs nothing but the acting login.
template <typename Operation>
void administer(const Context& context, Operation operation) {
    PasswordSource passwords = context.passwords();
    ActingLogin login = logIn(context, passwords);
    operation(login.workgroup, login.account);
}

}  // namespace

void addAccountCommands(CLI::App& app, Context& context) {
    auto names = std::make_shared<Names>();
    const Context& ctx = context;

    CLI::App* user = app.add_subcommand("user", "Users of the workgroup");
    user->require_subcommand(1);
    addCommand(*user, context, "add", "Add a user; its password is asked for",
               [&ctx, names] { addUser(ctx, names->first); })
        ->add_option("name", names->first, "User name")
        ->required();
    addCommand(*user, context, "remove", "Remove a user",
               [&ctx, names] {
                   administer(ctx, [&](engine::Workgroup& workgroup, const engine::Account& actor) {
                       workgroup.removeUser(actor, names->first);
                   });
               })
        ->add_option("name", names->first, "User name")
        ->required();
    addCommand(*user, context, "list", "List the users, or the members of --group", [&ctx, names] {
        listUsers(ctx, names->first);
    })->add_option("--group", names->first, "List only the members of this group");

    CLI::App* group = app.add_subcommand("group", "Groups of the workgroup");
    group->require_subcommand(1);
    addCommand(*group, context, "add", "Add a group",
               [&ctx, names] {
                   administer(ctx, [&](engine::Workgroup& workgroup, const engine::Account& actor) {
                       workgroup.addGroup(actor, names->first);
                   });
               })
        ->add_option("name", names->first, "Group name")
        ->required();
    addCommand(*group, context, "remove", "Remove a group",
               [&ctx, names] {
                   administer(ctx, [&](engine::Workgroup& workgroup, const engine::Account& actor) {
                       workgroup.removeGroup(actor, names->first);
                   });
               })
        ->add_option("name", names->first, "Group name")
        ->required();
    addCommand(*group, context, "list", "List the groups, or the groups of --member",
               [&ctx, names] { listGroups(ctx, names->first); })
        ->add_option("--member", names->first, "List only the groups this user belongs to");

    CLI::App* membership = app.add_subcommand("membership", "Which users belong to which groups");
    membership->require_subcommand(1);
    CLI::App* join =
        addCommand(*membership, context, "add", "Put a user in a group", [&ctx, names] {
            administer(ctx, [&](engine::Workgroup& workgroup, const engine::Account& actor) {
                workgroup.addMember(actor, names->first, names->second);
            });
        });
    CLI::App* leave =
        addCommand(*membership, context, "remove", "Take a user out of a group", [&ctx, names] {
            administer(ctx, [&](engine::Workgroup& workgroup, const engine::Account& actor) {
                workgroup.removeMember(actor, names->first, names->second);
            });
        });
    for (CLI::App* command : {join, leave}) {
        command->add_option("user", names->first, "User name")->required();
        command->add_option("group", names->second, "Group name")->required();
    }
}

}  // namespace talveron::admin
