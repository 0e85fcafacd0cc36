#include "audio/vorbis_decoder.hpp"

#include <vorbis/vorbisfile.h>

#include <bit>
#include <climits>
#include <cstdio>

namespace tarn {

namespace {

std::size_t read_bytes(void* out, std::size_t size, std::size_t count, void* source) {
    if (size == 0)
        return 0;
    return static_cast<ByteSource*>(source)->read(out, size * count) / size;
}

int seek_bytes(void* source, ogg_int64_t offset, int whence) {
    auto* bytes = static_cast<ByteSource*>(source);
    const std::int64_t base = whence == SEEK_CUR   ? bytes->tell()
                              : whence == SEEK_END ? bytes->size()
                                                   : 0;
    return bytes->seek(base + offset) ? 0 : -1;
}

long tell_bytes(void* source) {
    return static_cast<long>(static_cast<ByteSource*>(source)->tell());
}

// The source is owned by the decoder, so the library never closes it.
constexpr ov_callbacks kCallbacks = {&read_bytes, &seek_bytes, nullptr, &tell_bytes};

PcmFormat format_of(const vorbis_info* info) {
    if (info == nullptr || info->rate > PcmFormat::kMaxRate)
        return {};
    return {static_cast<int>(info->rate), info->channels};
}

// An open file; the library's state points into itself, so it stays where it was opened.
struct FileCloser {
    void operator()(OggVorbis_File* file) const {
        ov_clear(file);
        delete file;
    }
};
using VorbisFile = std::unique_ptr<OggVorbis_File, FileCloser>;

bool same_format(const PcmFormat& a, const PcmFormat& b) {
    return a.rate == b.rate && a.channels == b.channels;
}

class VorbisDecoder final : public AudioDecoder {
public:
    // Takes over a file opened on `source`.
    VorbisDecoder(std::unique_ptr<ByteSource> source, VorbisFile file, PcmFormat format)
        : AudioDecoder(format), source_(std::move(source)), file_(std::move(file)) {}

    std::size_t read(std::span<std::int16_t> out) override;
    bool rewind() override;

private:
    // Decodes once into out; false at the end, at damage or at a change of format.
    bool read_once(std::span<std::int16_t> out, std::size_t& frames);

    std::unique_ptr<ByteSource> source_;
    VorbisFile file_;
    int link_ = -1;
    bool ended_ = false;
};

std::size_t VorbisDecoder::read(std::span<std::int16_t> out) {
    const std::size_t channels = static_cast<std::size_t>(format().channels);
    std::size_t frames = 0;
    while (!ended_ && frames * channels < out.size()) {
        if (!read_once(out.subspan(frames * channels), frames))
            ended_ = true;
    }
    return frames;
}

bool VorbisDecoder::read_once(std::span<std::int16_t> out, std::size_t& frames) {
    const int bytes = static_cast<int>(std::min<std::size_t>(out.size() * 2, INT_MAX / 4 * 2));
    int link = 0;
    const long got = ov_read(file_.get(), reinterpret_cast<char*>(out.data()), bytes,
                             std::endian::native == std::endian::big, 2, 1, &link);
    if (got == OV_HOLE)
        return true;  // a gap in the data: decoding goes on after it
    if (got <= 0)
        return false;
    if (link != link_) {
        if (!same_format(format_of(ov_info(file_.get(), link)), format()))
            return false;
        link_ = link;
    }
    frames += static_cast<std::size_t>(got) / (2 * static_cast<std::size_t>(format().channels));
    return true;
}

bool VorbisDecoder::rewind() {
    if (ov_pcm_seek(file_.get(), 0) != 0)
        return false;
    ended_ = false;
    return true;
}

}  // namespace

DecoderResult open_vorbis_decoder(std::unique_ptr<ByteSource> source) {
    auto opening = std::make_unique<OggVorbis_File>();
    // A file that fails to open is cleared by the library itself.
    if (ov_open_callbacks(source.get(), opening.get(), nullptr, 0, kCallbacks) != 0)
        return {nullptr, AudioError::kFileFormat};
    VorbisFile file(opening.release());
    // After opening a chained file whose first part fits in one page, the library stands at
    // the second part: decoding starts from the first frame explicitly.
    ov_pcm_seek(file.get(), 0);
    const PcmFormat format = format_of(ov_info(file.get(), -1));
    if (!format.supported())
        return {nullptr, AudioError::kFormat};
    return {std::make_unique<VorbisDecoder>(std::move(source), std::move(file), format),
            AudioError::kOk};
}

}  // namespace tarn
