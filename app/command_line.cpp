#include "app/command_line.hpp"

#include <charconv>
#include <cstdio>
#include <string_view>

#include "app/engine.hpp"
#include "platform/file_system.hpp"

namespace tarn {

namespace {

constexpr const char* kUsage =
    "Usage: tarn [OPTION]... [GAME_DIR]\n"
    "Runs the game in GAME_DIR (default: the working directory).\n"
    "\n"
    "  --frames N         run N frames, then quit as the game's own quit does\n"
    "  --screenshot FILE  save the last frame drawn as a PNG image\n"
    "  --help             show this help and exit\n"
    "  --version          show the version and exit\n";

constexpr int kUsageError = 2;

// Collects the options one argument at a time; the first fault is kept.
class Parser {
public:
    explicit Parser(std::span<const char* const> args) : args_(args) {}

    CommandLine parse() {
        while (next_ < args_.size() && result_.action == CommandLine::Action::kRun)
            take(args_[next_++]);
        return result_;
    }

private:
    void take(std::string_view arg) {
        if (options_ended_) {
            take_game_dir(arg);
        } else if (arg == "--help" || arg == "-h") {
            result_.action = CommandLine::Action::kHelp;
        } else if (arg == "--version") {
            result_.action = CommandLine::Action::kVersion;
        } else if (arg == "--") {
            options_ended_ = true;
        } else if (option_is(arg, "--frames")) {
            take_frames(value_of(arg, "--frames"));
        } else if (option_is(arg, "--screenshot")) {
            take_screenshot(value_of(arg, "--screenshot"));
        } else if (arg.size() > 1 && arg.front() == '-') {
            fail("unknown option '" + std::string(arg) + "'");
        } else {
            take_game_dir(arg);
        }
    }

    // arg is the option itself or the option with "=VALUE".
    static bool option_is(std::string_view arg, std::string_view option) {
        return arg == option || (arg.starts_with(option) && arg.substr(option.size(), 1) == "=");
    }

    // The option's value from "--option=VALUE" or the next argument; null when there is none.
    const char* value_of(std::string_view arg, std::string_view option) {
        if (arg.size() > option.size())
            return arg.data() + option.size() + 1;
        if (next_ < args_.size())
            return args_[next_++];
        fail(std::string(option) + " needs a value");
        return nullptr;
    }

    void take_frames(const char* value) {
        if (value == nullptr)
            return;
        const std::string_view text(value);
        std::int32_t frames = 0;
        const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), frames);
        if (error != std::errc() || end != text.data() + text.size() || frames < 1) {
            fail("--frames expects a whole number of at least 1, not '" + std::string(text) + "'");
            return;
        }
        result_.max_frames = frames;
    }

    void take_screenshot(const char* value) {
        if (value == nullptr)
            return;
        if (*value == '\0') {
            fail("--screenshot needs a file name");
            return;
        }
        result_.screenshot = value;
    }

    void take_game_dir(std::string_view arg) {
        if (!result_.game_dir.empty()) {
            fail("only one game directory may be given, not '" + std::string(arg) + "' too");
            return;
        }
        if (arg.empty()) {
            fail("the game directory is an empty name");
            return;
        }
        result_.game_dir = arg;
    }

    void fail(std::string reason) {
        result_.action = CommandLine::Action::kError;
        result_.error = std::move(reason);
    }

    std::span<const char* const> args_;
    std::size_t next_ = 0;
    bool options_ended_ = false;  // after "--" every argument is a game directory
    CommandLine result_;
};

int report_error(const std::string& reason) {
    std::fprintf(stderr, "tarn: %s (see 'tarn --help')\n", reason.c_str());
    return kUsageError;
}

// A relative path named on the command line means the folder the runner started in, not the
// game's.
std::string from_start_folder(const std::string& path) {
    if (path.empty() || path.front() == '/')
        return path;
    return platform::working_directory() + '/' + path;
}

int run_game(const CommandLine& command_line) {
    const std::string screenshot = from_start_folder(command_line.screenshot);
    if (!command_line.game_dir.empty()) {
        const std::string failure = platform::change_directory(command_line.game_dir);
        if (!failure.empty()) {
            std::fprintf(stderr, "tarn: cannot enter the game directory '%s': %s\n",
                         command_line.game_dir.c_str(), failure.c_str());
            return kUsageError;
        }
    }
    return run_engine({.max_frames = command_line.max_frames, .screenshot = screenshot});
}

}  // namespace

CommandLine parse_command_line(std::span<const char* const> args) {
    return Parser(args).parse();
}

int run_command_line(int argc, const char* const* argv) {
    const CommandLine command_line =
        parse_command_line(std::span(argv + 1, argc > 0 ? argc - 1 : 0));
    switch (command_line.action) {
        case CommandLine::Action::kHelp:
            std::fputs(kUsage, stdout);
            return 0;
        case CommandLine::Action::kVersion:
            std::printf("tarn %s\n", TARN_VERSION);
            return 0;
        case CommandLine::Action::kError:
            return report_error(command_line.error);
        case CommandLine::Action::kRun:
            break;
    }
    return run_game(command_line);
}

}  // namespace tarn
