// Language lookup through the profile reader.
#include "language.h"

#include "core/cp1252.h"
#include "core/numbers.h"
#include "core/profile.h"

namespace marvolen::lang {

QString flagTooltip(int index) {
    switch (index) {
    case 0:
        return QStringLiteral("Deutsch");
    case 1:
        return QStringLiteral("English");
    case 2:
        return QStringLiteral("Español");
    case 3:
        return QStringLiteral("Italiano");
    case 6:
        return QStringLiteral("Français");
    default:
        throw Failure(err::NoSuchElement, QString::number(index));
    }
}

QString Language::GetLang(int k) const {
    QString result;
    Procedure p(m_reporter, QStringLiteral("Allgemein"), QStringLiteral("GetLang"));
    QByteArray key;
    p.step(50040, [&] { key = numbers::zeroPadded(k, 4).toLatin1(); });
    QByteArray value;
    p.step(50050, [&] {
        static const QByteArray blanks(255, ' ');
        if (m_filePath.isEmpty())
            value = profile::findValue(m_table, "Lang", key).value_or(QByteArray());
        else
            value = profile::readString(m_filePath, "Lang", key, blanks);
    });
    p.step(50060, [&] { result = cp1252::decode(value); });
    return result;
}

QString localeIdentifier(const QLocale& locale) {
    struct Entry {
        QLocale::Language language;
        QLocale::Territory territory;
        const char* id;
    };
    static const Entry table[] = {
        {QLocale::German, QLocale::Germany, "0407"},
        {QLocale::German, QLocale::Switzerland, "0807"},
        {QLocale::German, QLocale::Austria, "0c07"},
        {QLocale::German, QLocale::Luxembourg, "1007"},
        {QLocale::German, QLocale::Liechtenstein, "1407"},
        {QLocale::English, QLocale::UnitedStates, "0409"},
        {QLocale::English, QLocale::UnitedKingdom, "0809"},
        {QLocale::Spanish, QLocale::Spain, "0c0a"},
        {QLocale::Italian, QLocale::Italy, "0410"},
        {QLocale::French, QLocale::France, "040c"},
    };
    for (const Entry& e : table)
        if (e.language == locale.language() && e.territory == locale.territory())
            return QString::fromLatin1(e.id);
    // Any other locale: the neutral identifier, which chooses English like every other one.
    return QStringLiteral("0409");
}

std::int16_t offsetForLocaleIdentifier(const QString& identifier) {
    return identifier.left(4) == QLatin1String("0407") ? 0 : 1000;
}

std::optional<std::int16_t> aboutFlagChoice(int index, std::int16_t currentOffset) {
    const int offset = index * 1000;
    if (offset == currentOffset)
        return std::nullopt;
    return std::int16_t(offset);
}

} // namespace marvolen::lang
