// The language table lookup, the first choice of the language and the flag choice.
#pragma once

#include "core/failure.h"

#include <QByteArray>
#include <QLocale>
#include <QString>

#include <cstdint>
#include <optional>

namespace marvolen::lang {

/// Language offsets by flag index: 0 German, 1 English, 2 Spanish, 3 Italian, 6 French.
constexpr int kFlagIndices[] = {0, 1, 2, 3, 6};

/// The flag tooltips, the same in every language.
QString flagTooltip(int index);

/// The table lookup. Every call reads the language file anew; there is no cache. Without a
/// file path (no private folder could be made for it) the table is read from memory instead.
class Language {
  public:
    explicit Language(Reporter& reporter) : m_reporter(reporter) {}

    /// LanguageFilePath: the temporary language file, set once at start-up.
    const QString& LanguageFilePath() const { return m_filePath; }
    void setLanguageFilePath(const QString& path) { m_filePath = path; }

    /// The table's bytes, read by GetLang while LanguageFilePath is empty, so the game shows its
    /// texts even when it has nowhere to write the file.
    void setTableInMemory(const QByteArray& table) { m_table = table; }

    /// LanguageOffset: 0, 1000, 2000, 3000 or 6000.
    std::int16_t LanguageOffset() const { return m_offset; }
    void setLanguageOffset(std::int16_t offset) { m_offset = offset; }

    /// GetLang(k): the text of key k ("0000" form) in section "Lang", or the empty text when the
    /// file (or, without a file path, the table in memory) or the key is missing.
    QString GetLang(int k) const;

    /// GetLang(LanguageOffset + n); the string numbers n are named in ids/text_ids.h
    /// (text(Text::QuitQuestion)).
    QString text(int n) const { return GetLang(m_offset + n); }

  private:
    Reporter& m_reporter;
    QString m_filePath;
    QByteArray m_table;
    std::int16_t m_offset = 0;
};

/// The Windows language identifier of a locale, four hex digits ("0407" for German in Germany).
QString localeIdentifier(const QLocale& locale);

/// The offset the first start chooses: German only for "0407", English for everything else.
std::int16_t offsetForLocaleIdentifier(const QString& identifier);

/// The first choice of the language, run each time the About window becomes active: at the
/// first start (StartVal 0) from the locale identifier, stored plainly under "Sprache";
/// otherwise the stored "Sprache". StartVal is then counted up. Settings is any store with
/// startVal(), sprache(), setSprachePlain() and setStartVal(); its reads may throw Failure.
template <class Settings>
void chooseLanguage(Language& language, Settings& settings, const QString& localeId,
                    Reporter& reporter) {
    Procedure p(reporter, QStringLiteral("frmInfo"), QStringLiteral("Form_Activate"));
    std::int32_t startVal = 0;
    p.step(50030, [&] { startVal = settings.startVal(); });
    p.step(50040, [&] {
        if (startVal == 0) {
            language.setLanguageOffset(offsetForLocaleIdentifier(localeId));
            settings.setSprachePlain(language.LanguageOffset());
        } else {
            language.setLanguageOffset(settings.sprache());
        }
    });
    p.step(50050, [&] {
        if (startVal == INT32_MAX)
            throw Failure(err::Overflow);
        settings.setStartVal(startVal + 1);
    });
}

/// The About window's flag choice: the new offset, or nothing when the flag's language is
/// already current.
std::optional<std::int16_t> aboutFlagChoice(int index, std::int16_t currentOffset);

} // namespace marvolen::lang
