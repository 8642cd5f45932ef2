// The audio module: FluidSynth and the sound server's client, loaded by the program only once it
// needs them.
#include "sound_module.h"
#include "audio_engine.h"

#include <QCoreApplication>

#include <memory>

namespace marvolen::audio {
namespace {

class EngineSystem final : public SoundSystem {
  public:
    explicit EngineSystem(const SoundSetup& setup)
        : m_engine(*setup.reporter, *setup.resources, setup.device, setup.soundFont,
                   serverNote(setup.note)) {
        if (setup.note) {
            const QString path = setup.soundFont;
            m_engine.media().setSoundFontMissing([note = setup.note, path] {
                note(QCoreApplication::translate(
                         "Marvolen",
                         "The soundfont %1 is missing or cannot be read: the music stays silent.")
                         .arg(path));
            });
        }
    }
    MediaCommands& media() override { return m_engine.media(); }
    void PlayWAV(std::int16_t id) override { m_engine.effects().PlayWAV(id); }

  private:
    static std::function<void(AudioOutput::ServerNews)>
    serverNote(const std::function<void(const QString&)>& note) {
        if (!note)
            return {};
        return [note](AudioOutput::ServerNews news) {
            switch (news) {
            case AudioOutput::ServerNews::Missing:
                note(QCoreApplication::translate(
                    "Marvolen", "No sound server answers: the game runs without sound effects "
                                "and music until one does."));
                return;
            case AudioOutput::ServerNews::Lost:
                note(QCoreApplication::translate(
                    "Marvolen", "The sound server went away: the game runs without sound "
                                "effects and music until it is back."));
                return;
            case AudioOutput::ServerNews::Back:
                note(QCoreApplication::translate(
                    "Marvolen", "The sound server is back: sound effects and music play again."));
                return;
            }
        };
    }

    AudioEngine m_engine;
};

} // namespace
} // namespace marvolen::audio

extern "C" Q_DECL_EXPORT marvolen::audio::SoundSystem*
marvolen_make_sound_system(int version, const marvolen::audio::SoundSetup* setup) {
    if (version != marvolen::audio::SoundModuleVersion || !setup || !setup->reporter ||
        !setup->resources)
        return nullptr;
    return new marvolen::audio::EngineSystem(*setup);
}
