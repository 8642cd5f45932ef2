// The MIDI media service: command parsing, tune state, and FluidSynth rendering.
#include "media_service.h"

#include "mci_command.h"
#include "midi_file.h"

#include <QFile>
#include <QFileInfo>

#include <fluidsynth.h>

#include <algorithm>
#include <cstring>
#include <mutex>
#include <vector>

namespace marvolen::audio {

namespace {

// After the last event the notes still ring out and the reverb fades; then rendering stops.
constexpr std::int64_t TailFrames = OutputRate * 3 / 2;

void silenceFluidLog() {
    static std::once_flag once;
    std::call_once(once, [] {
        for (int level : {FLUID_PANIC, FLUID_ERR, FLUID_WARN, FLUID_INFO, FLUID_DBG})
            fluid_set_log_function(level, nullptr, nullptr);
    });
}

} // namespace

struct MidiMediaService::Synth {
    fluid_settings_t* settings = nullptr;
    fluid_synth_t* synth = nullptr;
    ~Synth() {
        if (synth)
            delete_fluid_synth(synth);
        if (settings)
            delete_fluid_settings(settings);
    }
};

struct MidiMediaService::Tune {
    enum class State { Opened, Playing, Ended };
    QString alias;
    QByteArray bytes;
    std::int64_t lengthMs = 0;
    std::int64_t lengthFrames = 0;
    std::int64_t frames = 0; // rendered since play
    State state = State::Opened;
    fluid_player_t* player = nullptr;
    bool playerTried = false;
    bool notesReleased = false;
};

MidiMediaService::MidiMediaService(QString soundFontPath)
    : m_soundFontPath(std::move(soundFontPath)) {}

MidiMediaService::~MidiMediaService() {
    release();
}

void MidiMediaService::noteFluidCall() const {
    ++m_fluidCalls;
    if (std::this_thread::get_id() == m_ownerThread)
        ++m_callsOnOwnerThread;
}

// ---- commands ----

MciReply MidiMediaService::mciSendString(const QString& command) {
    using Verb = MciCommand::Verb;
    const MciCommand c = parseMciCommand(command);
    std::lock_guard lock(m_lock);
    if (c.verb == Verb::Unknown)
        return {mci::UnknownCommand, {}};
    if (c.verb == Verb::Open)
        return open(c.path, c.alias);
    if (!m_tune || m_tune->alias.compare(c.alias, Qt::CaseInsensitive) != 0) {
        // Nothing open under that name: the status of nothing reads as 0.
        return {mci::UnknownAlias, c.verb == Verb::Status ? QStringLiteral("0") : QString()};
    }
    if (c.verb == Verb::Play)
        return play();
    if (c.verb == Verb::Close)
        return close();
    return status(c.item);
}

MciReply MidiMediaService::open(const QString& path, const QString& alias) {
    if (m_tune)
        return {mci::AliasInUse, {}}; // the open tune plays on untouched
    QFile file(path);
    if (!QFileInfo(path).isFile() || !file.open(QIODevice::ReadOnly))
        return {mci::FileNotFound, {}};
    QByteArray bytes = file.readAll();
    const std::optional<MidiFileInfo> info = readMidiFile(bytes);
    if (!info)
        return {mci::InvalidFile, {}};
    auto tune = std::make_unique<Tune>();
    tune->alias = alias;
    tune->bytes = std::move(bytes);
    tune->lengthMs = info->lengthMs;
    tune->lengthFrames = info->lengthMs * OutputRate / 1000;
    m_tune = std::move(tune);
    loadSoundFontLocked();
    return {};
}

MciReply MidiMediaService::play() {
    if (m_tune->state == Tune::State::Opened) {
        m_tune->state = Tune::State::Playing;
        if (m_wakeRenderer)
            m_wakeRenderer();
    }
    return {};
}

MciReply MidiMediaService::status(const QString& item) const {
    if (item == QLatin1String("length"))
        return {0, QString::number(m_tune->lengthMs)};
    if (item == QLatin1String("position")) {
        const std::int64_t ms = m_tune->frames * 1000 / OutputRate;
        return {0, QString::number(std::min(ms, m_tune->lengthMs))};
    }
    return {mci::UnknownCommand, {}};
}

MciReply MidiMediaService::close() {
    const bool sounded = m_tune->playerTried;
    retireTune();
    if (sounded && m_wakeRenderer)
        m_wakeRenderer(); // its notes still ring until the rendering thread stops them
    return {};
}

// ---- the soundfont ----

std::unique_ptr<MidiMediaService::Synth> MidiMediaService::makeSynth(const QString& path) {
    silenceFluidLog();
    if (!QFileInfo(path).isFile())
        return nullptr;
    auto synth = std::make_unique<MidiMediaService::Synth>();
    synth->settings = new_fluid_settings();
    if (!synth->settings)
        return nullptr;
    fluid_settings_t* s = synth->settings;
    fluid_settings_setnum(s, "synth.sample-rate", OutputRate);
    fluid_settings_setstr(s, "audio.driver", "none"); // we render ourselves
    fluid_settings_setstr(s, "player.timing-source", "sample");
    fluid_settings_setint(s, "synth.lock-memory", 0);
    fluid_settings_setint(s, "synth.reverb.active", 1);
    fluid_settings_setnum(s, "synth.reverb.room-size", 0.4);
    fluid_settings_setnum(s, "synth.reverb.level", 0.35);
    fluid_settings_setint(s, "synth.chorus.active", 1);
    fluid_settings_setnum(s, "synth.chorus.level", 0.8);
    fluid_settings_setnum(s, "synth.gain", 0.5);
    // Only the samples of the instruments a tune selects are read into memory, not the whole
    // soundfont.
    fluid_settings_setint(s, "synth.dynamic-sample-loading", 1);
    // The game's tunes need at most 100 voices at once, releases included: with Polyphony they
    // sound exactly as with the default 256 (the same samples), at less memory. Fewer would
    // cut notes short.
    fluid_settings_setint(s, "synth.polyphony", Polyphony);
    synth->synth = new_fluid_synth(s);
    if (!synth->synth)
        return nullptr;
    const QByteArray file = QFile::encodeName(path);
    if (fluid_synth_sfload(synth->synth, file.constData(), 1) == FLUID_FAILED)
        return nullptr;
    return synth;
}

void MidiMediaService::loadSoundFont() {
    std::lock_guard lock(m_lock);
    loadSoundFontLocked();
}

void MidiMediaService::loadSoundFontLocked() {
    if (m_soundFontState != SoundFontState::NotLoaded)
        return;
    if (!QFileInfo(m_soundFontPath).isFile()) {
        m_soundFontState = SoundFontState::Missing; // known at once: no thread needed
        if (m_soundFontMissing)
            m_soundFontMissing();
        return;
    }
    m_soundFontState = SoundFontState::Loading;
    m_loading = std::async(std::launch::async, [path = m_soundFontPath] {
                    return std::shared_ptr<Synth>(makeSynth(path));
                }).share();
}

void MidiMediaService::pollSoundFont() const {
    if (m_soundFontState != SoundFontState::Loading)
        return;
    if (m_loading.wait_for(std::chrono::seconds(0)) != std::future_status::ready)
        return;
    m_synth = m_loading.get();
    m_soundFontState = m_synth ? SoundFontState::Ready : SoundFontState::Missing;
    if (!m_synth && m_soundFontMissing)
        m_soundFontMissing();
}

bool MidiMediaService::waitForSoundFont() {
    std::shared_future<std::shared_ptr<Synth>> loading;
    {
        std::lock_guard lock(m_lock);
        loadSoundFontLocked();
        loading = m_loading;
    }
    if (loading.valid())
        loading.wait();
    std::lock_guard lock(m_lock);
    pollSoundFont();
    return m_soundFontState == SoundFontState::Ready;
}

MidiMediaService::SoundFontState MidiMediaService::soundFontState() const {
    std::lock_guard lock(m_lock);
    pollSoundFont();
    return m_soundFontState;
}

// ---- rendering ----

void MidiMediaService::startPlayer() {
    noteFluidCall();
    m_tune->playerTried = true;
    fluid_player_t* player = new_fluid_player(m_synth->synth);
    if (!player)
        return;
    if (fluid_player_add_mem(player, m_tune->bytes.constData(),
                             std::size_t(m_tune->bytes.size())) != FLUID_OK ||
        fluid_player_play(player) != FLUID_OK) {
        // FluidSynth will not play what we accepted: the tune runs its time in silence.
        delete_fluid_player(player);
        return;
    }
    m_tune->player = player;
}

void MidiMediaService::retireTune() {
    if (m_tune && m_tune->playerTried)
        m_retired.push_back(std::move(m_tune));
    m_tune.reset();
}

void MidiMediaService::stopRetired() {
    if (m_retired.empty())
        return;
    noteFluidCall();
    for (const std::unique_ptr<Tune>& tune : m_retired) {
        if (tune->player) {
            fluid_player_stop(tune->player);
            delete_fluid_player(tune->player);
        }
    }
    m_retired.clear();
    if (m_synth)
        fluid_synth_all_sounds_off(m_synth->synth, -1);
}

void MidiMediaService::maintain() {
    std::lock_guard lock(m_lock);
    stopRetired();
}

void MidiMediaService::release() {
    std::shared_future<std::shared_ptr<Synth>> loading;
    {
        std::lock_guard lock(m_lock);
        retireTune();
        stopRetired();
        loading = m_loading;
    }
    if (loading.valid())
        loading.wait();
    std::lock_guard lock(m_lock);
    if (m_synth || (m_loading.valid() && m_loading.get()))
        noteFluidCall();
    m_loading = {};
    m_synth.reset();
}

bool MidiMediaService::musicActive() const {
    std::lock_guard lock(m_lock);
    // Also while the soundfont is still loading: the output must keep asking, or the tune
    // would never notice that its instruments have arrived.
    return m_tune && m_tune->state == Tune::State::Playing;
}

bool MidiMediaService::renderMusic(std::int16_t* out, int frames) {
    std::lock_guard lock(m_lock);
    return out && moveOn(out, frames);
}

void MidiMediaService::skipMusic(int frames) {
    std::lock_guard lock(m_lock);
    moveOn(nullptr, frames);
}

bool MidiMediaService::moveOn(std::int16_t* out, int frames) {
    stopRetired();
    if (frames <= 0 || !m_tune || m_tune->state != Tune::State::Playing)
        return false;
    pollSoundFont();
    if (m_soundFontState == SoundFontState::Loading)
        return false; // the tune waits for its instruments; its time has not begun
    Tune& tune = *m_tune;
    if (m_synth && !tune.playerTried)
        startPlayer();

    bool sounded = false;
    if (m_synth && tune.playerTried && out) {
        noteFluidCall();
        fluid_synth_write_s16(m_synth->synth, frames, out, 0, OutputChannels, out, 1,
                              OutputChannels);
        m_mostVoices.store(std::max(m_mostVoices.load(std::memory_order_relaxed),
                                    fluid_synth_get_active_voice_count(m_synth->synth)),
                           std::memory_order_relaxed);
        sounded = true;
    }
    tune.frames += frames;
    if (tune.frames >= tune.lengthFrames && !tune.notesReleased) {
        tune.notesReleased = true;
        noteFluidCall();
        if (tune.player)
            fluid_player_stop(tune.player);
        if (m_synth && tune.playerTried)
            fluid_synth_all_notes_off(m_synth->synth, -1);
    }
    if (tune.frames >= tune.lengthFrames + TailFrames) {
        if (tune.player) {
            noteFluidCall();
            fluid_player_stop(tune.player);
            delete_fluid_player(tune.player);
            tune.player = nullptr;
        }
        if (m_synth && tune.playerTried)
            fluid_synth_all_sounds_off(m_synth->synth, -1);
        tune.state = Tune::State::Ended;
    }
    return sounded;
}

void MidiMediaService::advance(int milliseconds) {
    std::vector<std::int16_t> scratch(std::size_t(1024) * OutputChannels);
    std::int64_t left = std::int64_t(milliseconds) * OutputRate / 1000;
    while (left > 0) {
        const int n = int(std::min<std::int64_t>(left, 1024));
        renderMusic(scratch.data(), n);
        left -= n;
    }
}

} // namespace marvolen::audio
