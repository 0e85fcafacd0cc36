#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <span>

#include "audio/audio_output.hpp"
#include "audio/byte_source.hpp"
#include "audio/pcm.hpp"

namespace tarn {

// Reads a sound file incrementally as 16-bit PCM in the format it reports.
class AudioDecoder {
public:
    explicit AudioDecoder(PcmFormat format) : format_(format) {}
    virtual ~AudioDecoder() = default;
    AudioDecoder(const AudioDecoder&) = delete;
    AudioDecoder& operator=(const AudioDecoder&) = delete;

    const PcmFormat& format() const { return format_; }

    // Decodes the next frames into `out` (whole frames of format().channels samples); returns
    // how many, 0 at the end or at damage it cannot read past.
    virtual std::size_t read(std::span<std::int16_t> out) = 0;
    // Goes back to the first frame; false when the file cannot be read again.
    virtual bool rewind() = 0;

private:
    PcmFormat format_;
};

struct DecoderResult {
    std::unique_ptr<AudioDecoder> decoder;
    AudioError error = AudioError::kOk;
};

// A WAV (RIFF) or Ogg Vorbis decoder over the source, told apart by their first bytes. Fails
// with kFileFormat for other or damaged files and kFormat for unsupported sample formats.
DecoderResult open_decoder(std::unique_ptr<ByteSource> source);

// The largest sound decoded whole into memory, in frames: over twelve minutes at 44.1 kHz.
inline constexpr std::size_t kMaxSampleFrames = std::size_t{1} << 25;

struct SampleResult {
    PcmBuffer pcm;
    AudioError error = AudioError::kOk;
};

// Decodes a whole file held in memory with the decoder `open` makes from it (open_decoder by
// default). A file without any frame fails with kFileFormat, one of more than max_frames with
// kMemory.
using DecoderOpener = DecoderResult (*)(std::unique_ptr<ByteSource> source);
SampleResult decode_sample(std::span<const std::uint8_t> file,
                           std::size_t max_frames = kMaxSampleFrames,
                           DecoderOpener open = &open_decoder);

}  // namespace tarn
