#include "audio/audio_decoder.hpp"

#include <cstring>

#include "audio/vorbis_decoder.hpp"
#include "audio/wav_decoder.hpp"

namespace tarn {

namespace {

// Frames decoded at a time into a sample being loaded.
constexpr std::size_t kSampleChunkFrames = 4096;

}  // namespace

DecoderResult open_decoder(std::unique_ptr<ByteSource> source) {
    char magic[4] = {};
    const bool read = source->read_exactly(magic, sizeof magic) && source->seek(0);
    if (read && std::memcmp(magic, "RIFF", 4) == 0)
        return open_wav_decoder(std::move(source));
    if (read && std::memcmp(magic, "OggS", 4) == 0)
        return open_vorbis_decoder(std::move(source));
    return {nullptr, AudioError::kFileFormat};
}

SampleResult decode_sample(std::span<const std::uint8_t> file, std::size_t max_frames,
                           DecoderOpener open) {
    DecoderResult opened = open(std::make_unique<MemorySource>(file));
    if (!opened.decoder)
        return {{}, opened.error};
    AudioDecoder& decoder = *opened.decoder;
    const std::size_t channels = static_cast<std::size_t>(decoder.format().channels);
    SampleResult result{{decoder.format(), {}}, AudioError::kOk};
    std::vector<std::int16_t>& samples = result.pcm.samples;
    for (;;) {
        const std::size_t filled = samples.size();
        samples.resize(filled + kSampleChunkFrames * channels);
        const std::size_t frames = decoder.read(std::span(samples).subspan(filled));
        samples.resize(filled + frames * channels);
        if (frames == 0)
            break;
        if (samples.size() / channels > max_frames)
            return {{}, AudioError::kMemory};
    }
    if (samples.empty())
        return {{}, AudioError::kFileFormat};
    samples.shrink_to_fit();
    return result;
}

}  // namespace tarn
