#pragma once

#include <vorbis/vorbisenc.h>

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <numbers>
#include <span>
#include <string>
#include <vector>

// Sound files for the audio tests, the fuzz seeds and the benchmarks: RIFF WAVE files built
// chunk by chunk (so that broken ones can be made too) and Ogg Vorbis files encoded with
// libvorbisenc.
namespace tarn::test {

inline std::string le_bytes(std::uint32_t value, int count) {
    std::string bytes;
    for (int i = 0; i < count; ++i)
        bytes += static_cast<char>(value >> (8 * i) & 0xFF);
    return bytes;
}

// A RIFF chunk; `declared` overrides the size written in its header.
inline std::string chunk(const std::string& id, const std::string& body,
                         std::int64_t declared = -1) {
    const auto size = static_cast<std::uint32_t>(declared >= 0 ? declared : body.size());
    return id + le_bytes(size, 4) + body + (body.size() % 2 != 0 ? std::string(1, '\0') : "");
}

inline std::string riff(const std::string& chunks) {
    return "RIFF" + le_bytes(static_cast<std::uint32_t>(4 + chunks.size()), 4) + "WAVE" + chunks;
}

// The body of a plain PCM "fmt " chunk.
inline std::string fmt_body(int channels, int rate, int bits, int tag = 1) {
    const int block = channels * bits / 8;
    return le_bytes(tag, 2) + le_bytes(channels, 2) + le_bytes(rate, 4) +
           le_bytes(static_cast<std::uint32_t>(rate * block), 4) + le_bytes(block, 2) +
           le_bytes(bits, 2);
}

inline std::string pcm16_bytes(const std::vector<std::int16_t>& samples) {
    std::string bytes;
    for (const std::int16_t sample : samples)
        bytes += le_bytes(static_cast<std::uint16_t>(sample), 2);
    return bytes;
}

// A 16-bit WAV file of the samples.
inline std::string wav16(int channels, int rate, const std::vector<std::int16_t>& samples) {
    return riff(chunk("fmt ", fmt_body(channels, rate, 16)) + chunk("data", pcm16_bytes(samples)));
}

// A sine of `frequency` Hz at `amplitude` (of full scale) starting at `phase` radians, the same
// on every channel.
inline std::vector<std::int16_t> sine(int rate, double frequency, std::int64_t frames,
                                      int channels = 1, double amplitude = 0.5,
                                      double phase = 0.0) {
    std::vector<std::int16_t> samples;
    samples.reserve(static_cast<std::size_t>(frames * channels));
    for (std::int64_t i = 0; i < frames; ++i) {
        const double angle = 2 * std::numbers::pi * frequency * static_cast<double>(i) / rate;
        const double value = amplitude * 32767.0 * std::sin(angle + phase);
        samples.insert(samples.end(), channels, static_cast<std::int16_t>(std::lround(value)));
    }
    return samples;
}

inline void append_page(std::string& out, const ogg_page& page) {
    out.append(reinterpret_cast<const char*>(page.header),
               static_cast<std::size_t>(page.header_len));
    out.append(reinterpret_cast<const char*>(page.body), static_cast<std::size_t>(page.body_len));
}

// An Ogg Vorbis file of `frames` frames of a sine of `frequency` Hz at half scale, encoded a
// slice at a time (the whole sound is never held), at `quality` -0.1..1, as the logical stream
// `serial` (files chained one after the other need different ones).
inline std::string encode_vorbis(int rate, int channels, std::int64_t frames, double frequency,
                                 float quality = 0.0f, int serial = 1) {
    vorbis_info info;
    vorbis_info_init(&info);
    if (vorbis_encode_init_vbr(&info, channels, rate, quality) != 0) {
        vorbis_info_clear(&info);
        return {};
    }
    vorbis_comment comment;
    vorbis_comment_init(&comment);
    vorbis_dsp_state dsp;
    vorbis_analysis_init(&dsp, &info);
    vorbis_block block;
    vorbis_block_init(&dsp, &block);
    ogg_stream_state stream;
    ogg_stream_init(&stream, serial);
    ogg_packet header, comments, codebooks;
    vorbis_analysis_headerout(&dsp, &comment, &header, &comments, &codebooks);
    ogg_stream_packetin(&stream, &header);
    ogg_stream_packetin(&stream, &comments);
    ogg_stream_packetin(&stream, &codebooks);
    std::string out;
    ogg_page page;
    while (ogg_stream_flush(&stream, &page) != 0)
        append_page(out, page);
    for (std::int64_t done = 0, eos = 0; eos == 0;) {
        const long count = static_cast<long>(std::min<std::int64_t>(frames - done, 4096));
        if (count > 0) {
            float** buffer = vorbis_analysis_buffer(&dsp, static_cast<int>(count));
            for (long i = 0; i < count; ++i) {
                const double t = static_cast<double>(done + i) / rate;
                for (int c = 0; c < channels; ++c)
                    buffer[c][i] =
                        static_cast<float>(0.5 * std::sin(2 * std::numbers::pi * frequency * t));
            }
            done += count;
        }
        vorbis_analysis_wrote(&dsp, static_cast<int>(count));
        while (vorbis_analysis_blockout(&dsp, &block) == 1) {
            vorbis_analysis(&block, nullptr);
            vorbis_bitrate_addblock(&block);
            ogg_packet packet;
            while (vorbis_bitrate_flushpacket(&dsp, &packet) == 1) {
                ogg_stream_packetin(&stream, &packet);
                while (ogg_stream_pageout(&stream, &page) != 0) {
                    append_page(out, page);
                    eos = ogg_page_eos(&page);
                }
            }
        }
    }
    ogg_stream_clear(&stream);
    vorbis_block_clear(&block);
    vorbis_dsp_clear(&dsp);
    vorbis_comment_clear(&comment);
    vorbis_info_clear(&info);
    return out;
}

inline std::span<const std::uint8_t> bytes_of(const std::string& text) {
    return {reinterpret_cast<const std::uint8_t*>(text.data()), text.size()};
}

}  // namespace tarn::test
