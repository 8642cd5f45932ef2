// The statistics window frmStatistics: the player's counts per variant and in total, ranked and
// practice games on a tab each, as tables that a screen reader reads cell by cell.
#pragma once

#include "app/ports.h"
#include "game/statistics.h"

#include <QDialog>
#include <QString>

#include <array>
#include <functional>
#include <variant>

class QPushButton;
class QTabWidget;
class QTableWidget;

namespace marvolen::ui {

/// The modal statistics window. It shows the counts it is given and changes nothing itself:
/// clearing goes through the function its owner gives it, after the player has said Yes.
class StatisticsWindow : public QDialog {
    Q_OBJECT

  public:
    /// What clearing gave: the counts as they stand afterwards, or, when they could not be
    /// cleared, the reason in a few words (a failure's description), which the window puts in a
    /// sentence of its own.
    using ClearResult = std::variant<game::StatisticsTable, QString>;
    using ClearStatistics = std::function<ClearResult()>;

    /// Columns of both tables, left to right.
    enum Column { Started, Finished, AverageLeft, Best, OneMarble, TimePlayed, kColumns };
    /// The row of the totals, below the variants' rows 0 to 19.
    static constexpr int kTotalRow = game::kVariants;

    /// The question before clearing and the message when clearing fails go to dialogs.
    StatisticsWindow(const game::StatisticsTable& table, app::Dialogs& dialogs,
                     ClearStatistics clear, QWidget* parent = nullptr);

    /// The table of practice games, or of ranked games.
    QTableWidget& table(bool practice) const { return *m_tables[practice ? 1 : 0]; }

    /// Fills both tables with table's counts.
    void showCounts(const game::StatisticsTable& table);
    /// Asks (No is the default), then clears and shows what is left, or why it failed.
    void cmdClear_Click();

  protected:
    void showEvent(QShowEvent* e) override;

  private:
    void buildElements();
    QTableWidget* makeTable(bool practice);
    /// A size that shows every column and, where the screen has room, every row.
    void fitToContents();

    app::Dialogs& m_dialogs;
    ClearStatistics m_clear;

    QTabWidget* m_tabs = nullptr;
    std::array<QTableWidget*, 2> m_tables{};
    QPushButton* m_cmdClear = nullptr;
    QPushButton* m_cmdClose = nullptr;
};

} // namespace marvolen::ui
