// Ogg Vorbis files as samples and streams read them.
#include "audio/vorbis_decoder.hpp"
#include "fuzz/audio_fuzz.hpp"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    tarn::fuzz::decode_every_way(data, size, &tarn::open_vorbis_decoder);
    return 0;
}
