#include <filesystem>
#include <memory>

#include "Commands.h"
#include "HashCostOption.h"

namespace talveron::admin {

namespace {

struct CreateOptions {
    std::string name;
    engine::HashCost cost = engine::HashCost::Interactive;
};

// Creates the workgroup file and gives "Admin" its first password; a file that
// could not be completed is removed again.
void createWorkgroup(const Context& context, const CreateOptions& options) {
    const std::filesystem::path& path = context.requireWorkgroup();
    PasswordSource passwords = context.passwords();
    const std::string password = passwords.readNew(std::string(engine::Workgroup::kAdminUser));
    const std::string name = options.name.empty() ? path.stem().string() : options.name;

    engine::Workgroup workgroup = engine::Workgroup::create(path, name, options.cost);
    try {
        workgroup.changePassword(engine::Workgroup::kAdminUser, "", password);
    } catch (...) {
        std::error_code ignored;
        std::filesystem::remove(path, ignored);
        throw;
    }
}

}  // namespace

void addWorkgroupCommands(CLI::App& app, Context& context) {
    CLI::App* workgroup = app.add_subcommand("workgroup", "Workgroup information files");
    workgroup->require_subcommand(1);

    auto options = std::make_shared<CreateOptions>();
    CLI::App* create = workgroup->add_subcommand("create", "Create a workgroup file");
    addDetails(*create,
               "Creates the file named by --workgroup with the user \"Admin\" and the groups "
               "\"Admins\" and \"Users\", and gives \"Admin\" the new password asked for.");
    create->add_option("--name", options->name, "Workgroup name (default: the file's base name)");
    addHashCostOption(*create, options->cost)->default_str("interactive");
    create->callback([&context, options] {
        context.command = [&context, options] { createWorkgroup(context, *options); };
    });
}

}  // namespace talveron::admin
