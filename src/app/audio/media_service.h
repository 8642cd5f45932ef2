// The media service of the background music: command strings in, MIDI rendered by FluidSynth.
#pragma once

#include "audio_mixer.h"

#include <QByteArray>
#include <QString>

#include <atomic>
#include <functional>
#include <future>
#include <memory>
#include <mutex>
#include <thread>
#include <vector>

namespace marvolen::audio {

/// Where the General MIDI soundfont is installed by default.
inline constexpr char DefaultSoundFont[] = "/usr/share/sounds/sf2/default-GM.sf2";
/// Voices FluidSynth may sound at once.
inline constexpr int Polyphony = 128;

/// What a command answers: an error number (0 for success) and the reply text.
struct MciReply {
    int error = 0;
    QString text;
};

/// Error numbers of the media service.
namespace mci {
constexpr int UnknownCommand = 261;
constexpr int AliasInUse = 289;
constexpr int UnknownAlias = 263;
constexpr int FileNotFound = 275;
constexpr int InvalidFile = 296;
} // namespace mci

/// The command-string interface the music logic talks to; tests record what it is sent.
class MediaCommands {
  public:
    virtual ~MediaCommands() = default;
    virtual MciReply mciSendString(const QString& command) = 0;
};

/// Plays one Standard MIDI File at a time under an alias. Understands:
///   "open sequencer!<path> alias <name>"  reads the file; refused while a tune is open
///   "play <name>"                         starts it; a tune that has ended stays silent
///   "status <name> length"                its length in milliseconds, decimal text
///   "status <name> position"              milliseconds played so far, up to the length
///   "close <name>"                        stops it and frees it
/// Time is the music frames rendered (renderMusic), so a tune runs as fast as it is pulled:
/// in real time from the sound device, faster in tests. Without a soundfont the music is
/// silent but time passes and the commands answer the same. The soundfont is loaded in the
/// background when the first tune is opened, never on construction.
///
/// Commands come from the window's thread and only change the tune's state; every FluidSynth
/// call is made by the thread that renders (renderMusic, skipMusic, maintain, release), so the
/// window never waits for synthesis. All members are safe to call from both threads.
class MidiMediaService final : public MediaCommands, public MusicSource {
  public:
    enum class SoundFontState { NotLoaded, Loading, Ready, Missing };

    explicit MidiMediaService(QString soundFontPath = QString::fromLatin1(DefaultSoundFont));
    ~MidiMediaService() override;
    MidiMediaService(const MidiMediaService&) = delete;
    MidiMediaService& operator=(const MidiMediaService&) = delete;

    MciReply mciSendString(const QString& command) override;

    bool renderMusic(std::int16_t* out, int frames) override;
    bool musicActive() const override;
    /// Keeps the tune's time without synthesizing: nobody hears it.
    void skipMusic(int frames) override;
    /// Stops the notes of a closed tune and frees its player.
    void maintain() override;
    /// Closes the tune and frees everything FluidSynth holds, on the calling thread: the
    /// rendering thread's last work before the service goes.
    void release();

    /// Called whenever a tune starts playing or is closed, so that the rendering thread starts
    /// pulling or stops the closed tune's notes.
    void setWakeRenderer(std::function<void()> callback) { m_wakeRenderer = std::move(callback); }
    /// Called once when the soundfont turns out missing or unreadable: the music is silent.
    void setSoundFontMissing(std::function<void()> callback) {
        m_soundFontMissing = std::move(callback);
    }

    /// Starts loading the soundfont in the background, if not yet begun.
    void loadSoundFont();
    /// Blocks until the soundfont is loaded or known missing (tests, benchmarks); true if ready.
    bool waitForSoundFont();
    SoundFontState soundFontState() const;

    /// Renders the given time of music and throws it away: tests and benchmarks move the
    /// virtual clock with it.
    void advance(int milliseconds);

    /// FluidSynth calls made so far in all, and on the thread that made the service (the
    /// window's).
    int fluidCalls() const { return m_fluidCalls.load(); }
    int callsOnOwnerThread() const { return m_callsOnOwnerThread.load(); }
    /// The most voices that sounded at once so far: below Polyphony, no note was cut short.
    int mostVoices() const { return m_mostVoices.load(); }

  private:
    struct Synth;
    struct Tune;

    MciReply open(const QString& path, const QString& alias);
    MciReply play();
    MciReply status(const QString& item) const;
    MciReply close();
    static std::unique_ptr<Synth> makeSynth(const QString& path);
    void loadSoundFontLocked();
    void pollSoundFont() const;
    void startPlayer();
    void retireTune();
    void stopRetired();
    void noteFluidCall() const;
    /// Moves the playing tune on by frames, synthesizing them into out unless it is null.
    bool moveOn(std::int16_t* out, int frames);

    mutable std::recursive_mutex m_lock;
    const std::thread::id m_ownerThread = std::this_thread::get_id();
    mutable std::atomic<int> m_fluidCalls{0};
    mutable std::atomic<int> m_callsOnOwnerThread{0};
    std::atomic<int> m_mostVoices{0};
    QString m_soundFontPath;
    mutable std::shared_future<std::shared_ptr<Synth>> m_loading;
    mutable std::shared_ptr<Synth> m_synth;
    mutable SoundFontState m_soundFontState = SoundFontState::NotLoaded;
    std::unique_ptr<Tune> m_tune;
    // Closed tunes whose player the rendering thread has yet to stop and free.
    std::vector<std::unique_ptr<Tune>> m_retired;
    std::function<void()> m_wakeRenderer;
    std::function<void()> m_soundFontMissing;
};

} // namespace marvolen::audio
