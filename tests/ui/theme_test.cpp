// The theme reaches the windows: buttons and fields take the stylesheet's colours, the main
// window's command buttons follow their highlight, and dialogs opened over a themed window keep
// their own look.
#include "ui/theme.h"

#include "app_fixture.h"
#include "services_fixture.h"
#include "ui/help_window.h"
#include "ui/highscore_window.h"
#include "ui/pics_window.h"

#include <QDialog>
#include <QDialogButtonBox>
#include <QFrame>
#include <QImage>
#include <QMessageBox>
#include <QPushButton>
#include <QTextEdit>

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>

namespace marvolen::ui {
namespace {

const QColor kFieldBack(40, 40, 40);

struct Fixture : test::ServicesFixture {
    Fixture() {
        test::ensureApplication();
        services.dataFolder = dir.path();
    }
};

/// The colour a widget is painted with left of its middle, inside its border and away from its
/// caption.
QColor backgroundOf(QWidget& widget) {
    const QImage image = widget.grab().toImage();
    return image.pixelColor(4, image.height() / 2);
}

template <class T> T& child(QWidget& window, const char* name) {
    T* found = window.findChild<T*>(QLatin1String(name));
    if (!found)
        throw std::runtime_error(std::string("no element ") + name);
    return *found;
}

TEST(Theme, TheStylesheetIsCarried) {
    test::ensureApplication();
    EXPECT_TRUE(theme::styleSheet().contains(QLatin1String("QDialog#frmHighscore")));
}

TEST(Theme, ChampionsWindowHasTealButtonsInATealFrame) {
    Fixture f;
    game::ResultHandover handover;
    HighscoreWindow window(f.services, handover, 3);
    window.show();
    EXPECT_EQ(backgroundOf(child<QPushButton>(window, "cmdOK")), theme::kTeal);
    EXPECT_EQ(backgroundOf(child<QPushButton>(window, "cmdDelHS")), theme::kTeal);
    const QImage frame = child<QFrame>(window, "Shape1").grab().toImage();
    EXPECT_EQ(frame.pixelColor(frame.width() / 2, 0), theme::kTeal);
}

TEST(Theme, RulesAndHelpShowDarkFieldsAndTealButtons) {
    Fixture f;
    PicsWindow rules(f.services);
    rules.setPurpose(PicsWindow::Purpose::Rules);
    rules.show();
    EXPECT_EQ(backgroundOf(child<QTextEdit>(rules, "txtHelp")), kFieldBack);
    EXPECT_EQ(backgroundOf(child<QPushButton>(rules, "cmdOK")), theme::kTeal);

    HelpWindow help(f.services);
    help.show();
    EXPECT_EQ(backgroundOf(child<QTextEdit>(help, "txtHelpBrowser")), kFieldBack);
    auto* close = child<QDialogButtonBox>(help, "cmdClose").button(QDialogButtonBox::Close);
    ASSERT_NE(close, nullptr);
    EXPECT_EQ(backgroundOf(*close), theme::kTeal);
}

// The main window's command buttons as the sheet knows them: in fraKnopf of frmMarvolen.
TEST(Theme, CommandButtonFollowsItsHighlightBothWays) {
    test::ensureApplication();
    QWidget window;
    window.setObjectName(QStringLiteral("frmMarvolen"));
    window.setStyleSheet(theme::styleSheet());
    auto* frame = new QFrame(&window);
    frame->setObjectName(QStringLiteral("fraKnopf"));
    auto* button = new QPushButton(QStringLiteral("?"), frame);
    button->setGeometry(0, 0, 40, 30);
    window.show();

    theme::setHighlighted(*button, false);
    EXPECT_EQ(backgroundOf(*button), theme::kIdleGrey);
    theme::setHighlighted(*button, true);
    EXPECT_EQ(backgroundOf(*button), theme::kCyan);
    theme::setHighlighted(*button, false);
    EXPECT_EQ(backgroundOf(*button), theme::kIdleGrey);
}

// Every window takes the whole sheet, and a message box opened over it inherits it; no rule may
// reach the box's buttons.
TEST(Theme, MessageBoxOverAThemedWindowLooksAsOverAPlainOne) {
    Fixture f;
    game::ResultHandover handover;
    HighscoreWindow themed(f.services, handover, 3);
    QDialog plain;
    plain.setObjectName(QStringLiteral("frmHighscore"));
    QImage looks[2];
    QWidget* owners[2] = {&themed, &plain};
    for (int i = 0; i < 2; ++i) {
        QMessageBox box(QMessageBox::Question, QStringLiteral("Delete highscore"),
                        QStringLiteral("Really delete all entries?"),
                        QMessageBox::Yes | QMessageBox::No, owners[i]);
        box.show();
        looks[i] = box.button(QMessageBox::Yes)->grab().toImage();
    }
    EXPECT_EQ(looks[0], looks[1]);
    EXPECT_NE(looks[0].pixelColor(4, looks[0].height() / 2), theme::kTeal);
}

} // namespace
} // namespace marvolen::ui
