#include "app/script_api.hpp"

#include "app/class_registration.hpp"
#include "audio/system_audio_script.hpp"
#include "script/class_tables.hpp"
#include "script/key_constants.hpp"
#include "script/system_api.hpp"

namespace tarn {

namespace {

// Creates the System table in the root table from every subsystem's function group.
void register_system_api(HSQUIRRELVM vm) {
    ScriptObject system = new_table(root_table(vm), "System");
    for (const auto& functions :
         {system_script_functions(), system_input_functions(), system_time_functions(),
          system_rotation_functions(), system_config_functions(), system_display_functions(),
          system_audio_functions(), system_platform_functions()}) {
        bind_functions(system, functions);
    }
}

constexpr ScriptRegistration kEngineRegistrations[] = {
    register_system_api,
    register_key_constants,
    register_engine_classes,
    setup_class_tables,
};

}  // namespace

std::span<const ScriptRegistration> engine_registrations() {
    return kEngineRegistrations;
}

}  // namespace tarn
