// Configuration files ("boot.config", "game_config.txt") as the settings list reads them.
#include "core/cvar_list.hpp"
#include "fuzz/fuzz_support.hpp"

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    tarn::fuzz::set_up_engine_log();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace tarn;
    const auto* text = reinterpret_cast<const char*>(data);

    CVarList boot;
    boot.apply_config_text(text, size, true);
    fuzz::require(boot.config_text().empty(), "boot values are never saved");

    CVarList loaded;
    loaded.apply_config_text(text, size, false);
    for (const auto& cvar : loaded.all())
        fuzz::require(loaded.find(cvar->name().data()) == cvar.get(),
                      "every variable is found by its name");
    // What the engine saves must read back as the same settings.
    const SharedString saved = loaded.config_text();
    CVarList reloaded;
    reloaded.apply_config_text(saved.data(), static_cast<std::size_t>(saved.length()), false);
    fuzz::require(reloaded.config_text() == saved, "saved settings read back unchanged");
    return 0;
}
