// Qt's own translations: a change of language replaces them, and their owner's end removes them.
#include "ui/services.h"

#include "ui/app_fixture.h"

#include <QCoreApplication>

#include <gtest/gtest.h>

namespace marvolen::ui {
namespace {

QString yesButton() {
    return QCoreApplication::translate("QPlatformTheme", "&Yes");
}

TEST(QtTranslations, ALanguageChangeReplacesTheTranslationsAndTheirEndRemovesThem) {
    test::ensureApplication();
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

TEST(QtTranslations, TheFreeFunctionKeepsOneSetOwnedByTheApplication) {
    test::ensureApplication();
    installQtTranslations(3000);
    installQtTranslations(0);
    EXPECT_EQ(yesButton(), QStringLiteral("&Ja"));
    const auto owned = qApp->findChildren<QtTranslations*>(Qt::FindDirectChildrenOnly);
    ASSERT_EQ(owned.size(), 1);
    EXPECT_EQ(owned[0]->installedOffset(), 0);
    delete owned[0];
    EXPECT_EQ(yesButton(), QStringLiteral("&Yes"));
}

} // namespace
} // namespace marvolen::ui
