#pragma once

#include <memory>

#include "audio/audio_decoder.hpp"

namespace tarn {

// A decoder of Ogg Vorbis files of one or two channels, read through libvorbisfile. A chained
// file whose later part changes the rate or the channels ends where the change is.
DecoderResult open_vorbis_decoder(std::unique_ptr<ByteSource> source);

}  // namespace tarn
