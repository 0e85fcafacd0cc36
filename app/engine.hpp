#pragma once

#include "app/frame_loop.hpp"

namespace tarn {

// Runs the game in the working directory from start-up to shutdown; the process exit status
// (1 when the screenshot asked for could not be saved, else 0).
int run_engine(const RunOptions& options = {});

}  // namespace tarn
