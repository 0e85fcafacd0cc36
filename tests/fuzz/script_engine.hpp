#pragma once

#include "app/script_api.hpp"
#include "app/singletons.hpp"
#include "fuzz/fuzz_support.hpp"
#include "script/script_host.hpp"

namespace tarn::fuzz {

// The engine's singletons and its script VM with every class and System function, as a game
// starts them, for targets that feed the VM; its log goes where set_up_engine_log sends it.
inline void start_script_engine() {
    set_up_engine_log();
    create_singletons();
    script_host().start(engine_registrations());
}

}  // namespace tarn::fuzz
