// The program's side of the audio module: loads it once sound is first needed, or runs silent.
#pragma once

#include "silent_media.h"
#include "sound_module.h"

#include <QString>
#include <QStringList>

#include <cstdint>
#include <functional>
#include <memory>

class QLibrary;

namespace marvolen::audio {

/// Stands for the audio module from the start: the music logic sends its commands here and the
/// windows their effects. The module (FluidSynth, the sound server's client and what they pull
/// in) is loaded by the first command or effect, so that the start window never waits for it nor
/// carries its memory; loading takes about 10 ms. When it cannot be loaded, the game runs
/// silent: tunes run their time in silence, the effects are skipped, and note() writes why, once.
class SoundLoader final : public MediaCommands {
  public:
    /// modulePath empty: the module next to the program, then in its installed folder.
    explicit SoundLoader(SoundSetup setup, QString modulePath = {});
    ~SoundLoader() override;

    /// Loads the module now if that was not tried yet; true when it is there.
    bool load();
    bool loaded() const { return m_system != nullptr; }

    MciReply mciSendString(const QString& command) override;
    /// PlayWAV through the module; nothing without it.
    void PlayWAV(std::int16_t id);

    /// Where the module is looked for: next to the program, then relative to it where the
    /// installation puts it.
    static QStringList defaultModulePaths();

  private:
    SoundSetup m_setup;
    QString m_modulePath;
    bool m_tried = false;
    std::unique_ptr<QLibrary> m_library;
    std::unique_ptr<SoundSystem> m_system;
    SilentMedia m_silent;
};

} // namespace marvolen::audio
