// Reading the media service's command strings.
#include "mci_command.h"

#include <QStringList>

namespace marvolen::audio {

MciCommand parseMciCommand(const QString& command) {
    MciCommand c;
    const QString text = command.trimmed();
    static const QString openPrefix = QStringLiteral("open sequencer!");
    if (text.startsWith(openPrefix, Qt::CaseInsensitive)) {
        const qsizetype aliasAt =
            text.lastIndexOf(QStringLiteral(" alias "), -1, Qt::CaseInsensitive);
        if (aliasAt < openPrefix.size())
            return c;
        c.path = text.mid(openPrefix.size(), aliasAt - openPrefix.size()).trimmed();
        c.alias = text.mid(aliasAt + 7).trimmed();
        if (!c.path.isEmpty() && !c.alias.isEmpty() && !c.alias.contains(QLatin1Char(' ')))
            c.verb = MciCommand::Verb::Open;
        return c;
    }
    const QStringList words = text.split(QLatin1Char(' '), Qt::SkipEmptyParts);
    if (words.size() < 2)
        return c;
    const QString verb = words[0].toLower();
    if (verb == QLatin1String("play") && words.size() == 2)
        c.verb = MciCommand::Verb::Play;
    else if (verb == QLatin1String("close") && words.size() == 2)
        c.verb = MciCommand::Verb::Close;
    else if (verb == QLatin1String("status") && words.size() == 3)
        c.verb = MciCommand::Verb::Status;
    else
        return c;
    c.alias = words[1];
    if (c.verb == MciCommand::Verb::Status)
        c.item = words[2].toLower();
    return c;
}

} // namespace marvolen::audio
