// Qt's own translations: a change of language replaces them, and their owner's end removes them.
#include "ui/services.h"

#include "ui/app_fixture.h"
#include "ui/main_window.h"

#include <QCoreApplication>

#include <gtest/gtest.h>

namespace marvolen::ui {
namespace {

QString yesButton() {
    return QCoreApplication::translate("QPlatformTheme", "&Yes");
}

TEST(QtTranslations, ALanguageChangeReplacesTheTranslationsAndTheirEndRemovesThem) {
    ASSERT_EQ(yesButton(), QStringLiteral("&Yes"));
    {
        QtTranslations translations;
        translations.install(0);
        EXPECT_EQ(yesButton(), QStringLiteral("&Ja"));
        translations.install(6000);
        EXPECT_EQ(yesButton(), QStringLiteral("&Oui"));
        // English adds nothing of its own: a French translator left beneath it would show.
        translations.install(1000);
        EXPECT_EQ(yesButton(), QStringLiteral("&Yes"));
        translations.install(2000);
        EXPECT_EQ(translations.installedOffset(), 2000);
    }
    EXPECT_EQ(yesButton(), QStringLiteral("&Yes"));
}

TEST(QtTranslations, TheProgramsFlagChoiceReachesQtsDialogButtons) {
    test::AppFixture f;
    Application& app = f.start(QStringLiteral("0409"));
    app.startWindow()->OK_Click();
    QCoreApplication::processEvents();
    app.mainWindow()->session().imgLang_Click(6);
    EXPECT_EQ(yesButton(), QStringLiteral("&Oui"));
    f.app.reset(); // the program's end takes its translations out again
    EXPECT_EQ(yesButton(), QStringLiteral("&Yes"));
}

} // namespace
} // namespace marvolen::ui
