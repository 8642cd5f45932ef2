// Renders every effect and tune to WAV files, so they can be listened to without the game.
#include "generators.h"

#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <fluidsynth.h>

#include <cstdint>
#include <cstdio>
#include <vector>

namespace gen {
namespace {

constexpr int kRenderRate = 44100;
constexpr int kTailSeconds = 2; // lets the last notes and the reverb die away

void putLE(QByteArray& b, std::uint32_t v, int bytes) {
    for (int i = 0; i < bytes; ++i)
        b.append(static_cast<char>((v >> (8 * i)) & 0xFF));
}

QByteArray stereoWave(const std::vector<std::int16_t>& samples) {
    const auto dataSize = static_cast<std::uint32_t>(samples.size() * 2);
    QByteArray b;
    b.append("RIFF");
    putLE(b, 36 + dataSize, 4);
    b.append("WAVEfmt ");
    putLE(b, 16, 4);
    putLE(b, 1, 2);
    putLE(b, 2, 2);
    putLE(b, kRenderRate, 4);
    putLE(b, kRenderRate * 4, 4);
    putLE(b, 4, 2);
    putLE(b, 16, 2);
    b.append("data");
    putLE(b, dataSize, 4);
    for (std::int16_t v : samples)
        putLE(b, static_cast<std::uint16_t>(v), 2);
    return b;
}

/// Plays the file through FluidSynth as fast as it can compute, timed by the samples made.
bool renderTune(const QString& midiPath, const QString& wavPath) {
    fluid_settings_t* settings = new_fluid_settings();
    fluid_settings_setnum(settings, "synth.sample-rate", kRenderRate);
    fluid_settings_setstr(settings, "player.timing-source", "sample");
    fluid_settings_setint(settings, "synth.lock-memory", 0);
    // The game's music player uses these, so the files sound as the game will.
    fluid_settings_setnum(settings, "synth.gain", 0.5);
    fluid_settings_setnum(settings, "synth.reverb.room-size", 0.4);
    fluid_settings_setnum(settings, "synth.reverb.level", 0.35);
    fluid_synth_t* synth = new_fluid_synth(settings);
    bool ok = fluid_synth_sfload(synth, MARVOLEN_SOUNDFONT, 1) != FLUID_FAILED;
    fluid_player_t* player = ok ? new_fluid_player(synth) : nullptr;
    ok = ok && fluid_player_add(player, QFile::encodeName(midiPath).constData()) == FLUID_OK &&
         fluid_player_play(player) == FLUID_OK;
    std::vector<std::int16_t> samples;
    if (ok) {
        constexpr int kBlock = 1024;
        std::vector<std::int16_t> block(kBlock * 2);
        auto pull = [&] {
            fluid_synth_write_s16(synth, kBlock, block.data(), 0, 2, block.data(), 1, 2);
            samples.insert(samples.end(), block.begin(), block.end());
        };
        while (fluid_player_get_status(player) == FLUID_PLAYER_PLAYING)
            pull();
        for (int i = 0; i < kTailSeconds * kRenderRate / kBlock; ++i)
            pull();
    }
    if (player)
        delete_fluid_player(player);
    delete_fluid_synth(synth);
    delete_fluid_settings(settings);
    if (!ok)
        return false;
    QFile f(wavPath);
    const QByteArray bytes = stereoWave(samples);
    return f.open(QIODevice::WriteOnly | QIODevice::Truncate) && f.write(bytes) == bytes.size();
}

} // namespace

void renderAudio(const QDir& out) {
    out.mkpath(QStringLiteral("."));
    QTemporaryDir work;
    if (!work.isValid()) {
        std::fprintf(stderr, "cannot make a temporary folder for the sounds\n");
        return;
    }
    QDir dir(work.path());
    Entries entries;
    writeSounds(dir, entries);
    writeTunes(dir, entries);
    const bool haveFont = QFileInfo::exists(QStringLiteral(MARVOLEN_SOUNDFONT));
    if (!haveFont)
        std::fprintf(stderr, "Soundfont %s not found: the tunes are not rendered.\n",
                     MARVOLEN_SOUNDFONT);
    for (const auto& [alias, file] : entries) {
        const QString id = alias.section(QLatin1Char('/'), 1);
        const QString source = dir.filePath(file);
        if (alias.startsWith(QLatin1String("WAV/"))) {
            const QString target = out.filePath(QStringLiteral("wav_%1.wav").arg(id));
            QFile::remove(target);
            if (!QFile::copy(source, target))
                std::fprintf(stderr, "cannot write %s\n", qPrintable(target));
        } else if (alias.startsWith(QLatin1String("MIDI/")) && haveFont) {
            const QString target = out.filePath(QStringLiteral("tune_%1.wav").arg(id));
            if (!renderTune(source, target))
                std::fprintf(stderr, "cannot render %s\n", qPrintable(target));
        }
    }
}

} // namespace gen
