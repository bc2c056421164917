#include "Commands.h"

#include "ExitCode.h"

namespace talveron::admin {

CLI::App* addCommand(CLI::App& parent, Context& context, const std::string& name,
                     const std::string& description, std::function<void()> work) {
    CLI::App* command = parent.add_subcommand(name, description);
    command->callback([&context, work = std::move(work)] { context.command = work; });
    return command;
}

std::string commonHelp() {
    return std::string(
               "Passwords are never taken from the command line. They are asked for on the\n"
               "terminal without echo (a new password twice), or with --password-stdin read\n"
               "from standard input, one line each: the acting account's password first, then\n"
               "the new password of commands that set one. Administrative commands act as\n"
               "--user (default Admin), authenticated against the workgroup file given with -w.\n"
               "\n") +
           exitCodeHelp();
}

void addDetails(CLI::App& command, const std::string& details) {
    command.footer(details + "\n\n" + commonHelp());
}

}  // namespace talveron::admin
