// Tests of the error report behind the error window: the protocol of a failure, the log, the
// overwrite question, and saving, mailing and the web page; no window and no QApplication.
#include "app/error_report.h"

#include "qstring_printer.h"
#include "session_fakes.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace marvolen::app {
namespace {

const QString kCrLf = QStringLiteral("\r\n");
const QDateTime kNow(QDate(2024, 3, 7), QTime(14, 5, 9));
const SystemInfo kSystem{QStringLiteral("linux"), 6, 1, 76, QStringLiteral("Debian GNU/Linux 12")};
const QString kMail = QStringLiteral("support@example.org");
const QString kHomepage = QStringLiteral("https://www.example.org/marvolen/");

ErrorInfo fileNotFound() {
    return {53, QStringLiteral("File not found"), QStringLiteral("Allgemein"),
            QStringLiteral("GetLang"), 50080};
}

ErrorInfo typeMismatch() {
    return {13, QStringLiteral("Type mismatch"), QStringLiteral("frmMarvolen"),
            QStringLiteral("Timer1_Timer"), 50030};
}

/// The session's recorder, which also answers the error report's plain questions and holds
/// its clipboard: every request lands in the one ordered log of events.
class ReportRecorder : public test::Recorder, public PlainDialogs, public Clipboard {
  public:
    /// Logged as "confirm <title>: <text>"; answered with overwrite.
    bool confirm(const QString& title, const QString& text) override {
        log("confirm " + title.toStdString() + ": " + text.toStdString());
        return overwrite;
    }
    void tell(const QString& title, const QString& text) override {
        log("tell " + title.toStdString() + ": " + text.toStdString());
    }
    void warn(const QString& title, const QString& text) override {
        log("warn " + title.toStdString() + ": " + text.toStdString());
    }
    void putText(const QString& text) override { log("clipboard " + text.toStdString()); }

    bool overwrite = true;
};

QByteArray fileBytes(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<no file>");
}

/// The protocol line by line, for a failure of version 1.0.0 at `when` on kSystem.
QString expectedProtocol(const char* error, const char* module, const char* procedure,
                         const char* line, const QString& progInfo = "marvolen  V1.0.0",
                         const QString& when = "03-07-2024 / 14:05:09") {
    const QString rule(70, QLatin1Char('-'));
    const QString indent(10, QLatin1Char(' '));
    const QStringList lines = {
        rule,
        QStringLiteral("F E H L E R P R O T O K O L L  /  E R R O R   P R O T O C O L L"),
        rule,
        QStringLiteral("PROGRAMM-INFO:"),
        indent + progInfo,
        rule,
        QStringLiteral("FEHLERBESCHREIBUNG / ERROR DESCRIPTION:"),
        indent + QStringLiteral("Fehler-Nr / error :\t") + QLatin1String(error),
        indent + QStringLiteral("Modul:\t") + QLatin1String(module),
        indent + QStringLiteral("Prozedur / procedure:\t") + QLatin1String(procedure),
        indent + QStringLiteral("Zeile / Line:\t") + QLatin1String(line),
        indent + QStringLiteral("Datum/Uhrzeit (Date/Time):\t") + when,
        rule,
        QStringLiteral("SYSTEMINFO:"),
        indent + QStringLiteral("Plattform/Environment:\tlinux"),
        indent + QStringLiteral("Version:\t6.1"),
        indent + QStringLiteral("Build:\t76   Debian GNU/Linux 12"),
        rule};
    return lines.join(kCrLf) + kCrLf;
}
QString fileNotFoundProtocol() {
    return expectedProtocol("53 (File not found)", "Allgemein", "GetLang", "50080");
}
QString typeMismatchProtocol() {
    return expectedProtocol("13 (Type mismatch)", "frmMarvolen", "Timer1_Timer", "50030");
}

/// An error report over a temporary folder, a clock standing at kNow unless moved, and the
/// recorder for every port.
struct Report {
    QTemporaryDir dir;
    QDateTime now = kNow;
    ReportRecorder ports;

    /// A report whose files go to folder, the temporary folder when empty.
    ErrorReport make(const QString& folder = {}) {
        ErrorReportSetup setup;
        setup.folder = folder.isEmpty() ? dir.path() : folder;
        setup.baseName = QStringLiteral("marvolen");
        setup.defaultProgInfo = QStringLiteral("marvolen  V1.0.0");
        setup.clock = [this] { return now; };
        setup.system = kSystem;
        setup.supportMail = kMail;
        setup.homepage = kHomepage;
        return ErrorReport(setup, {ports, ports, ports});
    }
    QString logPath() const { return dir.filePath(QStringLiteral("marvolen.EPT")); }
    QString savePath() const { return dir.filePath(QStringLiteral("marvolen.ERR")); }
    void writeSaved(const QByteArray& bytes) const {
        QFile old(savePath());
        ASSERT_TRUE(old.open(QIODevice::WriteOnly));
        old.write(bytes);
    }
};

// ---- the protocol and the log ---------------------------------------------------------------

TEST(ErrorReportLog, AFailureIsLoggedAsOneProtocolWithItsFourValuesAfterTheirLabels) {
    Report r;
    ErrorReport report = r.make();
    EXPECT_EQ(report.reportFailure(fileNotFound()), QString()) << "no note: the log was written";

    const QByteArray log = fileBytes(r.logPath());
    EXPECT_EQ(log, (fileNotFoundProtocol() + kCrLf).toUtf8());
    const QList<QByteArray> lines = log.split('\n');
    ASSERT_GE(lines.size(), 12);
    const QByteArray indent(10, ' ');
    EXPECT_EQ(lines[7], indent + "Fehler-Nr / error :\t53 (File not found)\r");
    EXPECT_EQ(lines[8], indent + "Modul:\tAllgemein\r");
    EXPECT_EQ(lines[9], indent + "Prozedur / procedure:\tGetLang\r");
    EXPECT_EQ(lines[10], indent + "Zeile / Line:\t50080\r");
    EXPECT_EQ(lines[11], indent + "Datum/Uhrzeit (Date/Time):\t03-07-2024 / 14:05:09\r");
    EXPECT_EQ(report.protocol(), fileNotFoundProtocol()) << "the protocol the buttons use";
    EXPECT_TRUE(r.ports.events.empty()) << "logging asks nothing";
}

TEST(ErrorReportLog, TwoFailuresAppendTwoProtocolsEachFollowedByAnEmptyLine) {
    Report r;
    ErrorReport report = r.make();
    report.reportFailure(fileNotFound());
    report.reportFailure(typeMismatch());
    EXPECT_EQ(fileBytes(r.logPath()),
              (fileNotFoundProtocol() + kCrLf + typeMismatchProtocol() + kCrLf).toUtf8());
}

TEST(ErrorReportLog, AFailureBehindTheShownOneIsOnlyLoggedAndTheShownOneStays) {
    Report r;
    ErrorReport report = r.make();
    report.reportFailure(fileNotFound());
    EXPECT_EQ(report.logOnly(typeMismatch()), QString());
    EXPECT_EQ(fileBytes(r.logPath()),
              (fileNotFoundProtocol() + kCrLf + typeMismatchProtocol() + kCrLf).toUtf8());
    EXPECT_EQ(report.errorValues()[1], QStringLiteral("Allgemein"));
    EXPECT_EQ(report.protocol(), fileNotFoundProtocol());
}

TEST(ErrorReportLog, TheProgramInformationLineIsTheOneSetElseTheDefault) {
    Report r;
    ErrorReport report = r.make();
    EXPECT_EQ(report.progInfo(), QString()) << "empty until set or reported";
    report.SetProgInfo(QStringLiteral("Marvolen  test build"));
    report.reportFailure(fileNotFound());
    EXPECT_EQ(report.progInfo(), QStringLiteral("Marvolen  test build"));
    EXPECT_EQ(report.protocol(), expectedProtocol("53 (File not found)", "Allgemein", "GetLang",
                                                  "50080", "Marvolen  test build"));

    ErrorReport unset = r.make();
    unset.reportFailure(fileNotFound());
    EXPECT_EQ(unset.progInfo(), QStringLiteral("marvolen  V1.0.0"));
}

TEST(ErrorReportLog, AnUnwritableLogIsToldInANoteAndTheNextFailureTriesAgain) {
    Report r;
    // A folder below a plain file can never be written to, whoever runs the test.
    const QString blocker = r.dir.filePath(QStringLiteral("plain-file"));
    QFile file(blocker);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.close();
    const QString blocked = blocker + QStringLiteral("/logs");
    ErrorReport report = r.make(blocked);
    const QString note = QStringLiteral("The error protocol could not be written to file '") +
                         QDir::toNativeSeparators(blocked + QStringLiteral("/marvolen.EPT")) +
                         QStringLiteral("' (Path/File access error).");
    EXPECT_EQ(report.reportFailure(fileNotFound()), note);
    EXPECT_EQ(report.errorValues()[0], QStringLiteral("53 (File not found)")) << "still shown";
    EXPECT_EQ(report.logOnly(typeMismatch()), note);

    // A folder that comes into being later takes the next failure's protocol, and only it.
    const QString later = r.dir.filePath(QStringLiteral("later"));
    ErrorReport laterReport = r.make(later);
    EXPECT_FALSE(laterReport.reportFailure(fileNotFound()).isEmpty());
    ASSERT_TRUE(QDir().mkpath(later));
    EXPECT_EQ(laterReport.reportFailure(fileNotFound()), QString());
    EXPECT_EQ(fileBytes(QDir(later).filePath(QStringLiteral("marvolen.EPT"))),
              (fileNotFoundProtocol() + kCrLf).toUtf8());
}

TEST(ErrorReportLog, EachButtonBuildsTheProtocolAtItsPress) {
    Report r;
    ErrorReport report = r.make();
    report.reportFailure(fileNotFound());
    r.now = kNow.addSecs(61);
    report.saveProtocol();
    EXPECT_EQ(fileBytes(r.savePath()),
              (expectedProtocol("53 (File not found)", "Allgemein", "GetLang", "50080",
                                "marvolen  V1.0.0", "03-07-2024 / 14:06:10") +
               kCrLf)
                  .toUtf8());
    EXPECT_EQ(fileBytes(r.logPath()), (fileNotFoundProtocol() + kCrLf).toUtf8())
        << "the log keeps the time of the failure";
}

// ---- printing -------------------------------------------------------------------------------

TEST(ErrorReportPrinting, ALongDescriptionGoesOnAfterTwentyBlanksAndTabsReachTheNextEighthColumn) {
    Report r;
    ErrorReport report = r.make();
    report.reportFailure(
        {326,
         errorDescription(326, QStringLiteral("CUSTOM 1000 of the language table that this "
                                              "build carries")),
         QStringLiteral("ModResFiles"), QStringLiteral("ResToFile"), 50040});
    const QStringList lines = report.printedLines();

    // "          Fehler-Nr / error :" ends in column 29, so its TAB fills up to column 32.
    const QString first = QStringLiteral("          Fehler-Nr / error :   326 (Resource with "
                                         "identifier 'CUSTOM 1000 ");
    const qsizetype at = lines.indexOf(first);
    ASSERT_GE(at, 0) << lines.join(QLatin1Char('|')).toStdString();
    EXPECT_EQ(lines[at + 1], QString(20, QLatin1Char(' ')) +
                                 QStringLiteral("of the language table that this build carries' "
                                                "not found) "));
    EXPECT_EQ(lines[at + 2], QStringLiteral("          Modul:        ModResFiles "));
    for (const QString& line : lines)
        EXPECT_FALSE(line.contains(QLatin1Char('\t'))) << line.toStdString();
    EXPECT_EQ(lines.size(), printLines(report.protocol()).size()) << "one printed line each";
}

// ---- save -----------------------------------------------------------------------------------

TEST(ErrorReportSave, WithoutAnExistingFileItAsksNothingWritesAndTells) {
    Report r;
    ErrorReport report = r.make();
    report.reportFailure(fileNotFound());
    report.saveProtocol();
    EXPECT_EQ(fileBytes(r.savePath()), (fileNotFoundProtocol() + kCrLf).toUtf8());
    const std::string path = r.savePath().toStdString();
    EXPECT_EQ(r.ports.events,
              std::vector<std::string>{"tell Marvolen: Das Fehlerprotokoll wurde in die Datei '" +
                                       path + "' geschrieben!\r\nError protocoll was written to " +
                                       "file '" + path + "'!"});
}

TEST(ErrorReportSave, OverAnExistingFileAnsweredNoLeavesItUnchangedAndTellsNothing) {
    Report r;
    r.writeSaved("old protocol");
    r.ports.overwrite = false;
    ErrorReport report = r.make();
    report.reportFailure(fileNotFound());
    report.saveProtocol();
    EXPECT_EQ(fileBytes(r.savePath()), QByteArray("old protocol"));
    const std::string path = r.savePath().toStdString();
    EXPECT_EQ(r.ports.events,
              std::vector<std::string>{"confirm Marvolen: Vorhandene Datei '" + path +
                                       "' überschreiben?\r\nOverwrite file '" + path + "' ?"});
}

TEST(ErrorReportSave, OverAnExistingFileAnsweredYesReplacesItAndTells) {
    Report r;
    r.writeSaved("an old protocol that is longer than nothing");
    ErrorReport report = r.make();
    report.reportFailure(fileNotFound());
    report.saveProtocol();
    EXPECT_EQ(fileBytes(r.savePath()), (fileNotFoundProtocol() + kCrLf).toUtf8());
    ASSERT_EQ(r.ports.events.size(), 2u);
    EXPECT_EQ(r.ports.events[0].rfind("confirm Marvolen: Vorhandene Datei '", 0), 0u);
    EXPECT_EQ(r.ports.events[1].rfind("tell Marvolen: Das Fehlerprotokoll wurde", 0), 0u);
}

TEST(ErrorReportSave, AFileThatCannotBeWrittenIsWarnedAboutAndNothingIsTold) {
    Report r;
    // A folder in the way of the file: replacing it must fail, even for root.
    ASSERT_TRUE(QDir(r.dir.path()).mkdir(QStringLiteral("marvolen.ERR")));
    ErrorReport report = r.make();
    report.reportFailure(fileNotFound());
    EXPECT_NO_THROW(report.saveProtocol());
    const std::string path = r.savePath().toStdString();
    ASSERT_EQ(r.ports.events.size(), 2u) << "the question, then the warning";
    EXPECT_EQ(r.ports.events[0].rfind("confirm ", 0), 0u);
    EXPECT_EQ(r.ports.events[1],
              "warn Marvolen: The error protocol could not be written to file '" + path +
                  "'!\r\nDevice I/O error");
    EXPECT_TRUE(QFileInfo(r.savePath()).isDir());
}

// ---- mail and web ---------------------------------------------------------------------------

TEST(ErrorReportMail, TellsHowToPasteThenPutsTheProtocolOnTheClipboardThenOpensMailto) {
    Report r;
    ErrorReport report = r.make();
    report.reportFailure(fileNotFound());
    report.mailProtocol();
    const QStringList lines = {
        QStringLiteral("Es wird jetzt Ihr Standard-Email-Programm aufgerufen. Die "
                       "Fehlerbeschreibung sowie das Fehlerprotokoll"),
        QStringLiteral("wurden zu Ihrer Bequemlichkeit in die Zwischenablage kopiert."),
        QString(),
        QStringLiteral("Bitte fügen Sie den Inhalt der Zwischenablage in Ihre Email ein, indem Sie "
                       "in Ihrem Email-Programm"),
        QStringLiteral("die Tasten [Strg] und [Einfg] gleichzeitig betätigen. Alternativ können "
                       "Sie den Inhalt in die EMail"),
        QStringLiteral("einfügen, indem Sie den Befehl 'Einfügen' aus dem Menü 'Bearbeiten' "
                       "ausführen."),
        QString(),
        QString(),
        QStringLiteral("Your email application will be started. The error description will be "
                       "copied to the clipboard."),
        QString(),
        QStringLiteral("Please insert the contents of the clipboard into the message body by "
                       "using Ctrl + V or "),
        QStringLiteral("use the menu or toolbar command of your email program. ")};
    EXPECT_EQ(r.ports.events,
              (std::vector<std::string>{"tell Marvolen: " + lines.join(kCrLf).toStdString(),
                                        "clipboard " + fileNotFoundProtocol().toStdString(),
                                        "open mailto:support@example.org"}));
}

TEST(ErrorReportWeb, PutsTheProtocolOnTheClipboardThenOpensTheHomepageAndTellsNothing) {
    Report r;
    ErrorReport report = r.make();
    report.reportFailure(typeMismatch());
    report.openHomepage();
    EXPECT_EQ(r.ports.events,
              (std::vector<std::string>{"clipboard " + typeMismatchProtocol().toStdString(),
                                        "open https://www.example.org/marvolen/"}));
}

} // namespace
} // namespace marvolen::app
