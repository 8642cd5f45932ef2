// The champions list behind frmHighscore: ranking a finished game, another variant's list,
// clearing, and what the player is told about each.
#pragma once

#include "app/ports.h"
#include "core/failure.h"
#include "core/random.h"
#include "game/board_model.h"
#include "lang/language.h"
#include "scores/highscore_file.h"

#include <QLocale>
#include <QString>

#include <optional>

namespace marvolen::app {

/// The title of the champions window and of its messages, the same in every language.
inline constexpr char kChampionsTitle[] = "Marvolen Champions";

/// What the ranking works with, given from outside so that tests replace each part.
struct RankingParts {
    Reporter& reporter;
    lang::Language& language;
    Random& random;
    Dialogs& dialogs;
    TextInput& textInput;
    SoundPlayer& sounds;
    SoundSwitch& soundSwitch;
};

/// The list of the variant the champions window shows, tied to the champions file, and the
/// ranking of a finished game in it. Failures are reported as the window's ("frmHighscore").
/// File failures go to no reporter: the player is told in plain words instead.
class ChampionsRanking {
  public:
    /// handover: the result to rank when the window is opened for it; variant: the list shown
    /// first; path: the champions file (scores::highscorePath); locale orders the names of
    /// equal results (the player's own).
    ChampionsRanking(RankingParts parts, const game::ResultHandover& handover, int variant,
                     const QString& path, const QLocale& locale);

    /// The ranking's share of the window's Form_Load, as its statements: the list of the
    /// variant is loaded and, when the hand-over asks for it, the result ranked. The sound and
    /// the name prompt thus come before the window is shown.
    void load(Procedure& formLoad);
    /// Ranks NewResult against the list: fanfare, name prompt, the new list stored. The list is
    /// read again once the name is given, so that a result another running copy stored
    /// meanwhile is kept; a result that then falls below the tenth place is told to the player,
    /// and so is a list that could not be saved.
    void CheckHS();
    /// The list of variant v from now on; the highlight of a result just entered stays with
    /// the list it entered. The list is not read: loadList does.
    void setVariant(int v);
    /// GetHS, telling the player when the file could not be read.
    void loadList();
    /// Asks whether to clear the list shown; true on Yes.
    bool askClear();
    /// Clears the list of the variant shown in the file, telling the player when it could not.
    void clearList();

    /// The variant whose list is shown.
    int variant() const { return m_variant; }
    /// PlayerName: the name as entered for the last result ranked.
    const QString& PlayerName() const { return m_playerName; }
    /// The index (0 is rank 1) of the result just entered in the list shown; none when it did
    /// not enter or another variant is shown.
    std::optional<int> newRow() const { return m_newRow; }
    const scores::HighscoreFile& file() const { return m_file; }

  private:
    QString text(int n) const;
    QString failureText() const;

    RankingParts m_parts;
    const game::ResultHandover& m_handover;
    scores::HighscoreFile m_file;
    int m_variant = 0;
    QString m_playerName;
    std::optional<int> m_newRow;
};

} // namespace marvolen::app
