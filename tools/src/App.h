#pragma once

namespace talveron::admin {

// Parses the command line, runs the chosen command and returns the exit code.
int run(int argc, char** argv);

}  // namespace talveron::admin
