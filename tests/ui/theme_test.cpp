// The theme reaches the windows: the main window's command buttons follow their highlight, and
// dialogs opened over a themed window keep their own look.
#include "ui/theme.h"

#include "services_fixture.h"
#include "ui/highscore_window.h"

#include <QDialog>
#include <QFrame>
#include <QImage>
#include <QMessageBox>
#include <QPushButton>

#include <gtest/gtest.h>

namespace marvolen::ui {
namespace {

// The main window's command buttons as the sheet knows them: in fraKnopf of frmMarvolen. The
// sheet selects on a property, which only a fresh polish applies.
TEST(Theme, CommandButtonFollowsItsHighlightBothWays) {
    QWidget window;
    window.setObjectName(QStringLiteral("frmMarvolen"));
    window.setStyleSheet(theme::styleSheet());
    auto* frame = new QFrame(&window);
    frame->setObjectName(QStringLiteral("fraKnopf"));
    auto* button = new QPushButton(QStringLiteral("?"), frame);
    button->setGeometry(0, 0, 40, 30);
    window.show();

    theme::setHighlighted(*button, false);
    const QImage resting = button->grab().toImage();
    theme::setHighlighted(*button, true);
    const QImage highlighted = button->grab().toImage();
    EXPECT_NE(highlighted, resting);
    theme::setHighlighted(*button, false);
    EXPECT_EQ(button->grab().toImage(), resting);
}

// Every window takes the whole sheet, and a message box opened over it inherits it; no rule may
// reach the box's buttons.
TEST(Theme, MessageBoxOverAThemedWindowLooksAsOverAPlainOne) {
    test::ServicesFixture f;
    f.services.dataFolder = f.dir.path();
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
