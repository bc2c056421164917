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

// Administrative operations of the workgroup on one name, and on a user and a group.
using OnOneName = void (engine::Workgroup::*)(const engine::Account&, std::string_view);
using OnTwoNames = void (engine::Workgroup::*)(const engine::Account&, std::string_view,
                                               std::string_view);

void administer(const Context& context, const std::function<void(ActingLogin&)>& operation) {
    PasswordSource passwords = context.passwords();
    ActingLogin login = logIn(context, passwords);
    operation(login);
}

void addOneNameCommand(CLI::App& parent, Context& context, const std::string& name,
                       const std::string& description, const std::string& argument,
                       OnOneName operation) {
    auto value = std::make_shared<std::string>();
    addCommand(parent, context, name, description,
               [&context, value, operation] {
                   administer(context, [&](ActingLogin& login) {
                       (login.workgroup.*operation)(login.account, *value);
                   });
               })
        ->add_option("name", *value, argument)
        ->required();
}

void addMembershipCommand(CLI::App& parent, Context& context, const std::string& name,
                          const std::string& description, OnTwoNames operation) {
    auto names = std::make_shared<Names>();
    CLI::App* command =
        addCommand(parent, context, name, description, [&context, names, operation] {
            administer(context, [&](ActingLogin& login) {
                (login.workgroup.*operation)(login.account, names->first, names->second);
            });
        });
    command->add_option("user", names->first, "User name")->required();
    command->add_option("group", names->second, "Group name")->required();
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
    addOneNameCommand(*user, context, "remove", "Remove a user", "User name",
                      &engine::Workgroup::removeUser);
    addCommand(*user, context, "list", "List the users, or the members of --group", [&ctx, names] {
        listUsers(ctx, names->first);
    })->add_option("--group", names->first, "List only the members of this group");

    CLI::App* group = app.add_subcommand("group", "Groups of the workgroup");
    group->require_subcommand(1);
    addOneNameCommand(*group, context, "add", "Add a group", "Group name",
                      &engine::Workgroup::addGroup);
    addOneNameCommand(*group, context, "remove", "Remove a group", "Group name",
                      &engine::Workgroup::removeGroup);
    addCommand(*group, context, "list", "List the groups, or the groups of --member",
               [&ctx, names] { listGroups(ctx, names->first); })
        ->add_option("--member", names->first, "List only the groups this user belongs to");

    CLI::App* membership = app.add_subcommand("membership", "Which users belong to which groups");
    membership->require_subcommand(1);
    addMembershipCommand(*membership, context, "add", "Put a user in a group",
                         &engine::Workgroup::addMember);
    addMembershipCommand(*membership, context, "remove", "Take a user out of a group",
                         &engine::Workgroup::removeMember);
}

}  // namespace talveron::admin
