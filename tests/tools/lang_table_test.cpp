// Checks the generated language table: every text through the game's lookup, and its bytes.
#include "app/resources.h"
#include "core/cp1252.h"
#include "core/failure.h"
#include "lang/language.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

namespace {

using marvolen::FixedReporter;
using marvolen::lang::Language;

constexpr int kDigits[] = {0, 1, 2, 3, 6};

struct Row {
    int number;
    const char* texts[5]; // German, English, Spanish, Italian, French (UTF-8)

    // A row is written as its number and five texts, without braces around the texts.
    constexpr Row(int n, const char* de, const char* en, const char* es, const char* it,
                  const char* fr)
        : number(n), texts{de, en, es, it, fr} {}
};

// Every text as the lookup must return it, written out independently of the table's source.
const Row kTable[] = {
    {102, "Weitere Informationen siehe readme.htm!", "For more information see readme.htm!",
     "¡Para más información vea readme.txt!", "Altre informazioni vedi in readme.htm!",
     "Pour plus d'information voir readme.htm!"},
    {110, "Spiel starten", "Start game", "Comenzar juego", "Iniziare il gioco",
     "Démarrer une partie"},
    {111, "Spiel beenden", "End game", "Finalizar juego", "Finire il gioco", "Terminer le jeu"},
    {112, "Spielvariante", "Select game", "Elija juego", "Possibilitá di cambiamento del gioco",
     "Sélectionnez un jeu"},
    {113, "Spielregeln", "Rules of the game", "Reglas de juego", "Regole del gioco",
     "Règle du jeu"},
    {114, "Champions anzeigen...", "Show champions...", "Mejores puntuaciones...",
     "Mostrare il campione...", "Afficher les champions..."},
    {115, "Kugeln auswählen", "Select marbles", "Elija bolas", "Cercare la sfera",
     "Sélectionnez les marbres"},
    {116, "Brett auswählen", "Select board", "Elija tablero", "Cercare dala tavola per il gioco",
     "Sélectionnez le plateau"},
    {117, "Weitere Optionen...", "More options...", "Más opciones...", "Opzione...",
     "Plus d'options..."},
    {118, "&Hintergrundmusik", "&Play music", "&Música", "&Musica di sottofondo",
     "Jouer la &musique"},
    {119, "&Geräuscheffekte", "&Sound effects", "&Efectos de sonido", "&Rumori di effetto",
     "Effet &sonores"},
    {120, "Hilfe", "Help", "Ayuda", "Aiuto", "Aide"},
    {123, "&Über...", "&About...", "&Acerca de...", "&Sopra...", "&A propos..."},
    {124, "Wirklich schon aufhören?", "Really end game?", "¿Realmente quiere terminar el juego?",
     "Desidera veramente giá finire?", "Voulez vous vraiment termeniner le jeu ?"},
    {126, "Bitte gib deinen Namen ein!", "Please enter your name!",
     "¡Por favor, introduzca su nombre!", "Nome del giocatore:", "Veuillez entrer votre nom !"},
    {128, "Glückwunsch!", "Congratulations!", "¡Felicidades!", "Gratulazione!", "Félicitations !"},
    {133, "&Einmal", "&Once", "&Una vez", "&Una volta", "&Une fois"},
    {134, "En&dlos", "&Loop", "&Continua", "&Senza fine", "En &boucle"},
    {135, "Wirklich alle Einträge löschen?", "Really delete all entries?",
     "¿Seguro que desea borrar las mejores puntuaciones?",
     "Vuole davvero cancellare la lista di campioni di Marvolen?",
     "Voulez vous vraiment supprimer toutes les entrées ?"},
    {136, "Championliste löschen", "Delete highscore", "Borrar mejores puntuaciones",
     "Cancellare la lista di campioni", "Supprimer les scores"},
    {137, "Keine weiteren Züge mehr möglich!", "No more possible moves!",
     "¡No hay más movimientos posibles!", "Non ci sono piú movimenti possibili!",
     "Plus de mouvements possibles !"},
    {138, "Spielende", "Game over", "Game over", "Finito", "Game over"},
    {144, "Name", "Name", "Nombre", "Nome", "Nom"},
    {149, "&Keine", "&Off", "&Ninguna", "&Nessuna", "&Off"},
    {159, "&Löschen", "&Reset", "&Borrar", "&Cancellare", "&Réinitialiser"},
    {170, "Spielregeln", "Rules of the game", "Reglas del juego", "Regole del gioco",
     "Règle du jeu"},
    {171, "Ziel des Spieles ist es, so viele Kugeln wie möglich zu entfernen.",
     "Aim of the game is to remove as many marbles as possible.",
     "El objetivo del juego es eliminar el mayor número posible de bolas del tablero de juego.",
     "Il fine del gioco é eliminare tante sfere quante ne sono possibili dalla tavolo da gioco.",
     "Le but du jeu est d'enlever autant de marbres que possible."},
    {172, "Man fasst eine Kugel mit der Maus an und lässt sie in ein leeres Loch fallen.",
     "Move the marbles by drag and Drop.", "Las bolas se mueven con \"Arrastrar y soltar\"",
     "Si prende una sfere con il topo e si lascia cadere in in un buco vuoto.",
     "Déplacer les marbres par \"drag and Drop\"."},
    {173,
     "Erlaubte Züge sind horizontale oder vertikale Sprünge über eine andere Kugel in ein leeres "
     "Loch.",
     "Legal moves are horizontal or vertical jumps of one marble over another to an empty hole.",
     "Sólo se permiten realizar movimientos horizontales o verticales y una bola podrá saltar "
     "sobre otra cuando el hueco siguiente se encuentre vacío.",
     "Le mosse possibili sono quelle verso orrizzontale oppure verticale sopra una sfera.",
     "Les mouvements légaux sont les sauts horizontaux ou verticaux d'un marbre sur un autre vers "
     "un trou vide."},
    {174, "Die Kugel, die übersprungen wurde, wird dann entfernt.",
     "The marble that has been jumped over is removed.",
     "La bola sobre la que se ha saltado será eliminada del tablero.",
     "La sfera che viene saltata viene eliminata.", "Le marbre qui a été sauté est retiré du jeu."},
    {175,
     "Beim Eintrag in die Championsliste hat die Zahl der Kugeln Vorrang vor der benötigten Zeit.",
     "For entering the highscores list, the number of left marbles has priority before the time "
     "needed.",
     "Para formar parte del listado de records tiene prioridad el número de bolas eliminadas antes "
     "que el tiempo empleado en hacerlo.",
     "Quando si entra nella lista dei campioni il numero delle sfere eliminate ha il sopravvento "
     "sul tempo impiegato.",
     "Pour l'entrée dans la liste des scores, le nombre de marbres restants a la priorité sur le "
     "temps nécessaire."},
};

QString expectedText(const Row& row, int languageIndex) {
    return QString::fromUtf8(row.texts[languageIndex]);
}

// Texts compared as UTF-8 so that a failure prints them readably.
std::string utf8(const QString& text) {
    return text.toStdString();
}

QByteArray tableResource() {
    return marvolen::app::loadResource(QStringLiteral("CUSTOM"), 1000);
}

// The language file as start-up writes it: the resource's bytes, unchanged.
class LanguageTableLookup : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(m_dir.isValid());
        const QString path = m_dir.filePath(QStringLiteral("~tmp.lng"));
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        const QByteArray bytes = tableResource();
        ASSERT_EQ(file.write(bytes), bytes.size());
        file.close();
        m_language.setLanguageFilePath(path);
    }

    QTemporaryDir m_dir;
    FixedReporter m_reporter;
    Language m_language{m_reporter};
};

TEST_F(LanguageTableLookup, EveryNumberReadsBackExactlyInEveryLanguage) {
    for (const Row& row : kTable)
        for (int i = 0; i < 5; ++i) {
            const int key = kDigits[i] * 1000 + row.number;
            EXPECT_EQ(utf8(m_language.GetLang(key)), utf8(expectedText(row, i))) << "key " << key;
        }
    EXPECT_EQ(m_reporter.count(), 0);
}

TEST_F(LanguageTableLookup, TheLanguageOffsetSelectsTheLanguage) {
    EXPECT_EQ(utf8(m_language.text(110)), "Spiel starten");
    m_language.setLanguageOffset(6000);
    EXPECT_EQ(utf8(m_language.text(110)), "Démarrer une partie");
}

TEST_F(LanguageTableLookup, TheFirstOfTheTwoSpanishRulesCaptionsWins) {
    EXPECT_EQ(utf8(m_language.GetLang(2113)), "Reglas de juego");
}

TEST_F(LanguageTableLookup, TrailingBlanksAndTabsAreNotPartOfTheText) {
    EXPECT_EQ(utf8(m_language.GetLang(1112)), "Select game");
    EXPECT_EQ(utf8(m_language.GetLang(1172)), "Move the marbles by drag and Drop.");
    EXPECT_EQ(utf8(m_language.GetLang(6173)),
              "Les mouvements légaux sont les sauts horizontaux ou verticaux "
              "d'un marbre sur un autre vers un trou vide.");
}

TEST_F(LanguageTableLookup, InnerQuotationMarksStay) {
    EXPECT_EQ(utf8(m_language.GetLang(2172)), "Las bolas se mueven con \"Arrastrar y soltar\"");
    EXPECT_EQ(utf8(m_language.GetLang(6172)), "Déplacer les marbres par \"drag and Drop\".");
}

TEST_F(LanguageTableLookup, NumbersWithoutAnEntryGiveTheEmptyText) {
    for (int key : {1106, 121, 4110, 5110, 6160, 0, 9999})
        EXPECT_EQ(utf8(m_language.GetLang(key)), "") << "key " << key;
    EXPECT_EQ(m_reporter.count(), 0);
}

TEST_F(LanguageTableLookup, RulesHeadingsOfEveryLanguage) {
    // The rules window draws its rule of hyphens under these headings.
    EXPECT_EQ(utf8(m_language.GetLang(170)), "Spielregeln");
    EXPECT_EQ(utf8(m_language.GetLang(1170)), "Rules of the game");
    EXPECT_EQ(utf8(m_language.GetLang(2170)), "Reglas del juego");
    EXPECT_EQ(utf8(m_language.GetLang(3170)), "Regole del gioco");
    EXPECT_EQ(utf8(m_language.GetLang(6170)), "Règle du jeu");
}

// The table's lines without the final CR LF NUL, split at CR LF.
std::vector<QByteArray> tableLines(const QByteArray& bytes) {
    std::vector<QByteArray> lines;
    const QByteArray body = bytes.first(bytes.size() - 3);
    for (const QByteArray& line : body.split('\n'))
        lines.push_back(line.endsWith('\r') ? line.first(line.size() - 1) : line);
    return lines;
}

TEST(LanguageTableFile, StartsWithTheSectionAndEndsWithCrLfAndOneNul) {
    const QByteArray bytes = tableResource();
    EXPECT_TRUE(bytes.startsWith("[lang]\r\n"));
    EXPECT_EQ(bytes.right(3), QByteArray("\r\n\0", 3));
    EXPECT_EQ(bytes.count('\0'), 1);
}

TEST(LanguageTableFile, EveryLineEndsWithCrLf) {
    const QByteArray bytes = tableResource();
    for (qsizetype i = 0; i < bytes.size(); ++i) {
        if (bytes[i] == '\n') {
            EXPECT_TRUE(i > 0 && bytes[i - 1] == '\r') << "lone LF at byte " << i;
        }
        if (bytes[i] == '\r') {
            EXPECT_TRUE(i + 1 < bytes.size() && bytes[i + 1] == '\n') << "lone CR at byte " << i;
        }
    }
}

// Each line, decoded from Windows-1252: the key in table order (2113 twice), " = ", the text,
// the blank that ends some texts, and the TAB of German, English and Italian lines. A character
// lost in the encoding would decode to something else.
TEST(LanguageTableFile, EveryLineIsKeyAndTextInTableOrder) {
    const std::set<QString> endingInBlank = {"1112", "0171", "1171", "3171", "0172", "1172",
                                             "3172", "0174", "1174", "3174", "6173"};
    std::vector<QString> expected = {QStringLiteral("[lang]")};
    for (const Row& row : kTable)
        for (int i = 0; i < 5; ++i) {
            const int digit = kDigits[i];
            const QString key = QString::number(digit * 1000 + row.number).rightJustified(4, u'0');
            QString line = key + QStringLiteral(" = ") + expectedText(row, i);
            if (endingInBlank.count(key))
                line += u' ';
            if (digit == 0 || digit == 1 || digit == 3)
                line += u'\t';
            expected.push_back(line);
            if (key == QLatin1String("2113"))
                expected.push_back(QStringLiteral("2113 = Reglas del juego"));
        }
    const std::vector<QByteArray> lines = tableLines(tableResource());
    ASSERT_EQ(lines.size(), expected.size());
    for (std::size_t i = 0; i < lines.size(); ++i)
        EXPECT_EQ(utf8(marvolen::cp1252::decode(lines[i])), utf8(expected[i])) << "line " << i + 1;
}

TEST(LanguageTableFile, SpanishAndFrenchLinesEndInTheirTextExcept6173) {
    for (const QByteArray& line : tableLines(tableResource())) {
        if (line.startsWith("6173 "))
            continue;
        if (line.startsWith('2') || line.startsWith('6')) {
            EXPECT_FALSE(line.endsWith(' ') || line.endsWith('\t')) << line.constData();
        }
    }
}

TEST(LanguageTableFile, StaysUnderNineKilobytes) {
    EXPECT_LT(tableResource().size(), 9 * 1024);
}

} // namespace
