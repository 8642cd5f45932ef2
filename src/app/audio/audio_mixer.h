// The one mix the game sends out: the sound effect sounding now over the music.
#pragma once

#include "wave_sound.h"

#include <cstdint>
#include <mutex>

namespace marvolen::audio {

/// The output format everything is mixed to. The effects are recorded at 11025 Hz and below,
/// and the music holds nothing a player hears above 11 kHz; the server converts to the device.
inline constexpr int OutputRate = 22050;
inline constexpr int OutputChannels = 2;
inline constexpr int BytesPerFrame = OutputChannels * 2;

/// Something that renders music on demand, timed by the frames it is asked for.
class MusicSource {
  public:
    virtual ~MusicSource() = default;
    /// Renders frames of interleaved stereo into out (overwriting it) and returns true, or
    /// returns false, leaving out alone, when it has nothing to sound.
    virtual bool renderMusic(std::int16_t* out, int frames) = 0;
    /// True while asking for frames would sound or move a tune on.
    virtual bool musicActive() const = 0;
    /// Moves the music on by frames nobody will hear: rendered and dropped, unless the source
    /// can keep its time without rendering.
    virtual void skipMusic(int frames);
    /// Work left by commands for the rendering thread (stopping a closed tune's notes).
    virtual void maintain() {}
};

/// Mixes at OutputRate, stereo, 16 bit. The effect is resampled from its own rate; a new effect
/// replaces the one still sounding, as one voice of effects does. Effects are started from the
/// window's thread while the output's thread renders: every member is safe to call from both.
class AudioMixer {
  public:
    /// The music to mix under the effects; null for none. Not owned.
    void setMusicSource(MusicSource* source);

    /// Starts sound from its beginning, cutting off the effect still sounding.
    void playEffect(WaveSound sound);
    /// Silences the effect at once.
    void stopEffect();
    bool effectSounding() const;

    /// True while rendering would give anything but silence.
    bool active() const;
    /// Lets the music do the work its commands left for the rendering thread.
    void maintain();

    /// Fills frames of interleaved stereo: music, then the effect added with saturation.
    void render(std::int16_t* out, int frames);
    /// Moves music and effect on by frames, as render would, without making the sound.
    void skip(int frames);

  private:
    void stopEffectLocked();

    mutable std::mutex m_lock;
    MusicSource* m_music = nullptr;
    WaveSound m_effect;
    bool m_effectOn = false;
    std::uint64_t m_effectPos = 0;  // in source samples, 32.32 fixed point
    std::uint64_t m_effectStep = 0; // source samples per output frame, 32.32 fixed point
};

} // namespace marvolen::audio
