#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <memory>
#include <string>
#include <variant>
#include <vector>

#include "app/singletons.hpp"
#include "audio/recording_audio_output.hpp"
#include "audio/sound_channel.hpp"
#include "audio/sound_system.hpp"
#include "core/cvar_list.hpp"
#include "support/log_capture.hpp"
#include "support/script_vm.hpp"
#include "support/temp_dir.hpp"

namespace tarn::test {

// An answer queued on the recording output: an operation and its error or query result.
struct Answer {
    const char* operation;
    std::variant<AudioError, bool> value;
};
using Answers = std::vector<Answer>;

// A sound file the tests play: a RIFF WAVE of eight silent 8-bit mono samples, 52 bytes.
inline std::string tiny_wav() {
    auto u32 = [](std::uint32_t v) {
        return std::string{char(v), char(v >> 8), char(v >> 16), char(v >> 24)};
    };
    auto u16 = [](std::uint16_t v) { return std::string{char(v), char(v >> 8)}; };
    const std::string samples(8, char(0x80));
    return "RIFF" + u32(36 + samples.size()) + "WAVE" + "fmt " + u32(16) + u16(1) + u16(1) +
           u32(22050) + u32(22050) + u16(1) + u16(8) + "data" + u32(samples.size()) + samples;
}

// The engine's sound system on a recording output, in a game folder whose "data" holds
// fx.wav, with a script VM. Categories 3 and 5 play at 0.5 and 0.2.
class SoundFixture : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        static const bool created = (create_singletons(), true);
        (void)created;
    }
    void SetUp() override {
        previous_dir_ = std::filesystem::current_path();
        std::filesystem::current_path(dir_.path());
        write_file(dir_ / "data/fx.wav", tiny_wav());
        restart();
    }
    void TearDown() override {
        sound_system().shutdown();
        std::filesystem::current_path(previous_dir_);
    }

    // Drops the script's channel ::c, shuts the sound system down and starts it again on a new
    // recording output.
    void restart() {
        run("::c <- null;");
        sound_system().shutdown();
        cvars_ = std::make_unique<CVarList>();
        const char config[] = "sound_volume_3 = 0.5\nsound_volume_5 = 0.2";
        cvars_->apply_config_text(config, sizeof config - 1, false);
        auto output = std::make_unique<RecordingAudioOutput>();
        output_ = output.get();
        sound_system().set_output(std::move(output));
        sound_system().set_music_category(-1);
        sound_system().init(*cvars_);
        mark();
    }
    // calls() and log() report from here on.
    void mark() {
        call_mark_ = output_->calls().size();
        log_mark_ = log_.lines().size();
    }
    // The output's calls, then the log lines, since the mark, each joined by "; ".
    std::string calls() const { return joined(output_->calls(), call_mark_); }
    std::string log() const { return joined(log_.lines(), log_mark_); }

    void answer(const Answers& answers) {
        for (const Answer& a : answers)
            std::visit([&](auto value) { output_->answer(a.operation, value); }, a.value);
    }
    void run(const std::string& code) { EXPECT_TRUE(vm_.run(code)) << code; }
    // The native channel of the script value code gives.
    SoundChannel* channel(const std::string& code) {
        vm_.eval("return " + code).push();
        SoundChannel* result = object_at<SoundChannel>(vm_.vm(), -1);
        sq_poptop(vm_.vm());
        return result;
    }

    TempDir dir_;
    std::filesystem::path previous_dir_;
    LogCapture log_;
    ScriptVm vm_;
    std::unique_ptr<CVarList> cvars_;
    RecordingAudioOutput* output_ = nullptr;

private:
    static std::string joined(const std::vector<std::string>& lines, std::size_t from) {
        std::string text;
        for (std::size_t i = from; i < lines.size(); ++i)
            text += (i > from ? "; " : "") + lines[i];
        return text;
    }

    std::size_t call_mark_ = 0;
    std::size_t log_mark_ = 0;
};

}  // namespace tarn::test
