// Tests of the statistics window: the cells it shows for the counts it is given, Clear asking
// before it clears, and what a screen reader reads of the tables.
#include "ui/statistics_window.h"

#include <QAccessible>
#include <QApplication>
#include <QPushButton>
#include <QTableWidget>
#include <QTest>

#include <gtest/gtest.h>

#include <deque>
#include <vector>

namespace marvolen::ui {
namespace {

using Window = StatisticsWindow;

/// Answers questions as scripted and records them; only the question with No as default is
/// expected, so the plain one fails the test.
class FakeDialogs : public app::Dialogs {
  public:
    bool askYesNo(const QString&, const QString&) override {
        ADD_FAILURE() << "clearing must ask with No as the default";
        return false;
    }
    bool askYesNoDefaultNo(const QString&, const QString& text) override {
        asked.push_back(text);
        const bool yes = answers.front();
        answers.pop_front();
        return yes;
    }
    void inform(const QString&, const QString& text) override { told.push_back(text); }

    std::deque<bool> answers;
    std::vector<QString> asked, told;
};

/// Variant 1: three ranked games, two finished; variant 5: one practice game, unfinished;
/// variant 8: three practice games, all finished.
game::StatisticsTable someCounts() {
    game::StatisticsTable t;
    for (int i = 0; i < 3; ++i)
        t.gameStarted(0, false);
    t.gameFinished(0, false, 1, 312);
    t.gameFinished(0, false, 4, 100);
    t.addTimePlayed(0, false, 3725);
    t.gameStarted(4, true);
    t.addTimePlayed(4, true, 59);
    for (int i = 0; i < 3; ++i)
        t.gameStarted(7, true);
    t.gameFinished(7, true, 3, 45);
    t.gameFinished(7, true, 3, 40);
    t.gameFinished(7, true, 4, 10);
    t.addTimePlayed(7, true, 95);
    return t;
}

QStringList row(const QTableWidget& table, int r) {
    QStringList texts;
    for (int c = 0; c < table.columnCount(); ++c)
        texts << table.item(r, c)->text();
    return texts;
}

const QStringList kBlank(Window::kColumns, QString());

TEST(StatisticsWindow, ShowsRankedAndPracticeApartWithTotalsAndBlanksWhereNothingIsCounted) {
    FakeDialogs dialogs;
    Window w(someCounts(), dialogs, [] { return game::StatisticsTable{}; });
    EXPECT_EQ(w.objectName(), QStringLiteral("frmStatistics"));
    EXPECT_EQ(w.windowTitle(), QStringLiteral("Statistics"));

    const QTableWidget& ranked = w.table(false);
    const QTableWidget& practice = w.table(true);
    for (const QTableWidget* t : {&ranked, &practice}) {
        ASSERT_EQ(t->rowCount(), 21);
        ASSERT_EQ(t->columnCount(), Window::kColumns);
        EXPECT_EQ(t->verticalHeaderItem(0)->text(), QStringLiteral("Variant 1"));
        EXPECT_EQ(t->verticalHeaderItem(19)->text(), QStringLiteral("Variant 20"));
        EXPECT_EQ(t->verticalHeaderItem(Window::kTotalRow)->text(), QStringLiteral("Total"));
        EXPECT_FALSE(t->item(0, 0)->flags() & Qt::ItemIsEditable);
        EXPECT_TRUE(t->item(0, 0)->flags() & Qt::ItemIsSelectable);
    }

    const QStringList variant1 = {"3", "2", "2.5", "1 marble, 312 s", "1", "1:02:05"};
    EXPECT_EQ(row(ranked, 0), variant1);
    EXPECT_EQ(row(ranked, Window::kTotalRow), variant1);
    EXPECT_EQ(row(ranked, 4), kBlank);
    EXPECT_EQ(row(practice, 0), kBlank);
    // Started but never finished: no average and no best, yet the time counts.
    EXPECT_EQ(row(practice, 4), QStringList({"1", "0", "", "", "0", "0:00:59"}));
    // 10 / 3 marbles rounds to one decimal; the fewest marbles win, then the fewer seconds.
    EXPECT_EQ(row(practice, 7), QStringList({"3", "3", "3.3", "3 marbles, 40 s", "0", "0:01:35"}));
    EXPECT_EQ(row(practice, Window::kTotalRow),
              QStringList({"4", "3", "3.3", "3 marbles, 40 s", "0", "0:02:34"}));
}

TEST(StatisticsWindow, ClearAsksAndClearsOnlyOnYesAndTellsWhyItFailed) {
    FakeDialogs dialogs;
    int clears = 0;
    QString failure;
    Window w(someCounts(), dialogs, [&]() -> Window::ClearResult {
        ++clears;
        if (!failure.isEmpty())
            return failure;
        return game::StatisticsTable{};
    });
    auto* clear = w.findChild<QPushButton*>(QStringLiteral("cmdClear"));
    ASSERT_NE(clear, nullptr);
    EXPECT_FALSE(clear->text().isEmpty());

    dialogs.answers = {false};
    clear->click();
    EXPECT_EQ(dialogs.asked.size(), 1u);
    EXPECT_EQ(clears, 0);
    EXPECT_EQ(w.table(false).item(0, 0)->text(), QStringLiteral("3"));

    failure = QStringLiteral("Permission denied");
    dialogs.answers = {true};
    clear->click();
    EXPECT_EQ(clears, 1);
    ASSERT_EQ(dialogs.told.size(), 1u);
    EXPECT_EQ(dialogs.told[0],
              QStringLiteral("The statistics could not be cleared: Permission denied."));
    EXPECT_EQ(w.table(false).item(0, 0)->text(), QStringLiteral("3"));

    failure.clear();
    dialogs.answers = {true};
    clear->click();
    EXPECT_EQ(clears, 2);
    EXPECT_EQ(dialogs.told.size(), 1u);
    for (bool practice : {false, true})
        for (int r : {0, 4, 7, Window::kTotalRow})
            EXPECT_EQ(row(w.table(practice), r), kBlank) << practice << " " << r;
}

TEST(StatisticsWindow, AScreenReaderReadsNamedTablesCellByCellUnderTheirHeadsAndEscapeCloses) {
    FakeDialogs dialogs;
    Window w(someCounts(), dialogs, [] { return game::StatisticsTable{}; });
    const QStringList heads = {"Games started", "Games finished",           "Average marbles left",
                               "Best result",   "Finished with one marble", "Time played"};
    for (bool practice : {false, true}) {
        QAccessibleInterface* table = QAccessible::queryAccessibleInterface(&w.table(practice));
        ASSERT_NE(table, nullptr);
        EXPECT_EQ(table->role(), QAccessible::Table);
        EXPECT_EQ(table->text(QAccessible::Name),
                  practice ? QStringLiteral("Practice games") : QStringLiteral("Ranked games"));
        QAccessibleTableInterface* cells = table->tableInterface();
        ASSERT_NE(cells, nullptr);
        ASSERT_EQ(cells->columnCount(), Window::kColumns);
        // A blank cell is no silence: variant 2 has nothing counted.
        EXPECT_EQ(cells->cellAt(1, Window::Started)->text(QAccessible::Name),
                  QStringLiteral("none"));
        for (int c = 0; c < Window::kColumns; ++c) {
            QAccessibleInterface* cell = cells->cellAt(practice ? 7 : 0, c);
            ASSERT_NE(cell, nullptr);
            EXPECT_EQ(cell->text(QAccessible::Name),
                      w.table(practice).item(practice ? 7 : 0, c)->text());
            const auto columnHeads = cell->tableCellInterface()->columnHeaderCells();
            ASSERT_EQ(columnHeads.size(), 1);
            // The head is shown on two lines but named on one.
            EXPECT_EQ(columnHeads[0]->text(QAccessible::Name), heads[c]);
            const auto rowHeads = cell->tableCellInterface()->rowHeaderCells();
            ASSERT_EQ(rowHeads.size(), 1);
            EXPECT_EQ(rowHeads[0]->text(QAccessible::Name),
                      practice ? QStringLiteral("Variant 8") : QStringLiteral("Variant 1"));
            // Qt makes the head cells anew for each question and leaves them to the asker.
            for (QAccessibleInterface* head : columnHeads + rowHeads)
                QAccessible::deleteAccessibleInterface(
                    QAccessible::registerAccessibleInterface(head));
        }
    }

    w.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&w));
    EXPECT_EQ(QApplication::focusWidget(), &w.table(false));
    QTest::keyClick(&w.table(false), Qt::Key_Escape);
    EXPECT_TRUE(QTest::qWaitFor([&] { return !w.isVisible(); }, 2000));
    EXPECT_EQ(w.result(), QDialog::Rejected);
}

} // namespace
} // namespace marvolen::ui
