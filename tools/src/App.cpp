#include "App.h"

#include <filesystem>
#include <iostream>

#include "Commands.h"
#include "ExitCode.h"
#include "talveron/engine/Error.h"

namespace talveron::admin {

namespace {

constexpr const char* kProgram = "talveron-admin";

void addGlobalOptions(CLI::App& app, Context& context) {
    app.add_option("-w,--workgroup", context.workgroup, "Workgroup information file (.mdw)")
        ->envname("TALVERON_WORKGROUP");
    app.add_option("-u,--user", context.user, "Acting account")
        ->envname("TALVERON_USER")
        ->capture_default_str();
    app.add_flag("--password-stdin", context.passwordStdin,
                 "Read the passwords from standard input (see Passwords)");
}

int fail(ExitCode code, const std::string& message) {
    std::cerr << kProgram << ": " << message << std::endl;
    return static_cast<int>(code);
}

}  // namespace

int run(int argc, char** argv) {
    CLI::App app("Administration of TALVERON workgroups, databases and ODBC data sources.",
                 kProgram);
    app.fallthrough();
    app.require_subcommand(1);
    app.footer(commonHelp());
    app.get_formatter()->column_width(34);

    Context context;
    addGlobalOptions(app, context);
    addWorkgroupCommands(app, context);
    addAccountCommands(app, context);
    addPasswordCommands(app, context);
    addDatabaseCommands(app, context);
    addDataSourceCommands(app, context);
    addDemoCommand(app, context);

    try {
        app.parse(argc, argv);
    } catch (const CLI::ParseError& error) {
        const int printed = app.exit(error);
        return printed == 0 ? static_cast<int>(ExitCode::Ok) : static_cast<int>(ExitCode::Usage);
    }

    try {
        context.command();
        return static_cast<int>(ExitCode::Ok);
    } catch (const engine::Error& error) {
        return fail(exitCodeFor(error),
                    "error " + std::to_string(error.number()) + ": " + error.description());
    } catch (const CommandError& error) {
        return fail(error.code(), error.what());
    } catch (const std::filesystem::filesystem_error& error) {
        return fail(ExitCode::SystemError, error.what());
    } catch (const std::exception& error) {
        return fail(ExitCode::SystemError, error.what());
    }
}

}  // namespace talveron::admin
