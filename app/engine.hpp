#pragma once

namespace tarn {

// Runs the game in the working directory from start-up to shutdown; the process exit status.
int run_engine();

}  // namespace tarn
