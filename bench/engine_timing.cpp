// Measures the engine as a player feels it: the time from process start to the game's first
// update call, and the frame rate of an empty game. Runs the real engine on a generated game
// several times and prints the medians.
//
//   bench_engine_timing ENGINE [RUNS]
//
// Run it with an X display (tools/with-display); set vblank_mode=0 so Mesa does not wait for
// vertical sync.
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <optional>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

namespace {

constexpr double kFrameSeconds = 3.0;

void write(const fs::path& path, const std::string& text) {
    fs::create_directories(path.parent_path());
    std::ofstream(path) << text;
}

// An empty game that marks its first update, runs for a while and reports its frames.
fs::path make_game() {
    const fs::path dir = fs::temp_directory_path() / ("tarn-bench-" + std::to_string(getpid()));
    write(dir / "boot.config", "video_mode = 640 480 0\nsystem::save_dir = save\n");
    write(dir / "scripts/constants.nut", "");
    write(dir / "scripts/main.nut",
          "class Game {\n"
          "  frames = 0; seconds = 0.0;\n"
          "  function update(dt) {\n"
          "    if (frames == 0) ::System.message(\"first update\");\n"
          "    frames++; seconds += dt;\n"
          "    if (seconds >= " +
              std::to_string(kFrameSeconds) +
              ") {\n"
              "      ::System.message(\"frames \", frames, \" seconds \", seconds);\n"
              "      ::System.request_quit();\n"
              "    }\n"
              "  }\n"
              "}\n"
              "return Game();\n");
    return dir;
}

bool log_has(const fs::path& log, const std::string& text, std::string* line_out = nullptr) {
    std::ifstream in(log);
    for (std::string line; std::getline(in, line);) {
        if (line.rfind(text, 0) == 0) {
            if (line_out)
                *line_out = line;
            return true;
        }
    }
    return false;
}

struct Run {
    double startup_ms;
    double fps;
};

std::optional<Run> run_once(const std::string& engine, const fs::path& game) {
    const fs::path log = game / "save/game_log.txt";
    fs::remove(log);
    const auto start = Clock::now();
    const pid_t child = fork();
    if (child == 0) {
        if (chdir(game.c_str()) != 0)
            _exit(127);
        std::freopen("/dev/null", "w", stdout);
        execl(engine.c_str(), engine.c_str(), static_cast<char*>(nullptr));
        _exit(127);
    }
    std::optional<double> startup_ms;
    while (!startup_ms && Clock::now() - start < std::chrono::seconds(30)) {
        if (log_has(log, "first update")) {
            startup_ms = std::chrono::duration<double, std::milli>(Clock::now() - start).count();
        } else {
            std::this_thread::sleep_for(std::chrono::microseconds(200));
        }
    }
    int status = 0;
    waitpid(child, &status, 0);
    std::string line;
    if (!startup_ms || !log_has(log, "frames ", &line))
        return std::nullopt;
    long frames = 0;
    double seconds = 0;
    std::sscanf(line.c_str(), "frames %ld seconds %lf", &frames, &seconds);
    return Run{*startup_ms, frames / seconds};
}

double median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: %s ENGINE [RUNS]\n", argv[0]);
        return 2;
    }
    const std::string engine = fs::absolute(argv[1]).string();
    const int runs = argc > 2 ? std::atoi(argv[2]) : 5;
    const fs::path game = make_game();
    std::vector<double> startups, rates;
    for (int i = 0; i < runs; ++i) {
        const auto run = run_once(engine, game);
        if (!run) {
            std::fprintf(stderr, "run %d failed; see %s\n", i,
                         (game / "save/game_log.txt").c_str());
            return 1;
        }
        startups.push_back(run->startup_ms);
        rates.push_back(run->fps);
        std::printf("run %d: first update after %.1f ms, %.0f frames/s\n", i, run->startup_ms,
                    run->fps);
    }
    std::printf("median: first update after %.1f ms, %.0f frames/s (%d runs)\n", median(startups),
                median(rates), runs);
    fs::remove_all(game);
    return 0;
}
