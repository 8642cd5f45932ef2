// The game's own texts that the language table lacks: the .ts sources, the compiled-in .qm
// files, and the translator that follows the chosen language.
#include "app_fixture.h"
#include "ui/about_window.h"
#include "ui/help_window.h"
#include "ui/services.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDialogButtonBox>
#include <QDirIterator>
#include <QFile>
#include <QPushButton>
#include <QRegularExpression>
#include <QTranslator>
#include <QXmlStreamReader>

#include <algorithm>
#include <map>
#include <set>
#include <vector>

namespace marvolen::ui {
namespace {

const QString kContext = QStringLiteral("Marvolen");

struct Language {
    int offset;
    const char* code;
};
constexpr Language kLanguages[] = {
    {0, "de"}, {1000, "en"}, {2000, "es"}, {3000, "it"}, {6000, "fr"}};

struct Message {
    QString context, source, translation, type;
};

/// One .ts file as lrelease reads it; error is set when it is not well-formed.
struct TsFile {
    std::vector<Message> messages;
    QString error;
};

TsFile readTs(const QString& path) {
    TsFile ts;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        ts.error = QStringLiteral("cannot open ") + path;
        return ts;
    }
    QXmlStreamReader xml(&file);
    QString context;
    Message message;
    while (!xml.atEnd()) {
        xml.readNext();
        if (xml.isStartElement()) {
            if (xml.name() == QLatin1String("name"))
                context = xml.readElementText();
            else if (xml.name() == QLatin1String("message"))
                message = Message{context, {}, {}, {}};
            else if (xml.name() == QLatin1String("source"))
                message.source = xml.readElementText();
            else if (xml.name() == QLatin1String("translation")) {
                message.type = xml.attributes().value(QLatin1String("type")).toString();
                message.translation = xml.readElementText(QXmlStreamReader::IncludeChildElements);
            }
        } else if (xml.isEndElement() && xml.name() == QLatin1String("message")) {
            ts.messages.push_back(message);
        }
    }
    if (xml.hasError())
        ts.error = path + QStringLiteral(": ") + xml.errorString();
    return ts;
}

QString tsPath(const Language& language) {
    return QStringLiteral(MARVOLEN_SOURCE_DIR "/resources/translations/marvolen_%1.ts")
        .arg(QLatin1String(language.code));
}

/// Texts a developer took out of the program stay in the files, marked, until cleaned up.
bool isRetired(const Message& m) {
    return m.type == QLatin1String("vanished") || m.type == QLatin1String("obsolete");
}

/// Every source text of the five files.
std::set<QString> allSourceTexts() {
    std::set<QString> all;
    for (const Language& language : kLanguages)
        for (const Message& m : readTs(tsPath(language)).messages)
            if (!isRetired(m))
                all.insert(m.source);
    return all;
}

/// The %1, %2 ... markers of a text, in order of their numbers.
std::vector<QString> placeholders(const QString& text) {
    static const QRegularExpression marker(QStringLiteral("%\\d+"));
    std::vector<QString> found;
    for (auto it = marker.globalMatch(text); it.hasNext();)
        found.push_back(it.next().captured());
    std::sort(found.begin(), found.end());
    return found;
}

/// The texts of every QCoreApplication::translate("Marvolen", "...") in the program's
/// sources, adjacent literals joined as the compiler joins them.
std::set<QString> translatedTextsInSources() {
    static const QRegularExpression call(
        QStringLiteral(R"re(translate\(\s*"Marvolen"\s*,\s*((?:"(?:[^"\\]|\\.)*"\s*)+))re"));
    static const QRegularExpression literal(QStringLiteral(R"re("((?:[^"\\]|\\.)*)")re"));
    std::set<QString> texts;
    QDirIterator it(QStringLiteral(MARVOLEN_SOURCE_DIR "/src"), {"*.cpp", "*.h"}, QDir::Files,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        QFile file(it.next());
        if (!file.open(QIODevice::ReadOnly))
            continue;
        // Comment lines that show how a text is written are no texts of the program.
        static const QRegularExpression commentLine(QStringLiteral("^\\s*//.*$"),
                                                    QRegularExpression::MultilineOption);
        const QString code = QString::fromUtf8(file.readAll()).remove(commentLine);
        for (auto calls = call.globalMatch(code); calls.hasNext();) {
            const QString literals = calls.next().captured(1);
            QString text;
            for (auto parts = literal.globalMatch(literals); parts.hasNext();)
                text += parts.next().captured(1);
            text.replace(QLatin1String("\\\""), QLatin1String("\""))
                .replace(QLatin1String("\\n"), QLatin1String("\n"))
                .replace(QLatin1String("\\t"), QLatin1String("\t"))
                .replace(QLatin1String("\\\\"), QLatin1String("\\"));
            texts.insert(text);
        }
    }
    return texts;
}

TEST(TranslationSources, EachLanguageHasOneWellFormedFileOfContextMarvolenWithTheSameTexts) {
    const std::set<QString> all = allSourceTexts();
    ASSERT_FALSE(all.empty());
    for (const Language& language : kLanguages) {
        const TsFile ts = readTs(tsPath(language));
        ASSERT_TRUE(ts.error.isEmpty()) << ts.error.toStdString();
        std::set<QString> here;
        for (const Message& m : ts.messages) {
            EXPECT_EQ(m.context, kContext) << language.code << ": " << m.source.toStdString();
            if (!isRetired(m))
                here.insert(m.source);
        }
        for (const QString& text : all)
            EXPECT_TRUE(here.count(text))
                << language.code << " lacks the text \"" << text.toStdString() << "\"";
    }
}

TEST(TranslationSources, EveryTextOfTheProgramIsInTheTranslationFiles) {
    const std::set<QString> inFiles = allSourceTexts();
    const std::set<QString> inProgram = translatedTextsInSources();
    ASSERT_FALSE(inProgram.empty());
    for (const QString& text : inProgram)
        EXPECT_TRUE(inFiles.count(text))
            << "\"" << text.toStdString()
            << "\" is not in resources/translations/*.ts: build the target update_translations "
               "and translate it";
}

TEST(TranslationSources, EveryTranslationIsFinishedAndKeepsThePlaceholders) {
    for (const Language& language : kLanguages) {
        for (const Message& m : readTs(tsPath(language)).messages) {
            if (isRetired(m))
                continue;
            const std::string what = std::string(language.code) + ": " + m.source.toStdString();
            EXPECT_NE(m.type, QLatin1String("unfinished")) << what;
            EXPECT_FALSE(m.translation.trimmed().isEmpty()) << what;
            EXPECT_EQ(placeholders(m.translation), placeholders(m.source)) << what;
        }
    }
}

TEST(TranslationFiles, EveryCompiledInLanguageTranslatesEveryText) {
    const std::set<QString> all = allSourceTexts();
    ASSERT_FALSE(all.empty());
    for (const Language& language : kLanguages) {
        const QString path = gameTranslationPath(language.offset);
        QTranslator translator;
        ASSERT_TRUE(translator.load(path)) << path.toStdString();
        for (const QString& text : all) {
            const QString translated =
                translator.translate("Marvolen", text.toUtf8().constData(), nullptr, -1);
            EXPECT_FALSE(translated.trimmed().isEmpty())
                << language.code << ": " << text.toStdString();
        }
    }
    EXPECT_TRUE(gameTranslationPath(4000).isEmpty());
}

QString board() {
    return QCoreApplication::translate("Marvolen", "Board");
}

QString yesButton() {
    return QCoreApplication::translate("QPlatformTheme", "&Yes");
}

TEST(GameTranslations, FollowTheInstalledLanguageNextToQtsOwnAndLeaveWithTheirOwner) {
    struct Installed {
        int offset;
        const char* board;
        const char* yes; ///< Qt's own text, where it matters
    };
    // In this order: English after the others must leave none of theirs behind, and a stored
    // offset of no language shows the program's own English.
    const Installed languages[] = {
        {0, "Spielbrett", "&Ja"},   {2000, "Tablero", nullptr}, {3000, "Tavola da gioco", nullptr},
        {6000, "Plateau", nullptr}, {1000, "Board", "&Yes"},    {4000, "Board", nullptr}};
    ASSERT_EQ(board(), QStringLiteral("Board"));
    {
        QtTranslations translations;
        for (const Installed& language : languages) {
            SCOPED_TRACE(language.offset);
            translations.install(language.offset);
            EXPECT_EQ(board(), QString::fromUtf8(language.board));
            if (language.yes) {
                EXPECT_EQ(yesButton(), QString::fromUtf8(language.yes));
            }
        }
    }
    EXPECT_EQ(board(), QStringLiteral("Board"));
}

TEST(GameTranslations, AFollowedLanguageCountsAtEveryLookupWithoutAnInstall) {
    int offset = 0;
    QtTranslations translations;
    translations.follow([&offset] { return offset; });
    EXPECT_EQ(board(), QStringLiteral("Spielbrett"));
    offset = 6000;
    EXPECT_EQ(board(), QStringLiteral("Plateau"));
    EXPECT_EQ(yesButton(), QStringLiteral("&Oui"));
}

TEST(GameTranslations, TheStartWindowsFlagChoiceReachesTheGamesTexts) {
    test::AppFixture f;
    Application& app = f.start(QStringLiteral("0409"));
    ASSERT_NE(app.startWindow(), nullptr);
    app.startWindow()->imgLang_Click(3);
    EXPECT_EQ(board(), QStringLiteral("Tavola da gioco"));
    app.startWindow()->imgLang_Click(0);
    EXPECT_EQ(board(), QStringLiteral("Spielbrett"));
    f.app.reset();
    EXPECT_EQ(board(), QStringLiteral("Board"));
}

TEST(GameTranslations, TheHelpWindowsButtonSpeaksTheLanguageOfEachShowing) {
    test::AppFixture f;
    Application& app = f.start(QStringLiteral("0407"));
    const auto closeText = [] {
        for (QWidget* top : QApplication::topLevelWidgets())
            if (auto* help = qobject_cast<HelpWindow*>(top))
                return help->findChild<QDialogButtonBox*>()
                    ->button(QDialogButtonBox::Close)
                    ->text();
        return QString();
    };
    showHelpWindow(app.services(), nullptr);
    EXPECT_EQ(closeText(), QStringLiteral("Schließen"));
    app.startWindow()->imgLang_Click(6);
    showHelpWindow(app.services(), nullptr);
    EXPECT_EQ(closeText(), QStringLiteral("Fermer"));
    for (QWidget* top : QApplication::topLevelWidgets())
        if (qobject_cast<HelpWindow*>(top))
            delete top;
}

} // namespace
} // namespace marvolen::ui
