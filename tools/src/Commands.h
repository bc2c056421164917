#pragma once

#include <CLI/CLI.hpp>

#include "Context.h"

namespace talveron::admin {

// Each group of subcommands registers itself on the top-level parser. A
// subcommand's callback stores the work in context.command.
void addWorkgroupCommands(CLI::App& app, Context& context);
void addAccountCommands(CLI::App& app, Context& context);
void addPasswordCommands(CLI::App& app, Context& context);
void addDatabaseCommands(CLI::App& app, Context& context);
void addDataSourceCommands(CLI::App& app, Context& context);
void addDemoCommand(CLI::App& app, Context& context);

// Adds a subcommand whose callback makes `work` the command to run.
CLI::App* addCommand(CLI::App& parent, Context& context, const std::string& name,
                     const std::string& description, std::function<void()> work);

// How passwords are given, and the exit codes: the end of every help page.
std::string commonHelp();

// Shows `details` in the subcommand's own help, above the common help.
void addDetails(CLI::App& command, const std::string& details);

}  // namespace talveron::admin
