// Wiring of the audio parts.
#include "audio_engine.h"

namespace marvolen::audio {

AudioEngine::AudioEngine(Reporter& reporter, ResourceAccess& resources, AudioOutput::Device device,
                         QString soundFontPath, std::function<void()> noDevice)
    : m_media(std::move(soundFontPath)), m_output(m_mixer, device, std::move(noDevice)),
      m_effects(m_mixer, resources, reporter, [this] { m_output.wake(); }) {
    m_mixer.setMusicSource(&m_media);
    m_media.setWakeRenderer([this] { m_output.wake(); });
}

AudioEngine::~AudioEngine() {
    // The output stops pulling before the music it pulls from goes, and FluidSynth is freed on
    // the thread that rendered with it.
    m_output.runOnThread([this] {
        m_mixer.setMusicSource(nullptr);
        m_media.release();
    });
}

} // namespace marvolen::audio
