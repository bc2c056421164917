#include "HashCostOption.h"

#include <map>
#include <string>

namespace talveron::admin {

CLI::Option* addHashCostOption(CLI::App& command, engine::HashCost& cost) {
    static const std::map<std::string, engine::HashCost> kCosts{
        {"interactive", engine::HashCost::Interactive},
        {"moderate", engine::HashCost::Moderate},
        {"minimal-for-tests", engine::HashCost::MinimalForTestsOnly},
    };
    return command
        .add_option("--hash-cost", cost,
                    "Cost of the argon2id password hashes: interactive, moderate, or "
                    "minimal-for-tests (fast and weak: tests and throw-away demos only)")
        ->transform(CLI::CheckedTransformer(kCosts, CLI::ignore_case).description(""))
        ->type_name("COST");
}

}  // namespace talveron::admin
