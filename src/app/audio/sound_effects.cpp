// PlayWAV on the mixer.
#include "sound_effects.h"

#include "wave_sound.h"

#include "ids/resource_ids.h"

namespace marvolen::audio {

SoundEffects::SoundEffects(AudioMixer& mixer, ResourceAccess& resources, Reporter& reporter,
                           std::function<void()> played)
    : m_mixer(mixer), m_resources(resources), m_reporter(reporter), m_played(std::move(played)) {}

void SoundEffects::PlayWAV(std::int16_t id) {
    Procedure p(m_reporter, QStringLiteral("Allgemein"), QStringLiteral("PlayWAV"));
    p.step(50030, [&] { m_soundBuffer = m_resources.load(QLatin1String(ResourceType::Wave), id); });
    p.step(50040, [&] {
        // The mixer holds its own decoded copy, so the buffer may change under it freely.
        std::optional<WaveSound> sound = decodeWave(m_soundBuffer);
        if (!sound) {
            m_mixer.stopEffect();
            return;
        }
        m_mixer.playEffect(std::move(*sound));
        if (m_played)
            m_played();
    });
}

} // namespace marvolen::audio
