// PlayWAV: the short sound effects, played from memory over the music.
#pragma once

#include "audio_mixer.h"
#include "resource_access.h"

#include <QByteArray>

#include <cstdint>
#include <functional>

namespace marvolen::audio {

class SoundEffects {
  public:
    /// played: called after an effect has started, so that the output starts pulling.
    SoundEffects(AudioMixer& mixer, ResourceAccess& resources, Reporter& reporter,
                 std::function<void()> played = {});

    /// PlayWAV: loads resource "WAV" id into the sound buffer and starts it at once, cutting
    /// off the effect still sounding. Data that cannot be played is skipped without a sound or
    /// a message; a missing resource is reported (module "Allgemein", procedure "PlayWAV").
    /// Callers test SoundOn; this does not. The ids are named in ids/sound_ids.h (Sound::Click).
    void PlayWAV(std::int16_t id);

    /// The effect played last, as loaded.
    const QByteArray& soundBuffer() const { return m_soundBuffer; }

  private:
    AudioMixer& m_mixer;
    ResourceAccess& m_resources;
    Reporter& m_reporter;
    std::function<void()> m_played;
    QByteArray m_soundBuffer;
};

} // namespace marvolen::audio
