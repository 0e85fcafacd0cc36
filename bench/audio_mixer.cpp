// Measures the mixing output: the cost of mixing one voice for one second of audio (resampled
// and not); the memory held while a ten-minute Ogg Vorbis file streams through the real output
// on the window system's disk driver (writing to /dev/null as fast as it goes); and the time
// from play() to the first buffer that holds the sound, with the mixer driven at the pace of a
// device and through the disk driver at the pace of real time. Files go to build/tmp, where the
// ten-minute file is encoded once.
//
//   bench_audio_mixer
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <numbers>
#include <random>
#include <string>
#include <thread>
#include <vector>

#include "audio/audio_decoder.hpp"
#include "audio/mixer.hpp"
#include "audio/sdl_audio_output.hpp"
#include "tests/unit/audio/audio_test_files.hpp"

namespace {

using Clock = std::chrono::steady_clock;
using namespace std::chrono_literals;
using tarn::AudioError;
using tarn::ChannelHandle;

constexpr int kOutputRate = 44100;
constexpr int kBufferFrames = 1024;

double mix_ns_per_voice_second(const tarn::PcmBuffer& sample, int voice_count) {
    constexpr int kSeconds = 20;
    tarn::Mixer mixer;
    std::vector<std::unique_ptr<tarn::MixerVoice>> voices;
    for (int i = 0; i < voice_count; ++i) {
        voices.push_back(std::make_unique<tarn::MixerVoice>(sample, kOutputRate));
        voices.back()->set_looping(true);
        voices.back()->set_volume(0.5f);
        mixer.add(*voices.back());
    }
    std::vector<std::int16_t> out(2 * kBufferFrames);
    const auto start = Clock::now();
    for (int done = 0; done < kSeconds * kOutputRate; done += kBufferFrames)
        mixer.render(out.data(), kBufferFrames);
    const std::chrono::duration<double, std::nano> spent = Clock::now() - start;
    return spent.count() / (voice_count * kSeconds);
}

void report_mix_cost() {
    std::printf("Mixing cost at %d Hz, per voice per second of audio:\n", kOutputRate);
    const struct {
        const char* name;
        int rate;
        int channels;
    } sources[] = {{"44100 Hz stereo (no resampling)", 44100, 2},
                   {"22050 Hz mono (resampled)", 22050, 1},
                   {"48000 Hz stereo (resampled)", 48000, 2}};
    for (const auto& source : sources) {
        const tarn::PcmBuffer sample{
            {source.rate, source.channels},
            tarn::test::sine(source.rate, 440.0, source.rate, source.channels)};
        for (const int voices : {1, 32}) {
            const double ns = mix_ns_per_voice_second(sample, voices);
            std::printf("  %-32s %2d voices: %7.1f us (%.3f%% of a core per voice)\n", source.name,
                        voices, ns / 1000.0, ns / 1e7);
        }
    }
}

std::size_t resident_bytes() {
    std::size_t pages = 0, resident = 0;
    std::ifstream("/proc/self/statm") >> pages >> resident;
    return resident * static_cast<std::size_t>(sysconf(_SC_PAGESIZE));
}

void use_disk_driver(const std::string& file, int delay_ms) {
    setenv("SDL_AUDIODRIVER", "disk", 1);
    setenv("SDL_DISKAUDIOFILE", file.c_str(), 1);
    setenv("SDL_DISKAUDIODELAY", std::to_string(delay_ms).c_str(), 1);
}

std::string ten_minute_ogg(const std::filesystem::path& dir) {
    const std::filesystem::path path = dir / "bench-10-minutes.ogg";
    if (!std::filesystem::exists(path)) {
        std::filesystem::create_directories(dir);
        std::ofstream(path, std::ios::binary)
            << tarn::test::encode_vorbis(kOutputRate, 2, 600 * kOutputRate, 441.0, 0.0f);
    }
    return path.string();
}

void report_streaming_memory(const std::string& ogg) {
    use_disk_driver("/dev/null", 0);
    tarn::SdlAudioOutput output;
    if (output.start_device(-1, kOutputRate) != AudioError::kOk)
        return;
    const std::size_t before = resident_bytes();
    const ChannelHandle stream = output.open_stream(tarn::WidePath(ogg.c_str())).handle;
    const auto start = Clock::now();
    if (output.play(stream) != AudioError::kOk)
        return;
    std::size_t peak = before, held = 0;
    while (output.is_active(stream)) {
        held = std::max(held, output.decoded_bytes());
        peak = std::max(peak, resident_bytes());
        std::this_thread::sleep_for(10ms);
    }
    const std::chrono::duration<double> spent = Clock::now() - start;
    std::printf("Streaming a 10-minute 44.1 kHz stereo Ogg (%.1f MB decoded, %.2f MB file):\n",
                600.0 * kOutputRate * 4 / 1e6, std::filesystem::file_size(ogg) / 1e6);
    std::printf(
        "  played in %.1f s; decoded sound held by the output: %zu KB; resident memory "
        "grew by %.2f MB at most\n",
        spent.count(), held / 1024, (peak - before) / 1e6);
}

// Stands in for the device's thread: renders a buffer every buffer period and notes when a
// buffer first holds sound after being armed.
class PacedDevice {
public:
    explicit PacedDevice(tarn::Mixer& mixer) : thread_([this, &mixer] { run(mixer); }) {}
    ~PacedDevice() {
        stopping_ = true;
        thread_.join();
    }

    void arm() { armed_ = true; }
    // When the first buffer holding sound since arm() was rendered.
    Clock::time_point sound_rendered() {
        while (armed_)
            std::this_thread::sleep_for(50us);
        return sounded_at_;
    }

private:
    void run(tarn::Mixer& mixer) {
        std::vector<std::int16_t> out(2 * kBufferFrames);
        const auto period = std::chrono::duration_cast<Clock::duration>(
            std::chrono::duration<double>(double(kBufferFrames) / kOutputRate));
        for (auto next = Clock::now(); !stopping_; next += period) {
            mixer.render(out.data(), kBufferFrames);
            if (armed_ && std::any_of(out.begin(), out.end(), [](auto s) { return s != 0; })) {
                sounded_at_ = Clock::now();
                armed_ = false;
            }
            std::this_thread::sleep_until(next + period);
        }
    }

    std::atomic<bool> armed_{false};
    std::atomic<bool> stopping_{false};
    std::atomic<Clock::time_point> sounded_at_{};
    std::thread thread_;
};

struct Latency {
    double total_ms = 0;
    double worst_ms = 0;
    int trials = 0;

    void add(Clock::duration latency) {
        const double ms = std::chrono::duration<double, std::milli>(latency).count();
        total_ms += ms;
        worst_ms = std::max(worst_ms, ms);
        ++trials;
    }
    void print(const char* name) const {
        std::printf("  %-30s mean %5.1f ms, worst %5.1f ms\n", name, total_ms / trials, worst_ms);
    }
};

constexpr int kTrials = 20;

// A voice started as the output starts one: a sample's at once, a stream's after its file is
// opened and handed to the worker.
void report_paced_latency(const tarn::PcmBuffer& tone, const std::string& ogg) {
    tarn::Mixer mixer;
    tarn::StreamWorker worker;
    PacedDevice device(mixer);
    std::mt19937 random(7);
    Latency sample, stream;
    for (int i = 0; i < kTrials; ++i) {
        std::this_thread::sleep_for(std::chrono::microseconds(random() % 30000));
        tarn::MixerVoice voice(tone, kOutputRate);
        device.arm();
        const auto start = Clock::now();
        mixer.add(voice);
        sample.add(device.sound_rendered() - start);
        mixer.remove(voice);
    }
    for (int i = 0; i < kTrials; ++i) {
        std::this_thread::sleep_for(std::chrono::microseconds(random() % 30000));
        device.arm();
        const auto start = Clock::now();
        auto feed = std::make_shared<tarn::StreamFeed>(
            tarn::open_decoder(tarn::FileSource::open(ogg)).decoder);
        worker.add(feed);
        tarn::MixerVoice voice(*feed, kOutputRate);
        mixer.add(voice);
        stream.add(device.sound_rendered() - start);
        mixer.remove(voice);
        feed->cancel();
    }
    sample.print("sample");
    stream.print("stream (open and play)");
}

// Bytes the disk driver has written so far.
std::size_t written(const std::string& file) {
    std::error_code ignored;
    return static_cast<std::size_t>(std::filesystem::file_size(file, ignored));
}

// Waits until a frame that is not silence appears after `offset` in the file; returns when.
Clock::time_point first_sound_after(const std::string& file, std::size_t offset) {
    std::ifstream in(file, std::ios::binary);
    std::vector<std::int16_t> samples(4096);
    for (;;) {
        in.clear();
        in.seekg(static_cast<std::streamoff>(offset));
        in.read(reinterpret_cast<char*>(samples.data()), samples.size() * 2);
        const auto count = static_cast<std::size_t>(in.gcount()) / 2;
        if (std::any_of(samples.begin(), samples.begin() + count, [](auto s) { return s != 0; }))
            return Clock::now();
        offset += count * 2;
        std::this_thread::sleep_for(100us);
    }
}

template <typename OpenChannel>
Latency disk_latency(tarn::SdlAudioOutput& output, const std::string& file,
                     OpenChannel open_channel) {
    std::mt19937 random(7);
    Latency latency;
    for (int i = 0; i < kTrials; ++i) {
        std::this_thread::sleep_for(std::chrono::microseconds(random() % 30000));
        const std::size_t offset = written(file) / 4 * 4;
        const auto start = Clock::now();
        const ChannelHandle channel = open_channel();
        if (output.play(channel) != AudioError::kOk)
            break;
        latency.add(first_sound_after(file, offset) - start);
        output.stop_channel(channel);
    }
    return latency;
}

void report_disk_latency(const std::filesystem::path& dir, const std::string& tone,
                         const std::string& ogg) {
    const std::string file = (dir / "bench-latency.raw").string();
    use_disk_driver(file, kBufferFrames * 1000 / kOutputRate);
    tarn::SdlAudioOutput output;
    if (output.start_device(-1, kOutputRate) != AudioError::kOk)
        return;
    const auto sample = output.load_sample(tarn::test::bytes_of(tone), 8).handle;
    disk_latency(output, file, [&] {
        return output.sample_channel(sample).handle;
    }).print("sample, disk driver");
    disk_latency(output, file, [&] {
        return output.open_stream(tarn::WidePath(ogg.c_str())).handle;
    }).print("stream, disk driver");
    output.stop_device();
    std::filesystem::remove(file);
}

void report_latency(const std::filesystem::path& dir) {
    std::printf(
        "Latency from play() to the first buffer holding the sound (%d-frame buffers, "
        "%.1f ms each); the disk driver writes through a file buffer, which adds up to "
        "two buffers:\n",
        kBufferFrames, 1000.0 * kBufferFrames / kOutputRate);
    const tarn::PcmBuffer tone{
        {kOutputRate, 1},
        tarn::test::sine(kOutputRate, 440.0, kOutputRate / 10, 1, 0.5, std::numbers::pi / 2)};
    const std::string ogg = (dir / "bench-latency.ogg").string();
    std::ofstream(ogg, std::ios::binary)
        << tarn::test::encode_vorbis(kOutputRate, 2, kOutputRate, 440.0);
    report_paced_latency(tone, ogg);
    report_disk_latency(dir, tarn::test::wav16(1, kOutputRate, tone.samples), ogg);
}

}  // namespace

int main() {
    const std::filesystem::path dir = TARN_BENCH_TMP_DIR;
    report_mix_cost();
    report_streaming_memory(ten_minute_ogg(dir));
    report_latency(dir);
    return 0;
}
