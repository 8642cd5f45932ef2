// Tests of the picture chooser: the rules texts, the places of the pictures and the choices.
#include "ui/pics_window.h"

#include "language_table.h"
#include "services_fixture.h"

#include <QAccessible>
#include <QApplication>
#include <QDeadlineTimer>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QScrollBar>
#include <QTest>
#include <QTextEdit>
#include <QTimer>
#include <QToolButton>

#include <gtest/gtest.h>

#include <map>
#include <set>
#include <vector>

namespace marvolen::ui {
namespace {

using Purpose = PicsWindow::Purpose;

// The rules strings and the two chooser headings, with the line-end blanks and tabs the real
// table carries.
const char* const kTable[] = {
    "0115 = Kugeln auswählen\t",
    "1115 = Select marbles\t",
    "2115 = Elija bolas",
    "3115 = Cercare la sfera\t",
    "6115 = Sélectionnez les marbres",
    "0116 = Brett auswählen\t",
    "1116 = Select board\t",
    "2116 = Elija tablero",
    "3116 = Cercare dala tavola per il gioco\t",
    "6116 = Sélectionnez le plateau",
    "0170 = Spielregeln\t",
    "1170 = Rules of the game\t",
    "2170 = Reglas del juego",
    "3170 = Regole del gioco\t",
    "6170 = Règle du jeu",
    "0171 = Ziel des Spieles ist es, so viele Kugeln wie möglich zu entfernen. \t",
    "1171 = Aim of the game is to remove as many marbles as possible. \t",
    "2171 = El objetivo del juego es eliminar el mayor número posible de bolas del tablero de "
    "juego.",
    "3171 = Il fine del gioco é eliminare tante sfere quante ne sono possibili dalla tavolo da "
    "gioco. \t",
    "6171 = Le but du jeu est d'enlever autant de marbres que possible.",
    "0172 = Man fasst eine Kugel mit der Maus an und lässt sie in ein leeres Loch fallen. \t",
    "1172 = Move the marbles by drag and Drop. \t",
    "2172 = Las bolas se mueven con \"Arrastrar y soltar\"",
    "3172 = Si prende una sfere con il topo e si lascia cadere in in un buco vuoto. \t",
    "6172 = Déplacer les marbres par \"drag and Drop\".",
    "0173 = Erlaubte Züge sind horizontale oder vertikale Sprünge über eine andere Kugel in ein "
    "leeres Loch.\t",
    "1173 = Legal moves are horizontal or vertical jumps of one marble over another to an empty "
    "hole.\t",
    "2173 = Sólo se permiten realizar movimientos horizontales o verticales y una bola podrá "
    "saltar sobre otra cuando el hueco siguiente se encuentre vacío.",
    "3173 = Le mosse possibili sono quelle verso orrizzontale oppure verticale sopra una sfera.\t",
    "6173 = Les mouvements légaux sont les sauts horizontaux ou verticaux d'un marbre sur un autre "
    "vers un trou vide. ",
    "0174 = Die Kugel, die übersprungen wurde, wird dann entfernt. \t",
    "1174 = The marble that has been jumped over is removed. \t",
    "2174 = La bola sobre la que se ha saltado será eliminada del tablero.",
    "3174 = La sfera che viene saltata viene eliminata. \t",
    "6174 = Le marbre qui a été sauté est retiré du jeu.",
    "0175 = Beim Eintrag in die Championsliste hat die Zahl der Kugeln Vorrang vor der benötigten "
    "Zeit.\t",
    "1175 = For entering the highscores list, the number of left marbles has priority before the "
    "time needed.\t",
    "2175 = Para formar parte del listado de records tiene prioridad el número de bolas eliminadas "
    "antes que el tiempo empleado en hacerlo.",
    "3175 = Quando si entra nella lista dei campioni il numero delle sfere eliminate ha il "
    "sopravvento sul tempo impiegato.\t",
    "6175 = Pour l'entrée dans la liste des scores, le nombre de marbres restants a la priorité "
    "sur "
    "le temps nécessaire.",
};

/// Marble picture numbers by row and column, and board numbers, as the player sees them.
const std::vector<std::vector<int>> kMarbleRows = {{1, 2, 3, 4, 25},
                                                   {5, 6, 7, 8, 24},
                                                   {9, 10, 11, 12, 23},
                                                   {13, 18, 14, 17, 22},
                                                   {15, 16, 20, 19, 21}};
const std::vector<std::vector<int>> kBoardRows = {{1, 3, 5}, {2, 4, 6}, {7, 8, 9}};

struct Fixture : test::ServicesFixture {
    bool& soundOn = ports.effectsOn;
    std::vector<int>& played = ports.played;

    explicit Fixture(int offset = 1000) {
        test::useLanguageTable(language, dir.path(), kTable);
        language.setLanguageOffset(std::int16_t(offset));
    }
};

template <class T> T* child(QWidget& w, const QString& name) {
    return w.findChild<T*>(name);
}
QToolButton* marble(QWidget& w, int index) {
    return child<QToolButton>(w, QStringLiteral("imgKugelX%1").arg(index));
}
QToolButton* board(QWidget& w, int index) {
    return child<QToolButton>(w, QStringLiteral("imgBrett%1").arg(index));
}

/// Runs action on the modal window as soon as it shows; gives up after 20 seconds, so that a
/// window that never shows fails its test instead of leaving the look-out running.
void whenModalShows(std::function<void(QWidget&)> action,
                    QDeadlineTimer deadline = QDeadlineTimer(20000)) {
    QTimer::singleShot(0, [action, deadline] {
        if (QWidget* modal = QApplication::activeModalWidget())
            action(*modal);
        else if (!deadline.hasExpired())
            whenModalShows(action, deadline);
        else
            ADD_FAILURE() << "no modal window showed";
    });
}

/// The places of the pictures as seen on screen: rank of each left edge and top edge.
std::vector<std::vector<int>> gridAsShown(PicsWindow& w, int count,
                                          QToolButton* (*picture)(QWidget&, int)) {
    std::set<int> lefts, tops;
    std::vector<QPoint> at;
    for (int i = 0; i < count; ++i) {
        const QPoint p = picture(w, i)->mapTo(&w, QPoint(0, 0));
        lefts.insert(p.x());
        tops.insert(p.y());
        at.push_back(p);
    }
    std::vector<std::vector<int>> grid(tops.size(), std::vector<int>(lefts.size(), 0));
    for (int i = 0; i < count; ++i) {
        const auto row = std::distance(tops.begin(), tops.find(at[std::size_t(i)].y()));
        const auto col = std::distance(lefts.begin(), lefts.find(at[std::size_t(i)].x()));
        grid[std::size_t(row)][std::size_t(col)] = i + 1;
    }
    return grid;
}

} // namespace

struct RulesCase {
    int digit;
    const char* heading;
    int hyphens;
    const char* lastSentence;
};

void PrintTo(const RulesCase& c, std::ostream* os) {
    *os << "digit " << c.digit;
}

class RulesTextByLanguage : public ::testing::TestWithParam<RulesCase> {};

TEST_P(RulesTextByLanguage, HeadingRuleOfHyphensAndFiveSentencesWithoutFinalLineEnd) {
    Fixture f;
    const RulesCase c = GetParam();
    const QString text = PicsWindow::rulesText(f.language, c.digit);
    const QStringList lines = text.split(QStringLiteral("\r\n"));
    ASSERT_EQ(lines.size(), 7) << text.toStdString();
    EXPECT_EQ(lines[0], QString::fromUtf8(c.heading));
    EXPECT_EQ(lines[1], QString(c.hyphens, QLatin1Char('-')));
    for (int n = 2; n < 7; ++n)
        EXPECT_FALSE(lines[n].isEmpty()) << n;
    EXPECT_EQ(lines[6], QString::fromUtf8(c.lastSentence));
    EXPECT_FALSE(text.endsWith(QLatin1Char('\n')));
    EXPECT_EQ(text.count(QLatin1Char('\n')), text.count(QStringLiteral("\r\n")));
    EXPECT_EQ(f.reporter.count(), 0);
}

INSTANTIATE_TEST_SUITE_P(
    Rules, RulesTextByLanguage,
    ::testing::Values(
        RulesCase{0, "Spielregeln", 18,
                  "Beim Eintrag in die Championsliste hat die Zahl der Kugeln Vorrang vor der "
                  "benötigten Zeit."},
        RulesCase{1, "Rules of the game", 27,
                  "For entering the highscores list, the number of left marbles has priority "
                  "before the time needed."},
        RulesCase{2, "Reglas del juego", 26,
                  "Para formar parte del listado de records tiene prioridad el número de bolas "
                  "eliminadas antes que el tiempo empleado en hacerlo."},
        RulesCase{3, "Regole del gioco", 26,
                  "Quando si entra nella lista dei campioni il numero delle sfere eliminate ha il "
                  "sopravvento sul tempo impiegato."},
        RulesCase{6, "Règle du jeu", 19,
                  "Pour l'entrée dans la liste des scores, le nombre de marbres restants a la "
                  "priorité sur le temps nécessaire."}),
    [](const ::testing::TestParamInfo<RulesCase>& info) {
        return "Digit" + std::to_string(info.param.digit);
    });

TEST(RulesText, EnglishSentencesFollowInOrder) {
    Fixture f;
    EXPECT_EQ(PicsWindow::rulesText(f.language, 1),
              QStringLiteral("Rules of the game\r\n---------------------------\r\n"
                             "Aim of the game is to remove as many marbles as possible.\r\n"
                             "Move the marbles by drag and Drop.\r\n"
                             "Legal moves are horizontal or vertical jumps of one marble over "
                             "another to an empty hole.\r\n"
                             "The marble that has been jumped over is removed.\r\n"
                             "For entering the highscores list, the number of left marbles has "
                             "priority before the time needed."));
}

TEST(RulesText, DigitsWithoutALanguageStayEmptyAndOthersAreRefused) {
    Fixture f;
    EXPECT_TRUE(PicsWindow::rulesText(f.language, 4).isEmpty());
    EXPECT_TRUE(PicsWindow::rulesText(f.language, 5).isEmpty());
    EXPECT_THROW(PicsWindow::rulesText(f.language, 7), Failure);
    EXPECT_THROW(PicsWindow::rulesText(f.language, -1), Failure);

    PicsWindow w(f.services);
    for (int d : {0, 1, 2, 3, 6})
        EXPECT_FALSE(w.RulesText()[std::size_t(d)].isEmpty()) << d;
    EXPECT_TRUE(w.RulesText()[4].isEmpty());
    EXPECT_TRUE(w.RulesText()[5].isEmpty());
}

TEST(RulesWindow, ShowsTheCurrentLanguageWholeWithLineBreaksAndAnOkButton) {
    for (int offset : {0, 1000, 2000, 3000, 6000}) {
        Fixture f(offset);
        PicsWindow w(f.services);
        w.setPurpose(Purpose::Rules);
        w.show();
        QApplication::processEvents();
        auto* txt = child<QTextEdit>(w, "txtHelp");
        auto* ok = child<QPushButton>(w, "cmdOK");
        ASSERT_TRUE(txt && ok);
        EXPECT_TRUE(txt->isVisibleTo(&w));
        EXPECT_TRUE(txt->isReadOnly());
        EXPECT_TRUE(ok->isVisibleTo(&w));
        EXPECT_EQ(ok->text(), QStringLiteral("&OK"));
        EXPECT_FALSE(child<QWidget>(w, "fraAuswahl0")->isVisibleTo(&w));
        EXPECT_FALSE(child<QWidget>(w, "fraAuswahl1")->isVisibleTo(&w));
        // The field counts its lines as the player sees them.
        EXPECT_EQ(txt->document()->blockCount(), 7);
        EXPECT_EQ(txt->toPlainText(),
                  PicsWindow::rulesText(f.language, offset / 1000).replace("\r\n", "\n"));
        // All of it in view: no sentence hides below the field's edge.
        EXPECT_EQ(txt->verticalScrollBar()->maximum(), 0) << offset;
    }
}

TEST(RulesWindow, OkClosesTheModalWindow) {
    Fixture f;
    bool clicked = false;
    whenModalShows([&](QWidget& modal) {
        clicked = true;
        QTest::mouseClick(child<QPushButton>(modal, "cmdOK"), Qt::LeftButton);
    });
    showRulesWindow(f.services, nullptr);
    EXPECT_TRUE(clicked);
    EXPECT_TRUE(f.played.empty());
}

TEST(RulesWindow, OffsetOfNoLanguageIsReportedAndTheWindowStillOpens) {
    Fixture f(9000);
    PicsWindow w(f.services);
    EXPECT_EQ(f.reporter.count(), 1);
    EXPECT_EQ(f.reporter.last().number, err::SubscriptOutOfRange);
    EXPECT_EQ(f.reporter.last().module, QStringLiteral("frmPics"));
    EXPECT_EQ(f.reporter.last().procedure, QStringLiteral("Form_Load"));
    EXPECT_EQ(f.reporter.last().line, 50040);
    EXPECT_TRUE(child<QTextEdit>(w, "txtHelp")->toPlainText().isEmpty());
}

struct GridCase {
    Purpose purpose;
    int count;
    QToolButton* (*picture)(QWidget&, int);
    QPoint (*cellOf)(int picture);
    const std::vector<std::vector<int>>& rows;
    QSize iconSize;
};

void PrintTo(const GridCase& c, std::ostream* os) {
    *os << (c.purpose == Purpose::Marbles ? "marbles" : "boards");
}

class ChooserLayout : public ::testing::TestWithParam<GridCase> {};

TEST_P(ChooserLayout, PicturesSitInTheirGridAsThePlayerKnowsIt) {
    const GridCase& c = GetParam();
    Fixture f;
    PicsWindow w(f.services);
    w.setPurpose(c.purpose, 1);
    w.show();
    EXPECT_EQ(gridAsShown(w, c.count, c.picture), c.rows);
    for (std::size_t row = 0; row < c.rows.size(); ++row)
        for (std::size_t col = 0; col < c.rows[row].size(); ++col)
            EXPECT_EQ(c.cellOf(c.rows[row][col]), QPoint(int(col), int(row)));
    EXPECT_EQ(c.cellOf(c.count + 1), QPoint(-1, -1));
    for (int i = 0; i < c.count; ++i)
        EXPECT_EQ(c.picture(w, i)->iconSize(), c.iconSize) << i;
}

INSTANTIATE_TEST_SUITE_P(
    Choosers, ChooserLayout,
    ::testing::Values(GridCase{Purpose::Marbles, PicsWindow::kMarbles, marble,
                               PicsWindow::marbleCell, kMarbleRows, QSize(32, 32)},
                      GridCase{Purpose::Boards, PicsWindow::kBoards, board, PicsWindow::boardCell,
                               kBoardRows, QSize(60, 60)}),
    [](const auto& info) {
        return std::string(info.param.purpose == Purpose::Marbles ? "Marbles" : "Boards");
    });

TEST(ChooserGroups, ChoosersShowTheirGroupAndNoOkButton) {
    Fixture f;
    for (Purpose purpose : {Purpose::Marbles, Purpose::Boards}) {
        PicsWindow w(f.services);
        w.setPurpose(purpose, 1);
        EXPECT_FALSE(child<QPushButton>(w, "cmdOK")->isVisibleTo(&w));
        EXPECT_FALSE(child<QWidget>(w, "txtHelp")->isVisibleTo(&w));
        EXPECT_EQ(child<QWidget>(w, "fraAuswahl1")->isVisibleTo(&w), purpose == Purpose::Marbles);
        EXPECT_EQ(child<QWidget>(w, "fraAuswahl0")->isVisibleTo(&w), purpose == Purpose::Boards);
    }
}

TEST(ChooserTexts, HeadingsFollowTheLanguageWhileTooltipsStayGerman) {
    const std::map<int, std::pair<const char*, const char*>> headings = {
        {0, {"Kugeln auswählen", "Brett auswählen"}},
        {1000, {"Select marbles", "Select board"}},
        {2000, {"Elija bolas", "Elija tablero"}},
        {3000, {"Cercare la sfera", "Cercare dala tavola per il gioco"}},
        {6000, {"Sélectionnez les marbres", "Sélectionnez le plateau"}}};
    for (const auto& [offset, texts] : headings) {
        Fixture f(offset);
        PicsWindow w(f.services);
        EXPECT_EQ(child<QLabel>(w, "lblSelectM")->text(), QString::fromUtf8(texts.first));
        EXPECT_EQ(child<QLabel>(w, "lblSelectB")->text(), QString::fromUtf8(texts.second));
        for (int i = 0; i < PicsWindow::kMarbles; ++i) {
            EXPECT_EQ(marble(w, i)->toolTip(), QStringLiteral("Kugel auswählen")) << i;
            EXPECT_FALSE(marble(w, i)->accessibleName().isEmpty());
            EXPECT_FALSE(marble(w, i)->icon().isNull()) << "marble " << i + 1;
        }
        for (int i = 0; i < PicsWindow::kBoards; ++i) {
            EXPECT_EQ(board(w, i)->toolTip(), QStringLiteral("Brett auswählen")) << i;
            EXPECT_FALSE(board(w, i)->accessibleName().isEmpty());
            EXPECT_FALSE(board(w, i)->icon().isNull()) << "board " << i + 1;
        }
        EXPECT_EQ(f.reporter.count(), 0);
    }
}

TEST(ChooserChoice, ClickOnMarbleTwentyFiveChoosesItAndClosesAtOnce) {
    for (bool soundOn : {true, false}) {
        Fixture f;
        f.soundOn = soundOn;
        whenModalShows(
            [](QWidget& modal) { QTest::mouseClick(marble(modal, 24), Qt::LeftButton); });
        EXPECT_EQ(chooseMarblePicture(f.services, 3, nullptr), 25);
        EXPECT_EQ(f.played, soundOn ? std::vector<int>{102} : std::vector<int>{});
    }
}

TEST(ChooserChoice, ClickOnTheMiddleThumbnailChoosesBoardFour) {
    Fixture f;
    whenModalShows([](QWidget& modal) {
        // The thumbnail under the centre of all nine, wherever the layout put them.
        QRect all;
        for (int i = 0; i < PicsWindow::kBoards; ++i)
            all |= board(modal, i)->geometry();
        for (int i = 0; i < PicsWindow::kBoards; ++i)
            if (board(modal, i)->geometry().contains(all.center()))
                return QTest::mouseClick(board(modal, i), Qt::LeftButton);
        modal.close(); // no thumbnail in the middle: the test fails below
    });
    EXPECT_EQ(chooseBoardPicture(f.services, 9, nullptr), 4);
    EXPECT_EQ(f.played, std::vector<int>{102});
}

TEST(ChooserChoice, ClosedWithoutAChoiceTheCurrentPictureStays) {
    struct Case {
        const char* what;
        int (*choose)(Services&, int, QWidget*);
        int current;
        bool byEscape;
    };
    const Case cases[] = {{"marbles, Escape", chooseMarblePicture, 7, true},
                          {"boards, Escape", chooseBoardPicture, 2, true},
                          {"marbles, close button", chooseMarblePicture, 11, false}};
    Fixture f;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        whenModalShows([&c](QWidget& modal) {
            if (c.byEscape)
                QTest::keyClick(&modal, Qt::Key_Escape);
            else
                modal.close();
        });
        EXPECT_EQ(c.choose(f.services, c.current, nullptr), c.current);
    }
    EXPECT_TRUE(f.played.empty());
}

TEST(ChooserChoice, ArrowKeysMoveThroughTheGridAndEnterChooses) {
    Fixture f;
    PicsWindow w(f.services);
    w.setPurpose(Purpose::Marbles, 4);
    w.show();
    QApplication::setActiveWindow(&w);
    ASSERT_EQ(QApplication::focusWidget(), marble(w, 3));
    // Keys go to the focused picture, as the keyboard delivers them.
    const auto key = [](Qt::Key k) { QTest::keyClick(QApplication::focusWidget(), k); };
    key(Qt::Key_Right); // 4 sits left of 25
    EXPECT_EQ(QApplication::focusWidget(), marble(w, 24));
    key(Qt::Key_Right); // the edge holds
    key(Qt::Key_Down);  // 24
    EXPECT_EQ(QApplication::focusWidget(), marble(w, 23));
    key(Qt::Key_Left); // 8
    key(Qt::Key_Right);
    EXPECT_EQ(QApplication::focusWidget(), marble(w, 23));
    EXPECT_TRUE(w.isVisible()); // moving chooses nothing
    EXPECT_TRUE(f.played.empty());
    key(Qt::Key_Return);
    EXPECT_EQ(w.marblePicture(), 24);
    EXPECT_FALSE(w.isVisible());
    EXPECT_EQ(f.played, std::vector<int>{102}); // the click's sound
}

TEST(ChooserKeyboard, ThePicturesAreARadioGroupWithThePictureInUseChecked) {
    Fixture f;
    PicsWindow w(f.services);
    w.setPurpose(Purpose::Boards, 6);
    for (int i = 0; i < PicsWindow::kBoards; ++i) {
        QAccessibleInterface* picture = QAccessible::queryAccessibleInterface(board(w, i));
        ASSERT_NE(picture, nullptr);
        EXPECT_EQ(picture->role(), QAccessible::RadioButton) << i;
        EXPECT_TRUE(picture->state().checkable) << i;
        EXPECT_EQ(picture->state().checked, i == 5) << i;
        EXPECT_EQ(picture->text(QAccessible::Name),
                  QStringLiteral("Brett auswählen %1").arg(i + 1));
    }
    // A press by assistive technology chooses as a click does.
    QAccessibleInterface* second = QAccessible::queryAccessibleInterface(board(w, 1));
    ASSERT_NE(second->actionInterface(), nullptr);
    second->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
    EXPECT_EQ(w.boardPicture(), 2);
    EXPECT_EQ(f.played, std::vector<int>{102});
}

TEST(ChooserKeyboard, TabTakesThePicturesRowByRowAndSpaceChooses) {
    Fixture f;
    PicsWindow w(f.services);
    w.setPurpose(Purpose::Boards, 1);
    w.show();
    QApplication::setActiveWindow(&w);
    ASSERT_EQ(QApplication::focusWidget(), board(w, 0));
    std::vector<int> order;
    for (int i = 0; i < PicsWindow::kBoards + 1; ++i) {
        for (int b = 0; b < PicsWindow::kBoards; ++b)
            if (QApplication::focusWidget() == board(w, b))
                order.push_back(b + 1);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    }
    EXPECT_EQ(order, (std::vector<int>{1, 3, 5, 2, 4, 6, 7, 8, 9, 1}));
    // On 3 now; Shift+Tab goes back over 1 and round to 9.
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab);
    EXPECT_EQ(QApplication::focusWidget(), board(w, 8));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Space);
    EXPECT_EQ(w.boardPicture(), 9);
    EXPECT_FALSE(w.isVisible());
}

TEST(ChooserKeyboard, TheRulesTextAndOkAreReachedByTab) {
    Fixture f;
    PicsWindow w(f.services);
    w.setPurpose(Purpose::Rules);
    w.show();
    QApplication::setActiveWindow(&w);
    auto* ok = child<QPushButton>(w, QStringLiteral("cmdOK"));
    auto* text = child<QTextEdit>(w, QStringLiteral("txtHelp"));
    ASSERT_EQ(QApplication::focusWidget(), ok);
    QTest::keyClick(ok, Qt::Key_Tab);
    EXPECT_EQ(QApplication::focusWidget(), text);
    EXPECT_TRUE(text->property("keyboardFocus").toBool()); // ringed in cyan
    QTest::keyClick(text, Qt::Key_Tab);
    EXPECT_EQ(QApplication::focusWidget(), ok);
    EXPECT_FALSE(text->property("keyboardFocus").toBool());
    // A click into the text takes the focus without the ring.
    QTest::mouseClick(text->viewport(), Qt::LeftButton);
    EXPECT_EQ(QApplication::focusWidget(), text);
    EXPECT_FALSE(text->property("keyboardFocus").toBool());
    QTest::keyClick(text, Qt::Key_Tab);
    QTest::keyClick(ok, Qt::Key_Space);
    EXPECT_FALSE(w.isVisible());
}

TEST(ChooserChoice, UnknownElementIsReportedAndChangesNothing) {
    Fixture f;
    PicsWindow w(f.services);
    w.setPurpose(Purpose::Boards, 5);
    w.imgBrett_Click(9);
    EXPECT_EQ(w.boardPicture(), 5);
    EXPECT_EQ(f.reporter.last().number, err::NoSuchElement);
    EXPECT_EQ(f.reporter.last().procedure, QStringLiteral("imgBrett_Click"));
    w.imgKugelX_Click(-1);
    EXPECT_EQ(f.reporter.count(), 2);
    EXPECT_EQ(f.reporter.last().number, err::NoSuchElement);
    EXPECT_EQ(f.reporter.last().procedure, QStringLiteral("imgKugelX_Click"));
    EXPECT_EQ(w.boardPicture(), 5);
    EXPECT_TRUE(f.played.empty());
}

} // namespace marvolen::ui
