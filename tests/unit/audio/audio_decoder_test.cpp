#include "audio/audio_decoder.hpp"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "audio/vorbis_decoder.hpp"
#include "unit/audio/audio_test_files.hpp"

namespace tarn {
namespace {

using test::chunk;
using test::fmt_body;
using test::le_bytes;
using test::pcm16_bytes;
using test::riff;
using namespace std::string_literals;
using ::testing::ElementsAreArray;

SampleResult decode(const std::string& file, std::size_t max_frames = kMaxSampleFrames) {
    return decode_sample(test::bytes_of(file), max_frames);
}

// The subformat field of an extensible "fmt " chunk: PCM's GUID, of which the first two bytes
// name the format.
std::string extensible_fmt(int channels, int rate, int bits, int subformat) {
    return fmt_body(channels, rate, bits, 0xFFFE) + le_bytes(22, 2) + le_bytes(bits, 2) +
           le_bytes(3, 4) + le_bytes(subformat, 2) +
           "\x00\x00\x00\x00\x10\x00\x80\x00\x00\xAA\x00\x38\x9B\x71"s;
}

struct GoodWav {
    const char* name;
    std::string file;
    PcmFormat format;
    std::vector<std::int16_t> samples;
};

TEST(WavDecoderTest, ReadsPcmLayouts) {
    const std::vector<std::int16_t> stereo = {1, -2, 300, -32768, 32767, 0};
    const std::string data = chunk("data", pcm16_bytes(stereo));
    const GoodWav cases[] = {
        {"16-bit stereo", riff(chunk("fmt ", fmt_body(2, 44100, 16)) + data), {44100, 2}, stereo},
        {"8-bit mono is unsigned",
         riff(chunk("fmt ", fmt_body(1, 8000, 8)) + chunk("data", "\x00\x80\xFF"s)),
         {8000, 1},
         {-32768, 0, 32512}},
        {"extensible PCM",
         riff(chunk("fmt ", extensible_fmt(2, 384000, 16, 1)) + data),
         {384000, 2},
         stereo},
        {"odd chunk padded, data before fmt",
         riff(chunk("LIST", "abc") + data + chunk("fmt ", fmt_body(2, 11025, 16))),
         {11025, 2},
         stereo},
        {"RIFF size ignored",
         "RIFF\0\0\0\0WAVE"s + chunk("fmt ", fmt_body(1, 22050, 16)) + data,
         {22050, 1},
         stereo},
        {"partial last frame dropped",
         riff(chunk("fmt ", fmt_body(2, 22050, 16)) + chunk("data", pcm16_bytes({5, 6, 7}))),
         {22050, 2},
         {5, 6}},
    };
    for (const GoodWav& c : cases) {
        const SampleResult result = decode(c.file);
        EXPECT_EQ(result.error, AudioError::kOk) << c.name;
        EXPECT_EQ(result.pcm.format.rate, c.format.rate) << c.name;
        EXPECT_EQ(result.pcm.format.channels, c.format.channels) << c.name;
        EXPECT_THAT(result.pcm.samples, ElementsAreArray(c.samples)) << c.name;
    }
}

struct BadFile {
    const char* name;
    std::string file;
    AudioError error;
};

TEST(AudioDecoderTest, RefusesBrokenAndUnsupportedFiles) {
    const std::string data = chunk("data", pcm16_bytes({1, 2, 3, 4}));
    const auto wav = [&](const std::string& fmt) { return riff(chunk("fmt ", fmt) + data); };
    const std::string ogg = test::encode_vorbis(22050, 1, 22050, 440.0);
    const BadFile cases[] = {
        {"empty", "", AudioError::kFileFormat},
        {"neither WAV nor Ogg", "ID3\x03 and then some bytes"s, AudioError::kFileFormat},
        {"cut RIFF header", "RIFF\x10\0\0\0WAV"s, AudioError::kFileFormat},
        {"rate 0", wav(fmt_body(1, 0, 16)), AudioError::kFormat},
        {"rate above 384000", wav(fmt_body(1, 384001, 16)), AudioError::kFormat},
        {"no channels", wav(fmt_body(0, 22050, 16)), AudioError::kFormat},
        {"three channels", wav(fmt_body(3, 22050, 16)), AudioError::kFormat},
        {"24-bit", wav(fmt_body(1, 22050, 24)), AudioError::kFormat},
        {"float samples", wav(fmt_body(1, 22050, 32, 3)), AudioError::kFormat},
        {"extensible float", wav(extensible_fmt(1, 22050, 32, 3)), AudioError::kFormat},
        {"block size disagrees", wav(fmt_body(2, 22050, 16).replace(12, 2, le_bytes(2, 2))),
         AudioError::kFileFormat},
        {"fmt chunk too short", wav(fmt_body(1, 22050, 16).substr(0, 14)), AudioError::kFileFormat},
        {"fmt chunk cut by the end", riff(chunk("fmt ", fmt_body(1, 22050, 16)).substr(0, 18)),
         AudioError::kFileFormat},
        {"data longer than the file",
         riff(chunk("fmt ", fmt_body(1, 22050, 16)) + chunk("data", "\1\2\3\4", 0x7FFFFFF0)),
         AudioError::kFileFormat},
        {"huge chunk hides the rest",
         riff(chunk("junk", "", 0xFFFFFFF0) + chunk("fmt ", fmt_body(1, 8000, 8)) + data),
         AudioError::kFileFormat},
        {"no data chunk", riff(chunk("fmt ", fmt_body(1, 22050, 16))), AudioError::kFileFormat},
        {"no fmt chunk", riff(data), AudioError::kFileFormat},
        {"no frames", riff(chunk("fmt ", fmt_body(1, 22050, 16)) + chunk("data", "")),
         AudioError::kFileFormat},
        {"Ogg page of garbage", "OggS" + std::string(200, '\x5A'), AudioError::kFileFormat},
        {"Ogg cut inside its headers", ogg.substr(0, 120), AudioError::kFileFormat},
        {"Vorbis of three channels", test::encode_vorbis(8000, 3, 800, 440.0), AudioError::kFormat},
    };
    for (const BadFile& c : cases) {
        const SampleResult result = decode(c.file);
        EXPECT_EQ(result.error, c.error) << c.name;
        EXPECT_TRUE(result.pcm.samples.empty()) << c.name;
    }
}

TEST(AudioDecoderTest, SamplesAboveTheLimitAreRefused) {
    const std::string ogg = test::encode_vorbis(8000, 1, 8000, 440.0);
    EXPECT_EQ(decode(ogg, 7999).error, AudioError::kMemory);
    EXPECT_EQ(decode(ogg, 8000).pcm.frames(), 8000u);
}

// Vorbis keeps the exact length, and the tone survives the lossy round trip.
TEST(VorbisDecoderTest, DecodesWhatWasEncoded) {
    const SampleResult result = decode(test::encode_vorbis(22050, 2, 22050, 441.0));
    ASSERT_EQ(result.error, AudioError::kOk);
    EXPECT_EQ(result.pcm.format.rate, 22050);
    EXPECT_EQ(result.pcm.format.channels, 2);
    EXPECT_EQ(result.pcm.frames(), 22050u);
    int crossings = 0;
    for (std::size_t i = 2; i < result.pcm.samples.size(); i += 2)
        crossings += (result.pcm.samples[i] < 0) != (result.pcm.samples[i - 2] < 0);
    EXPECT_NEAR(crossings, 2 * 441, 4);
}

TEST(VorbisDecoderTest, AChainedFileEndsWhereItsFormatChanges) {
    const SampleResult result = decode(test::encode_vorbis(8000, 1, 300, 440.0) +
                                       test::encode_vorbis(11025, 2, 200, 440.0, 0.0f, 2) +
                                       test::encode_vorbis(8000, 1, 100, 440.0, 0.0f, 3));
    EXPECT_EQ(result.pcm.format.rate, 8000);
    EXPECT_EQ(result.pcm.frames(), 300u);
}

// A stream is read in small slices and may start again: both give the whole decode.
TEST(AudioDecoderTest, SlicedReadsAndRewindsGiveTheWholeSound) {
    const std::string files[] = {test::wav16(1, 8000, test::sine(8000, 300.0, 1001)),
                                 test::encode_vorbis(8000, 2, 3001, 300.0)};
    for (const std::string& file : files) {
        const std::vector<std::int16_t> whole = decode(file).pcm.samples;
        DecoderResult opened = open_decoder(std::make_unique<MemorySource>(test::bytes_of(file)));
        ASSERT_TRUE(opened.decoder);
        for (int pass = 0; pass < 2; ++pass) {
            std::vector<std::int16_t> sliced;
            std::int16_t slice[2 * 7];
            while (const std::size_t frames = opened.decoder->read(slice))
                sliced.insert(sliced.end(), slice,
                              slice + frames * opened.decoder->format().channels);
            EXPECT_EQ(sliced, whole) << "pass " << pass;
            ASSERT_TRUE(opened.decoder->rewind());
        }
    }
}

}  // namespace
}  // namespace tarn
