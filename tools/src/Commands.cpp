#include "Commands.h"

namespace talveron::admin {

CLI::App* addCommand(CLI::App& parent, Context& context, const std::string& name,
                     const std::string& description, std::function<void()> work) {
    CLI::App* command = parent.add_subcommand(name, description);
    command->callback([&context, work = std::move(work)] { context.command = work; });
    return command;
}

}  // namespace talveron::admin
