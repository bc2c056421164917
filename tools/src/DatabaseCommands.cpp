#include <ctime>
#include <filesystem>
#include <iostream>
#include <memory>

#include "Commands.h"
#include "InPlaceCompaction.h"
#include "ProgressBar.h"
#include "SampleData.h"
#include "talveron/engine/Compaction.h"

namespace talveron::admin {

namespace {

namespace fs = std::filesystem;

struct DatabaseOptions {
    fs::path database;
    fs::path destination;
    std::string locale = engine::Locale{}.toString();
    bool sampleData = false;
};

// Creates the database owned by the acting account; with sample data, a file
// that could not be filled is removed again.
void createDatabase(const Context& context, const DatabaseOptions& options) {
    PasswordSource passwords = context.passwords();
    const ActingLogin login = logIn(context, passwords, /*readOnly=*/true);
    engine::Database::create(options.database, login.workgroup, login.account);
    if (!options.sampleData) {
        return;
    }
    try {
        engine::Database database = engine::Database::open(options.database, login.credentials());
        fillSampleData(database);
    } catch (...) {
        std::error_code ignored;
        fs::remove(options.database, ignored);
        throw;
    }
}

void compact(const Context& context, const DatabaseOptions& options) {
    PasswordSource passwords = context.passwords();
    const ActingLogin login = logIn(context, passwords, /*readOnly=*/true);
    ProgressBar bar("Compacting");
    const engine::ProgressCallback progress = [&bar](double fraction) { bar.update(fraction); };
    if (options.destination.empty()) {
        compactInPlace(options.database, options.locale, login.credentials(), progress);
    } else {
        engine::compact(options.database, options.destination, options.locale, 0,
                        login.credentials(), progress);
    }
}

// A backup named after the database and the local time, inside `folder`.
fs::path datedBackupName(const fs::path& folder, const fs::path& database) {
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    char stamp[32];
    std::strftime(stamp, sizeof stamp, "%Y%m%d-%H%M%S", &local);
    return folder / (database.stem().string() + "-" + stamp + database.extension().string());
}

void backup(const Context& context, const DatabaseOptions& options) {
    PasswordSource passwords = context.passwords();
    const ActingLogin login = logIn(context, passwords, /*readOnly=*/true);
    const fs::path destination = fs::is_directory(options.destination)
                                     ? datedBackupName(options.destination, options.database)
                                     : options.destination;
    {
        ProgressBar bar("Writing backup");
        engine::compact(options.database, destination, options.locale, 0, login.credentials(),
                        [&bar](double fraction) { bar.update(fraction); });
    }
    std::cout << destination.string() << std::endl;
}

void addLocaleOption(CLI::App& command, std::string& locale) {
    command.add_option("--locale", locale, "Collating locale recorded in the compacted copy")
        ->default_str(engine::Locale{}.toString());
}

}  // namespace

void addDatabaseCommands(CLI::App& app, Context& context) {
    const Context& ctx = context;
    auto options = std::make_shared<DatabaseOptions>();

    CLI::App* database = app.add_subcommand("database", "Database files");
    database->require_subcommand(1);
    CLI::App* create = addCommand(*database, context, "create",
                                  "Create a database bound to the workgroup and owned by --user",
                                  [&ctx, options] { createDatabase(ctx, *options); });
    create->add_option("path", options->database, "Database file to create")->required();
    create->add_flag("--sample-data", options->sampleData,
                     "Fill it with sample tables: Customers, Products, Orders, OrderItems");

    CLI::App* compactCommand =
        addCommand(app, context, "compact", "Compact a database, in place or into a new file",
                   [&ctx, options] { compact(ctx, *options); });
    addDetails(*compactCommand,
               "With DESTINATION the compacted copy is written there; an existing file is never "
               "overwritten. Without it the database is replaced by its compacted copy once the "
               "copy is complete and verified, in one atomic rename. Needs exclusive use of the "
               "database; --user must own it or belong to \"Admins\". A progress bar is drawn "
               "when standard error is a terminal.");
    compactCommand->add_option("database", options->database, "Database file")->required();
    compactCommand->add_option("destination", options->destination,
                               "File for the compacted copy; must not exist");
    addLocaleOption(*compactCommand, options->locale);

    CLI::App* backupCommand =
        addCommand(app, context, "backup", "Write a compacted backup copy of a database",
                   [&ctx, options] { backup(ctx, *options); });
    addDetails(*backupCommand,
               "DESTINATION is a new file, or a folder that receives NAME-YYYYmmdd-HHMMSS.EXT; "
               "an existing file is never overwritten. The path written is printed.");
    backupCommand->add_option("database", options->database, "Database file")->required();
    backupCommand->add_option("destination", options->destination, "New file or folder")
        ->required();
    addLocaleOption(*backupCommand, options->locale);
}

}  // namespace talveron::admin
