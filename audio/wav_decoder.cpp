#include "audio/wav_decoder.hpp"

#include <algorithm>
#include <bit>
#include <cstring>

namespace tarn {

namespace {

constexpr std::uint16_t kTagPcm = 1;
constexpr std::uint16_t kTagExtensible = 0xFFFE;
constexpr std::uint32_t kPlainFormatSize = 16;
constexpr std::uint32_t kExtensibleFormatSize = 40;
constexpr std::size_t kSubformatOffset = 24;

std::uint16_t le16(const std::uint8_t* p) {
    return static_cast<std::uint16_t>(p[0] | p[1] << 8);
}

std::uint32_t le32(const std::uint8_t* p) {
    return static_cast<std::uint32_t>(le16(p)) | static_cast<std::uint32_t>(le16(p + 2)) << 16;
}

bool has_id(const std::uint8_t* p, const char* id) {
    return std::memcmp(p, id, 4) == 0;
}

// Where the samples are and how they are stored.
struct WavLayout {
    PcmFormat format;
    int bytes_per_sample = 0;
    std::int64_t data_offset = -1;
    std::int64_t frames = 0;
};

// The contents of a "fmt " chunk of `size` bytes at the source's position.
AudioError read_format(ByteSource& source, std::uint32_t size, WavLayout& layout) {
    std::uint8_t fmt[kExtensibleFormatSize] = {};
    if (size < kPlainFormatSize ||
        !source.read_exactly(fmt, std::min<std::size_t>(size, sizeof fmt)))
        return AudioError::kFileFormat;
    std::uint16_t tag = le16(fmt);
    if (tag == kTagExtensible && size >= kExtensibleFormatSize)
        tag = le16(fmt + kSubformatOffset);
    const std::uint32_t rate = le32(fmt + 4);
    const int channels = le16(fmt + 2);
    const int bits = le16(fmt + 14);
    if (tag != kTagPcm || (bits != 8 && bits != 16) || rate > PcmFormat::kMaxRate)
        return AudioError::kFormat;
    layout.format = {static_cast<int>(rate), channels};
    layout.bytes_per_sample = bits / 8;
    if (!layout.format.supported())
        return AudioError::kFormat;
    return le16(fmt + 12) == channels * layout.bytes_per_sample ? AudioError::kOk
                                                                : AudioError::kFileFormat;
}

// Walks the chunks after the RIFF header until both the format and the data are found.
AudioError find_chunks(ByteSource& source, WavLayout& layout) {
    bool have_format = false;
    std::int64_t data_size = 0;
    std::uint8_t header[8];
    while (!(have_format && layout.data_offset >= 0) && source.read_exactly(header, 8)) {
        const std::uint32_t size = le32(header + 4);
        const std::int64_t start = source.tell();
        if (has_id(header, "fmt ") && !have_format) {
            if (const AudioError error = read_format(source, size, layout);
                error != AudioError::kOk)
                return error;
            have_format = true;
        } else if (has_id(header, "data") && layout.data_offset < 0) {
            if (start + size > source.size())
                return AudioError::kFileFormat;
            layout.data_offset = start;
            data_size = size;
        }
        // Chunks are padded to an even size.
        if (!source.seek(start + size + (size & 1)))
            break;
    }
    if (!have_format || layout.data_offset < 0)
        return AudioError::kFileFormat;
    layout.frames = data_size / (layout.format.channels * layout.bytes_per_sample);
    return AudioError::kOk;
}

class WavDecoder final : public AudioDecoder {
public:
    WavDecoder(std::unique_ptr<ByteSource> source, const WavLayout& layout)
        : AudioDecoder(layout.format),
          source_(std::move(source)),
          layout_(layout),
          frames_left_(layout.frames) {}

    std::size_t read(std::span<std::int16_t> out) override;
    bool rewind() override;

private:
    std::unique_ptr<ByteSource> source_;
    WavLayout layout_;
    std::int64_t frames_left_;
};

std::uint16_t swap_bytes(std::uint16_t value) {
    return static_cast<std::uint16_t>(value >> 8 | value << 8);
}

// 8-bit samples are unsigned; they are read into the front of `out` and widened from the back,
// so that no byte is overwritten before it is read.
void widen_8bit(std::span<std::int16_t> out, std::size_t count) {
    const auto* bytes = reinterpret_cast<const std::uint8_t*>(out.data());
    for (std::size_t i = count; i-- > 0;)
        out[i] = static_cast<std::int16_t>((bytes[i] - 128) * 256);
}

std::size_t WavDecoder::read(std::span<std::int16_t> out) {
    const std::size_t channels = static_cast<std::size_t>(format().channels);
    const std::size_t wanted =
        std::min<std::size_t>(out.size() / channels, static_cast<std::size_t>(frames_left_));
    const std::size_t frame_bytes = channels * static_cast<std::size_t>(layout_.bytes_per_sample);
    const std::size_t bytes = source_->read(out.data(), wanted * frame_bytes);
    const std::size_t frames = bytes / frame_bytes;
    // A short read means the file ended or failed: nothing after it is read.
    frames_left_ = frames == wanted ? frames_left_ - static_cast<std::int64_t>(frames) : 0;
    const std::size_t samples = frames * channels;
    if (layout_.bytes_per_sample == 1) {
        widen_8bit(out, samples);
    } else if (std::endian::native == std::endian::big) {
        for (std::size_t i = 0; i < samples; ++i)
            out[i] = static_cast<std::int16_t>(swap_bytes(static_cast<std::uint16_t>(out[i])));
    }
    return frames;
}

bool WavDecoder::rewind() {
    if (!source_->seek(layout_.data_offset))
        return false;
    frames_left_ = layout_.frames;
    return true;
}

}  // namespace

DecoderResult open_wav_decoder(std::unique_ptr<ByteSource> source) {
    std::uint8_t riff[12];
    if (!source->read_exactly(riff, sizeof riff) || !has_id(riff, "RIFF") ||
        !has_id(riff + 8, "WAVE"))
        return {nullptr, AudioError::kFileFormat};
    WavLayout layout;
    if (const AudioError error = find_chunks(*source, layout); error != AudioError::kOk)
        return {nullptr, error};
    if (!source->seek(layout.data_offset))
        return {nullptr, AudioError::kFileFormat};
    return {std::make_unique<WavDecoder>(std::move(source), layout), AudioError::kOk};
}

}  // namespace tarn
