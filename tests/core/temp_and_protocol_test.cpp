// The private run folder, unique temporary files, and the error protocol's text and print layout.
#include "core/failure.h"
#include "core/protocol.h"
#include "core/temp_folder.h"
#include "qstring_printer.h"
#include "working_folder.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <functional>
#include <vector>

using namespace marvolen;

TEST(TempFolder, IsPrivateAndEndsWithASeparator) {
    QTemporaryDir base;
    FixedReporter reporter;
    QString folder;
    {
        TempFolder temp(reporter, base.path());
        folder = temp.GetTempDir();
        ASSERT_TRUE(folder.endsWith('/'));
        EXPECT_TRUE(folder.startsWith(base.path()));
        const QFileInfo info(folder);
        EXPECT_TRUE(info.isDir());
        EXPECT_EQ(info.permissions() & (QFile::ReadGroup | QFile::ReadOther | QFile::WriteOther),
                  0);
        QFile lang(folder + "~tmp.lng");
        ASSERT_TRUE(lang.open(QIODevice::WriteOnly));
    }
    EXPECT_FALSE(QFileInfo::exists(folder)); // removed with the run
    EXPECT_EQ(reporter.count(), 0);
}

TEST(TempFolder, RemoveTakesTheFolderWithItsFilesAtOnce) {
    QTemporaryDir base;
    FixedReporter reporter;
    TempFolder temp(reporter, base.path());
    const QString folder = temp.GetTempDir();
    QString tune;
    ASSERT_TRUE(temp.GetTempFile(QString(), "~rs", 0, tune));
    QFile lang(folder + "~tmp.lng");
    ASSERT_TRUE(lang.open(QIODevice::WriteOnly));
    lang.close();
    temp.remove();
    EXPECT_FALSE(QFileInfo::exists(folder));
    QString later;
    EXPECT_FALSE(temp.GetTempFile(QString(), "~rs", 0, later)) << "no file in a removed folder";
    EXPECT_TRUE(later.isEmpty());
    EXPECT_EQ(reporter.count(), 0);
}

TEST(TempFolder, EveryTuneFileIsNewAndStartsWithThePrefix) {
    QTemporaryDir base;
    FixedReporter reporter;
    TempFolder temp(reporter, base.path());
    QString first, second;
    ASSERT_TRUE(temp.GetTempFile(QString(), "~rs", 0, first));
    ASSERT_TRUE(temp.GetTempFile(QString(), "~rs", 0, second));
    EXPECT_NE(first, second);
    for (const QString& name : {first, second}) {
        EXPECT_TRUE(QFileInfo(name).fileName().startsWith("~rs"));
        EXPECT_TRUE(name.endsWith(".tmp"));
        EXPECT_TRUE(QFileInfo::exists(name)); // created, empty
        EXPECT_TRUE(name.startsWith(temp.GetTempDir()));
    }
}

TEST(TempFolder, WithoutAFolderTheNameStaysAsItWasOrBecomesEmpty) {
    FixedReporter reporter;
    TempFolder temp(reporter, "/nonexistent-marvolen-base/deeper");
    EXPECT_EQ(temp.GetTempDir(), QString());
    EXPECT_EQ(reporter.count(), 1);
    EXPECT_EQ(reporter.last().number, 76);
    EXPECT_EQ(reporter.last().procedure, QStringLiteral("GetTempDir"));
    QString name = "previous";
    EXPECT_FALSE(temp.GetTempFile(QString(), "~rs", 0, name));
    EXPECT_EQ(name, QStringLiteral("previous"));
    EXPECT_FALSE(temp.GetTempFile("/nonexistent-marvolen-base/", "~rs", 0, name));
    EXPECT_EQ(name, QString());
}

namespace {
/// Answers with the scripted answers in turn (Cancel when they run out) and runs a hook first,
/// so a test can mend the folder while the failure is shown.
class ScriptedReporter : public Reporter {
  public:
    explicit ScriptedReporter(std::vector<Answer> answers) : m_answers(std::move(answers)) {}
    std::function<void()> beforeAnswer;
    std::vector<ErrorInfo> reports;
    Answer onError(const ErrorInfo& info) override {
        reports.push_back(info);
        if (beforeAnswer)
            beforeAnswer();
        const std::size_t i = reports.size() - 1;
        return i < m_answers.size() ? m_answers[i] : Answer::Cancel;
    }

  private:
    std::vector<Answer> m_answers;
};

} // namespace

TEST(TempFolder, MissingEmptyAndRelativeBasesArePassedOverForTheNextOne) {
    test::WorkingFolder cwd;
    QTemporaryDir base;
    FixedReporter reporter;
    TempFolder temp(reporter, QStringList{"/nonexistent-marvolen-base/deeper", QString(),
                                          "relative-base", base.path()});
    const QString folder = temp.GetTempDir();
    EXPECT_TRUE(folder.startsWith(base.path() + '/')) << folder.toStdString();
    QString tune;
    ASSERT_TRUE(temp.GetTempFile(QString(), "~rs", 0, tune));
    EXPECT_TRUE(tune.startsWith(folder));
    EXPECT_EQ(reporter.count(), 0);
    EXPECT_TRUE(cwd.entries().isEmpty());
}

TEST(TempFolder, WithoutAnyUsableBaseOneReportAndNothingInTheWorkingFolder) {
    // An empty base is what the system gives for a temporary folder that does not exist; it
    // must not turn into the working folder. After Ignore there is still no path: the root
    // would be the next guess.
    for (const Answer answer : {Answer::Cancel, Answer::Ignore}) {
        test::WorkingFolder cwd;
        FixedReporter reporter(answer);
        TempFolder temp(reporter, QString());
        EXPECT_EQ(temp.GetTempDir(), QString());
        EXPECT_EQ(reporter.count(), 1);
        EXPECT_EQ(reporter.last().number, 76);
        QString name = "previous";
        EXPECT_FALSE(temp.GetTempFile(QString(), "~rs", 0, name));
        EXPECT_EQ(name, QStringLiteral("previous"));
        EXPECT_EQ(reporter.count(), 1);
        EXPECT_TRUE(cwd.entries().isEmpty()) << cwd.entries().join(' ').toStdString();
    }
}

TEST(TempFolder, RetryTriesEveryBaseAgain) {
    QTemporaryDir root;
    const QString late = root.filePath("late");
    ScriptedReporter reporter({Answer::Retry});
    reporter.beforeAnswer = [&] { QDir().mkpath(late); };
    TempFolder temp(reporter, QStringList{late});
    const QString folder = temp.GetTempDir();
    ASSERT_EQ(reporter.reports.size(), 1u);
    EXPECT_EQ(reporter.reports[0].number, 76);
    EXPECT_EQ(reporter.reports[0].module, QStringLiteral("Allgemein"));
    EXPECT_EQ(reporter.reports[0].line, 50030);
    EXPECT_TRUE(folder.startsWith(late + '/')) << folder.toStdString();
    EXPECT_TRUE(QFileInfo(folder).isDir());
}

namespace {
ProtocolInput sampleInput() {
    ProtocolInput in;
    in.progInfo = defaultProgInfo("marvolen", 4, 0, 354);
    in.errorTitles = defaultErrorTitles();
    in.errorValues = {"53 (File not found)", "Allgemein", "GetLang", "50080"};
    in.when = QDateTime(QDate(2026, 3, 9), QTime(14, 5, 7));
    in.system = {platformName(2), 10, 0, 0x12345, QStringLiteral("Service Pack 1")};
    return in;
}
} // namespace

TEST(ErrorProtocol, HasItsLinesInOrderWithTheFailureValues) {
    const QStringList lines = BuildProtocol(sampleInput()).split("\r\n");
    ASSERT_EQ(lines.size(), 19); // 18 lines and the empty piece after the last line end
    const QString s(70, '-');
    EXPECT_EQ(lines[0], s);
    EXPECT_EQ(lines[1], "F E H L E R P R O T O K O L L  /  E R R O R   P R O T O C O L L");
    EXPECT_EQ(lines[2], s);
    EXPECT_EQ(lines[3], "PROGRAMM-INFO:");
    EXPECT_EQ(lines[4], "          marvolen  V4.0.354");
    EXPECT_EQ(lines[5], s);
    EXPECT_EQ(lines[6], "FEHLERBESCHREIBUNG / ERROR DESCRIPTION:");
    EXPECT_EQ(lines[7], "          Fehler-Nr / error :\t53 (File not found)");
    EXPECT_EQ(lines[8], "          Modul:\tAllgemein");
    EXPECT_EQ(lines[9], "          Prozedur / procedure:\tGetLang");
    EXPECT_EQ(lines[10], "          Zeile / Line:\t50080");
    EXPECT_EQ(lines[11], "          Datum/Uhrzeit (Date/Time):\t03-09-2026 / 14:05:07");
    EXPECT_EQ(lines[12], s);
    EXPECT_EQ(lines[13], "SYSTEMINFO:");
    EXPECT_EQ(lines[14], "          Plattform/Environment:\tWindows NT");
    EXPECT_EQ(lines[15], "          Version:\t10.0");
    EXPECT_EQ(lines[16], "          Build:\t9029   Service Pack 1"); // low 16 bits of the build
    EXPECT_EQ(lines[17], s);
    EXPECT_EQ(lines[18], QString());
}

TEST(ErrorProtocol, AnUnknownPlatformLineEndsAfterItsTab) {
    ProtocolInput in = sampleInput();
    in.system.platform = platformName(7);
    EXPECT_TRUE(BuildProtocol(in).contains("Plattform/Environment:\t\r\n"));
}

TEST(ErrorProtocol, TheServicePackTextEndsAtItsFirstNul) {
    ProtocolInput in = sampleInput();
    in.system.servicePack = QStringLiteral("SP2") + QChar(u'\0') + QStringLiteral("rest");
    EXPECT_TRUE(BuildProtocol(in).contains("          Build:\t9029   SP2\r\n"));
}

TEST(ErrorProtocol, TwoFailuresAppendTwoProtocolsEachFollowedByAnEmptyLine) {
    QTemporaryDir dir;
    const QString path = protocolPath(dir.path(), "marvolen", ".EPT");
    EXPECT_EQ(path, dir.path() + "/marvolen.EPT");
    const QString protocol = BuildProtocol(sampleInput());
    AppendProtocolLog(path, protocol);
    AppendProtocolLog(path, protocol);
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(QString::fromUtf8(file.readAll()), protocol + "\r\n" + protocol + "\r\n");
}

TEST(ErrorProtocol, AnUnwritableLogIsAFailureForTheCaller) {
    EXPECT_THROW(AppendProtocolLog("/nonexistent-marvolen-dir/x.EPT", "text"), Failure);
}

TEST(ErrorProtocolPrinting, LongLinesWrapAfter73ColumnsWithTwentyBlankContinuations) {
    // 30 words of five characters with their blanks: 14 fill 70 columns, the 15th would reach
    // 75. A continuation counts its words from 0 again, not from its 20 blanks.
    const QString longLine = QString("word ").repeated(30).trimmed();
    const QString words14 = QString("word ").repeated(14);
    const QString indent(20, ' ');
    EXPECT_EQ(printLines("short\r\n" + longLine + "\r\n"),
              (QStringList{"short ", words14, indent + words14, indent + "word word ",
                           " "})); // the empty line after the protocol prints as one blank
}

TEST(ErrorProtocolPrinting, SeventyThreeColumnsStayOnOneLineAndSeventyFourWrap) {
    const QString x67(67, 'x');
    EXPECT_EQ(printLines(x67 + " abcd"), (QStringList{x67 + " abcd "}));
    EXPECT_EQ(printLines(x67 + " abcde"), (QStringList{x67 + " ", QString(20, ' ') + "abcde "}));
}

TEST(ErrorProtocolPrinting, AWordLongerThanTheLineStandsAloneOnItsLine) {
    const QString y80(80, 'y');
    EXPECT_EQ(printLines(y80 + " z"), (QStringList{y80 + " ", QString(20, ' ') + "z "}));
    EXPECT_EQ(printLines("a " + y80), (QStringList{"a ", QString(20, ' ') + y80 + " "}));
}

TEST(ErrorProtocolPrinting, AProtocolPrintsLineByLineWithTheLongDescriptionWrapped) {
    ProtocolInput in = sampleInput();
    in.errorValues = {
        "326 (Resource with identifier 'CUSTOM 1000 of the language table' not found)",
        "ModResFiles", "ResToFile", "50040"};
    const QString s = QString(70, '-') + " ";
    // Leading blanks are one-blank words and a TAB belongs to its word; the first description
    // line ends exactly at column 73.
    EXPECT_EQ(
        printLines(BuildProtocol(in)),
        (QStringList{s,
                     "F E H L E R P R O T O K O L L  /  E R R O R   P R O T O C O L L ",
                     s,
                     "PROGRAMM-INFO: ",
                     "          marvolen  V4.0.354 ",
                     s,
                     "FEHLERBESCHREIBUNG / ERROR DESCRIPTION: ",
                     "          Fehler-Nr / error :\t326 (Resource with identifier 'CUSTOM 1000 ",
                     "                    of the language table' not found) ",
                     "          Modul:\tModResFiles ",
                     "          Prozedur / procedure:\tResToFile ",
                     "          Zeile / Line:\t50040 ",
                     "          Datum/Uhrzeit (Date/Time):\t03-09-2026 / 14:05:07 ",
                     s,
                     "SYSTEMINFO: ",
                     "          Plattform/Environment:\tWindows NT ",
                     "          Version:\t10.0 ",
                     "          Build:\t9029   Service Pack 1 ",
                     s,
                     " "}));
}
