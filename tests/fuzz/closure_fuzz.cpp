// Precompiled scripts ("<script>.bin") as the script loader reads them, into the engine's VM,
// which stays up across inputs as it does across a game's scripts.
#include "fuzz/fuzz_support.hpp"
#include "fuzz/script_engine.hpp"
#include "script/script_compiler.hpp"
#include "script/script_host.hpp"

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    tarn::fuzz::start_script_engine();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace tarn;
    HSQUIRRELVM vm = script_host().vm();
    const SQInteger top = sq_gettop(vm);
    read_closure(vm, Bytes(data, data + size));
    fuzz::require(sq_gettop(vm) == top, "reading leaves the VM stack as it was");
    return 0;
}
