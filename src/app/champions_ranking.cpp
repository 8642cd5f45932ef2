// The champions list behind frmHighscore: ranking a finished game, another variant's list,
// clearing, and what the player is told about each.
#include "app/champions_ranking.h"

#include "ids/sound_ids.h"
#include "ids/text_ids.h"
#include "scores/entry.h"

#include <QCoreApplication>
#include <QDir>

namespace marvolen::app {
namespace {

const QString kModule = QStringLiteral("frmHighscore");

QString title() {
    return QString::fromLatin1(kChampionsTitle);
}

} // namespace

ChampionsRanking::ChampionsRanking(RankingParts parts, const game::ResultHandover& handover,
                                   int variant, const QString& path, const QLocale& locale)
    : m_parts(parts), m_handover(handover), m_file(parts.reporter, path, locale),
      m_variant(variant) {}

QString ChampionsRanking::text(int n) const {
    return m_parts.language.text(n);
}

QString ChampionsRanking::failureText() const {
    return QCoreApplication::translate("Marvolen", "%1 (error %2)")
        .arg(m_file.lastFailure()->description)
        .arg(m_file.lastFailure()->number);
}

void ChampionsRanking::load(Procedure& formLoad) {
    formLoad.step(50030, [&] { m_file.setVariant(m_variant); });
    formLoad.step(50040, [&] { loadList(); });
    formLoad.step(50050, [&] {
        if (m_handover.NewResultPending)
            CheckHS();
    });
}

void ChampionsRanking::CheckHS() {
    Procedure p(m_parts.reporter, kModule, QStringLiteral("CheckHS"));
    const QByteArray& result = m_handover.NewResult;
    bool ranks = false;
    p.step(50030, [&] { ranks = scores::qualifies(result, m_file.list().last()); });
    if (!ranks || !p.running())
        return;
    p.step(50040, [&] {
        if (m_parts.soundSwitch.soundOn())
            m_parts.sounds.PlayWAV(
                std::int16_t(Sound::fanfare(m_parts.random.Zufallszahl(1, Sound::Fanfares))));
    });
    QString typed;
    p.step(50050, [&] {
        typed = m_parts.textInput.askText(text(Text::Congratulations), text(Text::EnterName));
    });
    p.step(50060, [&] { m_playerName = scores::playerName(typed); });
    std::optional<int> place;
    p.step(50070, [&] {
        place = m_file.addNewEntry(scores::makeEntry(result, m_playerName));
        m_newRow = place;
    });
    p.step(50080, [&] {
        const bool written = m_file.WriteHS();
        if (!place) {
            // The name was asked for, as the order of equal results depends on it; the player
            // must not be left thinking the result is in the list.
            const bool tie = m_file.list().last().startsWith(result);
            m_parts.dialogs.inform(
                title(),
                tie ? QCoreApplication::translate(
                          "Marvolen",
                          "Your result equals the tenth place. Equal results are ranked "
                          "by name, and the name already there comes first, so your "
                          "result does not enter the champions list.")
                    : QCoreApplication::translate(
                          "Marvolen", "While you were entering your name, other results were saved "
                                      "to this champions list by another running copy of Marvolen, "
                                      "and your result no longer enters it."));
        } else if (!written && m_file.lastFailure()) {
            m_parts.dialogs.inform(
                title(),
                QCoreApplication::translate(
                    "Marvolen", "Your result could not be saved in the champions list \"%1\": %2. "
                                "It is shown here but will be gone when you close this window.")
                    .arg(QDir::toNativeSeparators(m_file.path()), failureText()));
        }
    });
}

void ChampionsRanking::setVariant(int v) {
    m_variant = v;
    m_file.setVariant(v);
    m_newRow.reset();
}

void ChampionsRanking::loadList() {
    if (m_file.GetHS() || !m_file.lastFailure())
        return;
    m_parts.dialogs.inform(
        title(), QCoreApplication::translate("Marvolen",
                                             "The champions list in \"%1\" could not be read: %2.")
                     .arg(QDir::toNativeSeparators(m_file.path()), failureText()));
}

bool ChampionsRanking::askClear() {
    return m_parts.dialogs.askYesNo(text(Text::ClearChampionsTitle),
                                    text(Text::ClearChampionsQuestion));
}

void ChampionsRanking::clearList() {
    if (m_file.SaveHS(std::nullopt, {}) || !m_file.lastFailure())
        return;
    m_parts.dialogs.inform(title(),
                           QCoreApplication::translate(
                               "Marvolen", "The champions list in \"%1\" could not be cleared: %2.")
                               .arg(QDir::toNativeSeparators(m_file.path()), failureText()));
}

} // namespace marvolen::app
