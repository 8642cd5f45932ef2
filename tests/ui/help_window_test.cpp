// Tests of the help: the five documents the game carries, and the help window that shows them.
#include "ui/help_window.h"

#include "ui/app_fixture.h"

#include <QApplication>
#include <QDialogButtonBox>
#include <QFile>
#include <QPushButton>
#include <QRegularExpression>
#include <QScreen>
#include <QScrollBar>
#include <QSettings>
#include <QStringDecoder>
#include <QTemporaryDir>
#include <QTextBrowser>

#include "services_fixture.h"

#include <gtest/gtest.h>

#include <set>

namespace marvolen::ui {
namespace {

/// Services with the game's own language table in a temporary folder.
struct Fixture : test::ServicesFixture {
    QList<QUrl>& opened = ports.opened;

    Fixture() {
        const QString path = dir.filePath("~tmp.lng");
        QFile::copy(QStringLiteral(":/res/CUSTOM/1000"), path);
        language.setLanguageFilePath(path);
    }
    ~Fixture() {
        // The one help window must not outlive the services it was made for.
        for (QWidget* w : QApplication::topLevelWidgets())
            if (w->objectName() == QLatin1String("frmHelp"))
                delete w;
    }
};

std::vector<HelpWindow*> helpWindows() {
    std::vector<HelpWindow*> found;
    for (QWidget* w : QApplication::topLevelWidgets())
        if (auto* help = qobject_cast<HelpWindow*>(w))
            found.push_back(help);
    return found;
}

QString plainText(const QString& html) {
    QTextDocument document;
    document.setHtml(html);
    return document.toPlainText();
}

struct HelpLanguage {
    int digit;
    const char* code;
    /// Words only a document in this language has.
    std::vector<const char*> words;
};

void PrintTo(const HelpLanguage& language, std::ostream* os) {
    *os << language.code;
}

const HelpLanguage kLanguages[] = {
    {0, "de", {"Kugel", "Spielbrett", "Einstellungen"}},
    {1, "en", {"marble", "board", "settings"}},
    {2, "es", {"bolas", "tablero", "configuración"}},
    {3, "it", {"biglie", "tavola", "impostazioni"}},
    {6, "fr", {"billes", "plateau", "réglages"}},
};

class HelpDocument : public ::testing::TestWithParam<HelpLanguage> {
  protected:
    void SetUp() override {
        const int digit = GetParam().digit;
        m_fixture.language.setLanguageOffset(std::int16_t(digit * 1000));
        QFile file(helpResourcePath(digit));
        ASSERT_TRUE(file.open(QIODevice::ReadOnly)) << "no HELP/" << digit;
        m_bytes = file.readAll();
        m_html = QString::fromUtf8(m_bytes);
        m_text = plainText(m_html);
    }
    /// A caption of the language table as the screen shows it, without its accelerator mark.
    QString caption(int number) const {
        return m_fixture.language.text(number).remove(QLatin1Char('&'));
    }

    Fixture m_fixture;
    QByteArray m_bytes;
    QString m_html;
    QString m_text;
};

TEST_P(HelpDocument, IsUtf8AndWrittenInItsLanguage) {
    QStringDecoder utf8(QStringDecoder::Utf8);
    (void)utf8.decode(m_bytes);
    EXPECT_FALSE(utf8.hasError());
    EXPECT_TRUE(m_html.contains(QStringLiteral("<html lang=\"%1\">").arg(GetParam().code)));
    for (const char* word : GetParam().words)
        EXPECT_TRUE(m_text.contains(QString::fromUtf8(word), Qt::CaseInsensitive)) << word;
    // The title names the help as the help button's tooltip does.
    EXPECT_TRUE(m_html.contains(QStringLiteral("<title>Marvolen – %1</title>").arg(caption(120))));
}

TEST_P(HelpDocument, NamesEveryCommandButtonBySymbolAndTooltip) {
    const char16_t* symbols[] = {u"\u2B9A", u"\u25A0", u"?",      u"\U0001F453", u"\u2B55",
                                 u"\u2751", u"\u262F", u"\u2327", u"\u263A"};
    for (const char16_t* symbol : symbols)
        EXPECT_TRUE(m_text.contains(QString::fromUtf16(symbol)))
            << qPrintable(QString::fromUtf16(symbol));
    for (int tooltip : {110, 111, 113, 120, 115, 116, 117, 114})
        EXPECT_TRUE(m_text.contains(caption(tooltip)))
            << tooltip << " " << qPrintable(caption(tooltip));
    EXPECT_TRUE(m_text.contains(QStringLiteral("Tessaro's Homepage")));
}

TEST_P(HelpDocument, QuotesTheOptionsMenuAsItReads) {
    // Sound effects, the music submenu with its three modes, and About.
    for (int number : {119, 118, 149, 133, 134, 123}) {
        ASSERT_FALSE(caption(number).isEmpty()) << number;
        EXPECT_TRUE(m_text.contains(caption(number)))
            << number << " " << qPrintable(caption(number));
    }
}

TEST_P(HelpDocument, ExplainsTheEndOfAGameAndTheChampionsList) {
    // The end message, the name prompt, the reset button and its question, as the game shows them.
    for (int number : {137, 126, 128, 159, 135, 124})
        EXPECT_TRUE(m_text.contains(caption(number)))
            << number << " " << qPrintable(caption(number));
    EXPECT_TRUE(m_text.contains(QStringLiteral("Marvolen Champions")));
    EXPECT_TRUE(m_text.contains(QStringLiteral("~/.config/Marvolen/Marvolen.conf")));
    EXPECT_TRUE(m_text.contains(QStringLiteral("Marvolen.hsc")));
}

TEST_P(HelpDocument, EveryInternalLinkHasItsAnchor) {
    static const QRegularExpression link(QStringLiteral("href=\"#([^\"]+)\""));
    static const QRegularExpression anchor(QStringLiteral("<a name=\"([^\"]+)\""));
    std::set<QString> anchors;
    for (const auto& m : anchor.globalMatch(m_html))
        anchors.insert(m.captured(1));
    int links = 0;
    for (const auto& m : link.globalMatch(m_html)) {
        ++links;
        EXPECT_TRUE(anchors.count(m.captured(1))) << qPrintable(m.captured(1));
    }
    EXPECT_GE(links, 11);
}

TEST_P(HelpDocument, DrawsAllTwentyVariants) {
    EXPECT_FALSE(m_html.contains(QStringLiteral("variant-overview")));
    EXPECT_EQ(m_html.count(QStringLiteral("<pre>")), 20);
    // Variant 1 has 21 holes and variant 8 every one of the 49.
    EXPECT_TRUE(m_html.contains(QStringLiteral("<b>1</b><pre>")));
    EXPECT_TRUE(m_html.contains(QStringLiteral("</pre>49 ")));
}

INSTANTIATE_TEST_SUITE_P(HelpDocuments, HelpDocument, ::testing::ValuesIn(kLanguages),
                         [](const auto& info) { return std::string(info.param.code); });

TEST(HelpDocuments, AllLanguagesHaveTheSameSections) {
    static const QRegularExpression anchor(QStringLiteral("<a name=\"([^\"]+)\""));
    auto anchorsOf = [](int digit) {
        QFile file(helpResourcePath(digit));
        EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << digit;
        std::vector<QString> names;
        for (const auto& m : anchor.globalMatch(QString::fromUtf8(file.readAll())))
            names.push_back(m.captured(1));
        return names;
    };
    const auto english = anchorsOf(1);
    EXPECT_GE(english.size(), 12u);
    for (int digit : {0, 2, 3, 6})
        EXPECT_EQ(anchorsOf(digit), english) << digit;
}

struct ShownLanguage {
    int offset;
    int digit;
    const char* title;
};

void PrintTo(const ShownLanguage& shown, std::ostream* os) {
    *os << shown.offset;
}

class HelpWindowLanguage : public ::testing::TestWithParam<ShownLanguage> {};

TEST_P(HelpWindowLanguage, ShowsTheDocumentOfTheCurrentLanguage) {
    Fixture f;
    f.language.setLanguageOffset(std::int16_t(GetParam().offset));
    HelpWindow w(f.services);
    EXPECT_EQ(w.shownDigit(), GetParam().digit);
    EXPECT_EQ(w.windowTitle(), QString::fromUtf8(GetParam().title));
    QFile file(helpResourcePath(GetParam().digit));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(w.browser()->toPlainText(), plainText(QString::fromUtf8(file.readAll())));
}

INSTANTIATE_TEST_SUITE_P(HelpWindow, HelpWindowLanguage,
                         ::testing::Values(ShownLanguage{0, 0, "Marvolen – Hilfe"},
                                           ShownLanguage{1000, 1, "Marvolen – Help"},
                                           ShownLanguage{2000, 2, "Marvolen – Ayuda"},
                                           ShownLanguage{3000, 3, "Marvolen – Aiuto"},
                                           ShownLanguage{6000, 6, "Marvolen – Aide"}));

TEST(HelpWindow, FallsBackToEnglishWhereNoDocumentExists) {
    EXPECT_EQ(helpDocumentDigit(4000), 1);
    EXPECT_EQ(helpDocumentDigit(5000), 1);
    EXPECT_EQ(helpDocumentDigit(-1000), 1);
    EXPECT_EQ(helpDocumentDigit(6000), 6);
    Fixture f;
    f.language.setLanguageOffset(4000);
    HelpWindow w(f.services);
    EXPECT_EQ(w.shownDigit(), 1);
    EXPECT_TRUE(w.browser()->toPlainText().contains(QStringLiteral("How to play")));
    // No text 4120 either: the title is the program's name alone.
    EXPECT_EQ(w.windowTitle(), QStringLiteral("Marvolen"));
}

TEST(HelpWindow, AnchorsScrollWithinAndWebLinksGoToTheDesktop) {
    Fixture f;
    f.language.setLanguageOffset(1000);
    HelpWindow w(f.services);
    w.show();
    QApplication::processEvents();
    QScrollBar* bar = w.browser()->verticalScrollBar();
    ASSERT_EQ(bar->value(), 0);

    emit w.browser()->anchorClicked(QUrl(QStringLiteral("#files")));
    EXPECT_GT(bar->value(), 1000);
    // The title's anchor sits a few pixels below the top margin.
    emit w.browser()->anchorClicked(QUrl(QStringLiteral("#top")));
    EXPECT_LT(bar->value(), 20);
    EXPECT_TRUE(f.opened.empty());

    const QString before = w.browser()->toPlainText();
    emit w.browser()->anchorClicked(QUrl(QStringLiteral("https://example.org/marvolen")));
    emit w.browser()->anchorClicked(QUrl(QStringLiteral("file:///etc/passwd")));
    ASSERT_EQ(f.opened.size(), 1u);
    EXPECT_EQ(f.opened[0], QUrl(QStringLiteral("https://example.org/marvolen")));
    EXPECT_EQ(w.browser()->toPlainText(), before);
}

TEST(HelpWindow, ShowingTwiceKeepsOneWindowInTheNewLanguage) {
    Fixture f;
    QWidget owner;
    f.language.setLanguageOffset(0);
    showHelpWindow(f.services, &owner);
    ASSERT_EQ(helpWindows().size(), 1u);
    HelpWindow* first = helpWindows()[0];
    EXPECT_EQ(first->shownDigit(), 0);
    first->browser()->verticalScrollBar()->setValue(200);

    // The same language again keeps the reader's place.
    showHelpWindow(f.services, &owner);
    EXPECT_EQ(helpWindows(), std::vector<HelpWindow*>{first});
    EXPECT_EQ(first->browser()->verticalScrollBar()->value(), 200);

    f.language.setLanguageOffset(6000);
    showHelpWindow(f.services, &owner);
    EXPECT_EQ(helpWindows(), std::vector<HelpWindow*>{first});
    EXPECT_TRUE(first->isVisible());
    EXPECT_EQ(first->shownDigit(), 6);
    EXPECT_EQ(first->windowTitle(), QStringLiteral("Marvolen – Aide"));

    // Closed and asked for again: the same window comes back.
    first->findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Close)->click();
    EXPECT_FALSE(first->isVisible());
    showHelpWindow(f.services, &owner);
    EXPECT_EQ(helpWindows(), std::vector<HelpWindow*>{first});
    EXPECT_TRUE(first->isVisible());
}

TEST(HelpWindow, OpensBesideTheGameWhereTheScreenHasRoom) {
    Fixture f;
    QWidget owner;
    owner.setGeometry(10, 10, 80, 80);
    owner.show();
    showHelpWindow(f.services, &owner);
    ASSERT_EQ(helpWindows().size(), 1u);
    const QRect help = helpWindows()[0]->geometry();
    EXPECT_GT(help.left(), owner.frameGeometry().right());
    EXPECT_TRUE(owner.screen()->availableGeometry().contains(help))
        << help.width() << "x" << help.height();
}

TEST(HelpWindow, WithoutAnOwnerTheWindowGoesWhenClosed) {
    Fixture f;
    showHelpWindow(f.services, nullptr);
    ASSERT_EQ(helpWindows().size(), 1u);
    helpWindows()[0]->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(helpWindows().empty());
    showHelpWindow(f.services, nullptr);
    EXPECT_EQ(helpWindows().size(), 1u);
}

} // namespace
} // namespace marvolen::ui
