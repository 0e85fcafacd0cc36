// The runner's argument parser: every accepted form and every fault, one row each.
#include "app/command_line.hpp"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace tarn {
namespace {

using Action = CommandLine::Action;

struct ParseCase {
    std::vector<const char*> args;
    Action action;
    const char* game_dir = "";
    std::int32_t max_frames = 0;
    const char* screenshot = "";
    const char* error = "";
};

TEST(CommandLine, ParsesArgumentsInOrder) {
    const ParseCase cases[] = {
        {{}, Action::kRun},
        {{"games/pong"}, Action::kRun, "games/pong"},
        {{"--frames", "3", "--screenshot", "a.png", "g"}, Action::kRun, "g", 3, "a.png"},
        {{"--frames=12", "--screenshot=b.png"}, Action::kRun, "", 12, "b.png"},
        {{"--frames", "2", "--frames", "5"}, Action::kRun, "", 5},
        {{"--", "--odd-name"}, Action::kRun, "--odd-name"},
        {{"-"}, Action::kRun, "-"},
        {{"--help"}, Action::kHelp},
        {{"-h", "--bogus"}, Action::kHelp},
        {{"g", "--version"}, Action::kVersion, "g"},
        {{"--", "--help"}, Action::kRun, "--help"},
        {{"--frames"}, Action::kError, "", 0, "", "--frames needs a value"},
        {{"--screenshot"}, Action::kError, "", 0, "", "--screenshot needs a value"},
        {{"--screenshot="}, Action::kError, "", 0, "", "--screenshot needs a file name"},
        {{"--frames", "0"},
         Action::kError,
         "",
         0,
         "",
         "--frames expects a whole number of at least 1, not '0'"},
        {{"--frames=-4"},
         Action::kError,
         "",
         0,
         "",
         "--frames expects a whole number of at least 1, not '-4'"},
        {{"--frames", "3x"},
         Action::kError,
         "",
         0,
         "",
         "--frames expects a whole number of at least 1, not '3x'"},
        {{"--frames", "99999999999"},
         Action::kError,
         "",
         0,
         "",
         "--frames expects a whole number of at least 1, not '99999999999'"},
        {{"--framesx"}, Action::kError, "", 0, "", "unknown option '--framesx'"},
        {{"-x", "--help"}, Action::kError, "", 0, "", "unknown option '-x'"},
        {{"a", "b"},
         Action::kError,
         "a",
         0,
         "",
         "only one game directory may be given, not 'b' too"},
        {{""}, Action::kError, "", 0, "", "the game directory is an empty name"},
    };
    for (const ParseCase& c : cases) {
        const CommandLine result = parse_command_line(c.args);
        std::string row;
        for (const char* arg : c.args)
            row += std::string(" '") + arg + "'";
        EXPECT_EQ(result.action, c.action) << row;
        EXPECT_EQ(result.game_dir, c.game_dir) << row;
        EXPECT_EQ(result.max_frames, c.max_frames) << row;
        EXPECT_EQ(result.screenshot, c.screenshot) << row;
        EXPECT_EQ(result.error, c.error) << row;
    }
}

}  // namespace
}  // namespace tarn
