// The sound-effects switch and the background music: modes, tune choice and the watcher.
#pragma once

#include "media_service.h"
#include "resource_access.h"

#include "core/failure.h"
#include "core/random.h"
#include "core/temp_folder.h"

#include <QString>
#include <QStringList>

#include <cstdint>

namespace marvolen::audio {

/// What the music logic needs from its owner.
class MusicHost {
  public:
    virtual ~MusicHost() = default;
    /// Enables or disables the music watcher (Timer2, 1000 ms).
    virtual void setWatcherEnabled(bool enabled) = 0;
    /// Lets pending window events run once.
    virtual void processPendingEvents() = 0;
};

/// The music modes by what they do; the value is the item's index in the music menu and the
/// stored "PlayMusic".
namespace MusicMode {
enum : int { Off, Once, Loop };
inline constexpr int Count = 3;
} // namespace MusicMode

/// Holds MusicOn, MusicLoop, LastTune and MidiFilePath: starts and stops tunes for a music
/// mode and watches a playing tune. Tunes are "MIDI" 101 to 106, each written to its own temporary
/// file.
class MusicLogic {
  public:
    MusicLogic(MusicHost& host, MediaCommands& media, TempFolder& temp, Random& random,
               Reporter& reporter, ResourceAccess& resources);

    bool musicOn() const { return m_musicOn; }
    bool musicLoop() const { return m_musicLoop; }
    std::int16_t lastTune() const { return m_lastTune; }
    const QString& midiFilePath() const { return m_midiFilePath; }

    /// Picks a tune other than the last, writes it to a new "~rs" file, opens and plays it.
    /// Has no handler of its own: a failure goes to the handler that ran it.
    void StartMusic();
    /// Applies music mode index (a MusicMode); any other index changes nothing.
    /// Failures go to the handler that ran it.
    void setMode(int index);
    /// The watcher's tick: closes an ended tune, then stops or starts the next.
    void Timer2_Timer();
    /// The main window's unload: closes a tune, stops the watcher, deletes the tune files.
    void closeOnUnload();

  private:
    void closeTune();
    /// After the service refused to open the file just written: deletes that file and goes
    /// back to openTune, the file of the tune still open (or none).
    void forgetRefusedTune(const QString& openTune);
    void deleteTuneFiles();

    MusicHost& m_host;
    MediaCommands& m_media;
    TempFolder& m_temp;
    Random& m_random;
    Reporter& m_reporter;
    ResourceAccess& m_resources;

    bool m_musicOn = false;
    bool m_musicLoop = false;
    std::int16_t m_lastTune = 0;
    QString m_midiFilePath;
    // Files written since the last close: the open tune's. A file whose open the service
    // refused is deleted at once, so at most one more is here for a moment.
    QStringList m_tuneFiles;
};

} // namespace marvolen::audio
