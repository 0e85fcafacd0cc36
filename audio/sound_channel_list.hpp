#pragma once

#include "audio/sound_channel.hpp"

namespace tarn {

// The channels that play or fade out, in the order they started; linked through the channels
// themselves, so keeping the list never allocates.
class SoundChannelList {
public:
    SoundChannel* first() const { return first_; }
    static SoundChannel* next(const SoundChannel& channel) { return channel.next_; }

    void append(SoundChannel& channel) {
        channel.previous_ = last_;
        channel.next_ = nullptr;
        (last_ != nullptr ? last_->next_ : first_) = &channel;
        last_ = &channel;
    }
    void remove(SoundChannel& channel) {
        (channel.previous_ != nullptr ? channel.previous_->next_ : first_) = channel.next_;
        (channel.next_ != nullptr ? channel.next_->previous_ : last_) = channel.previous_;
        channel.previous_ = channel.next_ = nullptr;
    }

private:
    SoundChannel* first_ = nullptr;
    SoundChannel* last_ = nullptr;
};

}  // namespace tarn
