#pragma once

#include <memory>

#include "audio/audio_decoder.hpp"

namespace tarn {

// A decoder of RIFF WAVE files holding 8- or 16-bit PCM (plain or in the extensible format), one
// or two channels. The chunks are walked to the end of the file, whatever the RIFF size says;
// a data chunk longer than the file fails with kFileFormat.
DecoderResult open_wav_decoder(std::unique_ptr<ByteSource> source);

}  // namespace tarn
