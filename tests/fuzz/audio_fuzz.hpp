#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <span>
#include <vector>

#include "audio/audio_decoder.hpp"
#include "fuzz/fuzz_support.hpp"

// Shared by the WAV and Ogg targets: every input is decoded whole as a sample is loaded, and read
// as a stream is played, in small slices and again after a rewind. Both ways must agree.
namespace tarn::fuzz {

// Smaller than a sample's limit, so that a short input cannot take seconds to decode.
inline constexpr std::size_t kFuzzMaxFrames = std::size_t{1} << 22;
// Odd, so that slices end at every place in the decoders' own blocks.
inline constexpr std::size_t kSliceFrames = 333;

// Up to max_samples samples of the stream, read a slice at a time.
inline std::vector<std::int16_t> read_sliced(AudioDecoder& decoder, std::size_t max_samples) {
    const std::size_t channels = static_cast<std::size_t>(decoder.format().channels);
    std::vector<std::int16_t> samples;
    std::vector<std::int16_t> slice(kSliceFrames * channels);
    while (samples.size() <= max_samples) {
        const std::size_t frames = decoder.read(slice);
        require(frames <= kSliceFrames, "a read fits the space it was given");
        if (frames == 0)
            break;
        samples.insert(samples.end(), slice.begin(), slice.begin() + frames * channels);
    }
    return samples;
}

inline void check_sample(const SampleResult& sample) {
    require(sample.pcm.format.supported(), "a decoded sample has a playable format");
    require(sample.pcm.frames() >= 1 && sample.pcm.frames() <= kFuzzMaxFrames,
            "a decoded sample has frames, within the limit");
    require(sample.pcm.samples.size() == sample.pcm.frames() * sample.pcm.format.channels,
            "a decoded sample holds whole frames");
}

inline void decode_every_way(const std::uint8_t* data, std::size_t size, DecoderOpener open) {
    const std::span<const std::uint8_t> file(data, size);
    const SampleResult sample = decode_sample(file, kFuzzMaxFrames, open);
    DecoderResult stream = open(std::make_unique<MemorySource>(file));
    if (!stream.decoder) {
        require(sample.error == stream.error, "a file that does not open fails the same way");
        return;
    }
    require(stream.decoder->format().supported(), "an opened file has a playable format");
    if (sample.error == AudioError::kMemory)
        return;
    const std::vector<std::int16_t> sliced = read_sliced(*stream.decoder, kFuzzMaxFrames * 2);
    if (sample.error == AudioError::kOk) {
        check_sample(sample);
        require(sliced == sample.pcm.samples, "slices of the stream make the whole sample");
    } else {
        require(sliced.empty(), "a sample refused as empty streams nothing");
    }
    if (stream.decoder->rewind()) {
        require(read_sliced(*stream.decoder, kFuzzMaxFrames * 2) == sliced,
                "a rewound stream plays the same again");
    }
}

}  // namespace tarn::fuzz
