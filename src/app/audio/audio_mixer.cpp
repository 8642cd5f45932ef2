// Mixing the effect over the music, with linear resampling of the effect.
#include "audio_mixer.h"

#include <algorithm>
#include <cstring>
#include <vector>

namespace marvolen::audio {

namespace {
// Effects sit a little below full scale so that they rarely clip over the music.
constexpr int EffectGainPercent = 80;
} // namespace

void AudioMixer::setMusicSource(MusicSource* source) {
    std::lock_guard lock(m_lock);
    m_music = source;
}

bool AudioMixer::effectSounding() const {
    std::lock_guard lock(m_lock);
    return m_effectOn;
}

bool AudioMixer::active() const {
    std::lock_guard lock(m_lock);
    return m_effectOn || (m_music && m_music->musicActive());
}

void AudioMixer::maintain() {
    std::lock_guard lock(m_lock);
    if (m_music)
        m_music->maintain();
}

void AudioMixer::playEffect(WaveSound sound) {
    std::lock_guard lock(m_lock);
    m_effect = std::move(sound);
    m_effectPos = 0;
    m_effectStep = m_effect.sampleRate > 0
                       ? (std::uint64_t(m_effect.sampleRate) << 32) / std::uint64_t(OutputRate)
                       : 0;
    m_effectOn = m_effectStep > 0 && !m_effect.samples.empty();
}

void MusicSource::skipMusic(int frames) {
    std::vector<std::int16_t> scratch(std::size_t(std::max(frames, 0)) * OutputChannels);
    renderMusic(scratch.data(), frames);
}

void AudioMixer::stopEffect() {
    std::lock_guard lock(m_lock);
    stopEffectLocked();
}

void AudioMixer::stopEffectLocked() {
    m_effectOn = false;
    m_effect = WaveSound{};
}

void AudioMixer::render(std::int16_t* out, int frames) {
    if (frames <= 0)
        return;
    std::lock_guard lock(m_lock);
    if (!m_music || !m_music->renderMusic(out, frames))
        std::memset(out, 0, std::size_t(frames) * BytesPerFrame);
    if (!m_effectOn)
        return;

    const std::vector<std::int16_t>& s = m_effect.samples;
    const std::uint64_t count = s.size();
    for (int i = 0; i < frames; ++i) {
        const std::uint64_t index = m_effectPos >> 32;
        if (index >= count) {
            stopEffectLocked();
            return;
        }
        const int frac = int((m_effectPos >> 16) & 0xFFFF);
        const int a = s[index];
        const int b = index + 1 < count ? s[index + 1] : 0;
        const int sample =
            int((a + ((std::int64_t(b - a) * frac) >> 16)) * EffectGainPercent / 100);
        for (int c = 0; c < OutputChannels; ++c) {
            std::int16_t& o = out[i * OutputChannels + c];
            o = std::int16_t(std::clamp(o + sample, -32768, 32767));
        }
        m_effectPos += m_effectStep;
    }
}

void AudioMixer::skip(int frames) {
    if (frames <= 0)
        return;
    std::lock_guard lock(m_lock);
    if (m_music)
        m_music->skipMusic(frames);
    if (!m_effectOn)
        return;
    m_effectPos += m_effectStep * std::uint64_t(frames);
    if ((m_effectPos >> 32) >= m_effect.samples.size())
        stopEffectLocked();
}

} // namespace marvolen::audio
