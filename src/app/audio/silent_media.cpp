// Tunes without sound: the same answers as the real service, the clock in place of the synth.
#include "silent_media.h"

#include "mci_command.h"
#include "midi_file.h"

#include <QFile>
#include <QFileInfo>

#include <algorithm>

namespace marvolen::audio {

MciReply SilentMedia::mciSendString(const QString& command) {
    using Verb = MciCommand::Verb;
    const MciCommand c = parseMciCommand(command);
    if (c.verb == Verb::Unknown)
        return {mci::UnknownCommand, {}};
    if (c.verb == Verb::Open) {
        if (m_open)
            return {mci::AliasInUse, {}};
        QFile file(c.path);
        if (!QFileInfo(c.path).isFile() || !file.open(QIODevice::ReadOnly))
            return {mci::FileNotFound, {}};
        const std::optional<MidiFileInfo> info = readMidiFile(file.readAll());
        if (!info)
            return {mci::InvalidFile, {}};
        m_open = true;
        m_playing = false;
        m_alias = c.alias;
        m_lengthMs = info->lengthMs;
        return {};
    }
    if (!m_open || m_alias.compare(c.alias, Qt::CaseInsensitive) != 0)
        return {mci::UnknownAlias, c.verb == Verb::Status ? QStringLiteral("0") : QString()};
    switch (c.verb) {
    case Verb::Play:
        if (!m_playing) {
            m_playing = true;
            m_clock.start();
        }
        return {};
    case Verb::Close:
        m_open = m_playing = false;
        return {};
    case Verb::Status:
        if (c.item == QLatin1String("length"))
            return {0, QString::number(m_lengthMs)};
        if (c.item == QLatin1String("position"))
            return {0, QString::number(
                           m_playing ? std::min<std::int64_t>(m_clock.elapsed(), m_lengthMs) : 0)};
        return {mci::UnknownCommand, {}};
    default:
        return {mci::UnknownCommand, {}};
    }
}

} // namespace marvolen::audio
