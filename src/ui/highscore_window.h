// The champions window frmHighscore: shows the ten best of a variant, and the ranking of a
// finished game before it is shown.
#pragma once

#include "app/champions_ranking.h"
#include "game/board_model.h"
#include "ui/services.h"

#include <QDialog>
#include <QLocale>
#include <QPixmap>

#include <array>

class QLabel;
class QPushButton;

namespace marvolen::ui {

class ChampionsTable;

/// The modal champions window. Made for a finished game (NewResultPending true) it has the
/// result ranked while it loads, before it is shown; made for viewing it only shows. The player
/// may look at any variant's list and clear the one shown. The list and its rules are the
/// ChampionsRanking's; the window shows them.
class HighscoreWindow : public QDialog {
    Q_OBJECT

  public:
    /// Runs Form_Load: the list of variant is loaded and, when handover asks for it, the result
    /// ranked. The file is the champions file in services.dataFolder; equal results are ordered
    /// by their names in the collation of locale, the player's own.
    HighscoreWindow(Services& services, const game::ResultHandover& handover, int variant,
                    QWidget* parent = nullptr, const QLocale& locale = QLocale::system());

    // The window's handlers, in the order a player meets them; public so that the program and
    // tests can run them directly.
    /// The language-dependent texts and the focus on OK; runs each time the window is shown.
    void Form_Activate();
    /// Fills the ten rows from the list.
    void ShowHS();
    /// Tells assistive technology the list as shown, and the player's new place in it.
    void describeList();
    /// Shows the list of variant v instead; the game's own variant stays as it is.
    void imgPattern_Click(int v);
    /// Asks, then clears the list of the variant shown and closes.
    void cmdDelHS_Click();
    void cmdOK_Click();

    /// The variant whose list is shown.
    int shownVariant() const { return m_ranking.variant(); }
    const app::ChampionsRanking& ranking() const { return m_ranking; }

  protected:
    void showEvent(QShowEvent* e) override;
    void hideEvent(QHideEvent* e) override;

  private:
    void buildElements();
    void Form_Load();
    /// Every thumbnail plain, the one of the variant shown highlighted.
    void markThumbnails();
    QString text(int n) const;

    Services& m_services;
    app::ChampionsRanking m_ranking;
    bool m_activated = false;
    QPixmap m_layoutStrip;

    QLabel* m_lblTitle = nullptr;
    ChampionsTable* m_table = nullptr;
    std::array<QLabel*, 20> m_imgPattern{};
    std::array<QLabel*, 3> m_lblHeader{};
    std::array<QLabel*, 10> m_rank{};
    std::array<QLabel*, 10> m_lblHName{};
    /// 0 to 9 the marbles of rows 1 to 10, 10 to 19 their seconds.
    std::array<QLabel*, 20> m_lblHScore{};
    QPushButton* m_cmdOK = nullptr;
    QPushButton* m_cmdDelHS = nullptr;
};

/// The program's show-champions command: makes the window for variant, runs it modally over
/// parent and discards it when it closes.
void showChampionsWindow(Services& services, game::ResultHandover& handover, int variant,
                         QWidget* parent, const QLocale& locale = QLocale::system());

} // namespace marvolen::ui
