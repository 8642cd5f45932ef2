// Everything that sounds, wired together: mixer, output, effects and the MIDI media service.
#pragma once

#include "audio_mixer.h"
#include "audio_output.h"
#include "media_service.h"
#include "sound_effects.h"

namespace marvolen::audio {

/// One per program, made by the audio module. Construction opens no device, starts no thread and
/// loads no soundfont; the output opens with the first sound, the soundfont loads with the first
/// tune. Mixing and synthesis run on the output's thread.
class AudioEngine {
  public:
    AudioEngine(Reporter& reporter, ResourceAccess& resources,
                AudioOutput::Device device = AudioOutput::Device::System,
                QString soundFontPath = QString::fromLatin1(DefaultSoundFont),
                std::function<void(AudioOutput::ServerNews)> news = {}, std::string server = {},
                std::chrono::milliseconds retryEvery = AudioOutput::DefaultRetry);
    ~AudioEngine();

    SoundEffects& effects() { return m_effects; }
    MidiMediaService& media() { return m_media; }
    AudioMixer& mixer() { return m_mixer; }
    AudioOutput& output() { return m_output; }

  private:
    AudioMixer m_mixer;
    MidiMediaService m_media;
    AudioOutput m_output;
    SoundEffects m_effects;
};

} // namespace marvolen::audio
