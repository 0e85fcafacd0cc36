// PNG files as the texture loader decodes them.
#include "fuzz/fuzz_support.hpp"
#include "fuzz/image_fuzz.hpp"

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    tarn::fuzz::set_up_engine_log();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    tarn::fuzz::decode_every_way(tarn::ImageType::Png, data, size, true);
    return 0;
}
