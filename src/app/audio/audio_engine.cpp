// Wiring of the audio parts.
#include "audio_engine.h"

namespace marvolen::audio {

AudioEngine::AudioEngine(Reporter& reporter, ResourceAccess& resources, AudioOutput::Device device,
                         QString soundFontPath)
    : m_media(std::move(soundFontPath)), m_output(m_mixer, device),
      m_effects(m_mixer, resources, reporter, [this] { m_output.wake(); }) {
    m_mixer.setMusicSource(&m_media);
    m_media.setPlayStarted([this] { m_output.wake(); });
}

AudioEngine::~AudioEngine() {
    // The output stops pulling before the music it pulls from goes.
    m_mixer.setMusicSource(nullptr);
}

} // namespace marvolen::audio
