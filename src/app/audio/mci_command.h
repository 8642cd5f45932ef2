// The command strings of the media service, read once for the real service and the silent one.
#pragma once

#include <QString>

namespace marvolen::audio {

/// One command as the media service understands it; Unknown for anything else.
struct MciCommand {
    enum class Verb { Unknown, Open, Play, Close, Status };
    Verb verb = Verb::Unknown;
    QString path;  ///< Open: the file
    QString alias; ///< every verb: the name the tune is opened under
    QString item;  ///< Status: what is asked, in lower case
};

/// Reads "open sequencer!<path> alias <name>", "play <name>", "close <name>" and
/// "status <name> <item>", with any case in the keywords and blanks around the words.
MciCommand parseMciCommand(const QString& command);

} // namespace marvolen::audio
