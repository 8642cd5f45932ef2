// Wiring of the audio parts.
#include "audio_engine.h"

namespace marvolen::audio {

AudioEngine::AudioEngine(Reporter& reporter, ResourceAccess& resources, AudioOutput::Device device,
                         QString soundFontPath, std::function<void(AudioOutput::ServerNews)> news,
                         std::string server, std::chrono::milliseconds retryEvery)
    : m_media(std::move(soundFontPath)),
      m_output(m_mixer, device, std::move(news), std::move(server), retryEvery),
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
