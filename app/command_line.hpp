#pragma once

#include <cstdint>
#include <span>
#include <string>

namespace tarn {

// What the runner was asked to do, read from its arguments.
struct CommandLine {
    enum class Action { kRun, kHelp, kVersion, kError };

    Action action = Action::kRun;
    std::string game_dir;         // empty: the working directory is the game
    std::int32_t max_frames = 0;  // 0: until the game quits
    std::string screenshot;       // empty: no screenshot
    std::string error;            // kError: the one-line reason
};

// Reads the arguments after the program name, in order; the first --help, --version or fault
// ends the reading.
CommandLine parse_command_line(std::span<const char* const> args);

// Runs the runner for the process arguments (argv[0] included); the process exit status.
int run_command_line(int argc, const char* const* argv);

}  // namespace tarn
