// Tests of the error window: what it shows, its frames and buttons, printing and the answers. What
// the report does with the protocol (log, save, mail, web) is tested in tests/app.
#include "ui/err_ptnr.h"
#include "ui/print/print_loader.h"
#include "ui/ui_config.h"

#include <QApplication>
#include <QClipboard>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGroupBox>
#include <QLabel>
#include <QPaintEngine>
#include <QPainter>
#include <QPrinter>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <map>

namespace marvolen::ui {
namespace {

const QString kCrLf = QStringLiteral("\r\n");
const QString kBuiltPrintModule = QStringLiteral(MARVOLEN_TEST_PRINT_MODULE);

// Answers the window's questions as told and remembers everything it was asked to do.
class FakePlatform : public app::PlainDialogs, public app::Desktop, public PrinterChoice {
  public:
    struct Message {
        QString kind;
        QString title;
        QString text;
    };

    bool confirm(const QString& title, const QString& text) override {
        messages.push_back({QStringLiteral("ask"), title, text});
        return answerYes;
    }
    void tell(const QString& title, const QString& text) override {
        messages.push_back({QStringLiteral("tell"), title, text});
    }
    void warn(const QString& title, const QString& text) override {
        messages.push_back({QStringLiteral("warn"), title, text});
    }
    bool choosePrinter(QPrinter& printer) override {
        ++printerRequests;
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(pdfPath);
        return printerChosen;
    }
    void openUrl(const QUrl& url) override { urls << url.toString(); }

    bool answerYes = true;
    bool printerChosen = true;
    QString pdfPath;
    int printerRequests = 0;
    std::vector<Message> messages;
    QStringList urls;
};

ErrorInfo fileNotFound() {
    return {53, QStringLiteral("File not found"), QStringLiteral("Allgemein"),
            QStringLiteral("GetLang"), 50080};
}

ErrorInfo typeMismatch() {
    return {13, QStringLiteral("Type mismatch"), QStringLiteral("frmMarvolen"),
            QStringLiteral("Timer1_Timer"), 50030};
}

const QDateTime kNow(QDate(2024, 3, 7), QTime(14, 5, 9));
const SystemInfo kSystem{QStringLiteral("linux"), 6, 1, 76, QStringLiteral("Debian GNU/Linux 12")};

QString fileText(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
}

class ErrPtnrTest : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(m_dir.isValid());
        m_platform->pdfPath = m_dir.filePath(QStringLiteral("protocol.pdf"));
    }

    ErrPtnrOptions options(const QString& folder = {}) {
        ErrPtnrOptions o;
        o.logFolder = folder.isEmpty() ? m_dir.path() : folder;
        o.baseName = QStringLiteral("marvolen");
        o.clock = [] { return kNow; };
        o.system = kSystem;
        o.dialogs = m_platform;
        o.desktop = m_platform;
        o.printerChoice = m_platform;
        o.printing = m_printing;
        return o;
    }

    // Reports info to the window and runs inside() once its modal loop runs. A watchdog closes
    // a window nobody answered, so a faulty test fails instead of hanging.
    static Answer report(ErrPtnr& window, const ErrorInfo& info,
                         const std::function<void()>& inside) {
        bool ran = false;
        QTimer::singleShot(0, &window, [&] {
            ran = true;
            EXPECT_TRUE(window.isVisible());
            inside();
        });
        QTimer watchdog;
        watchdog.setSingleShot(true);
        QObject::connect(&watchdog, &QTimer::timeout, &window, [&] {
            ADD_FAILURE() << "the error window was not answered";
            window.done(0);
        });
        watchdog.start(10000);
        const Answer answer = window.onError(info);
        EXPECT_TRUE(ran);
        EXPECT_FALSE(window.isVisible());
        return answer;
    }

    static void click(ErrPtnr& window, const QString& name) {
        auto* button = window.findChild<QPushButton*>(name);
        ASSERT_NE(button, nullptr) << name.toStdString();
        button->click();
    }

    static QString text(ErrPtnr& window, const QString& name) {
        auto* label = window.findChild<QLabel*>(name);
        return label ? label->text() : QStringLiteral("<missing %1>").arg(name);
    }

    QString logPath() const { return m_dir.filePath(QStringLiteral("marvolen.EPT")); }
    /// The protocols in the log, counted by their description heads.
    int loggedProtocols() const {
        return int(fileText(logPath()).count(QStringLiteral("FEHLERBESCHREIBUNG")));
    }

    QTemporaryDir m_dir;
    std::shared_ptr<FakePlatform> m_platform = std::make_shared<FakePlatform>();
    std::shared_ptr<PrintLoader> m_printing = std::make_shared<PrintLoader>(kBuiltPrintModule);
};

TEST_F(ErrPtnrTest, ShowsTheFailureItsProgramLineAndTheTwoCommentLines) {
    ErrPtnr window(options());
    EXPECT_EQ(text(window, QStringLiteral("lblProgInfo")), QString()) << "empty until set";
    QString comment;
    int loggedWhileShown = 0;
    report(window, fileNotFound(), [&] {
        comment = text(window, QStringLiteral("lblComment"));
        loggedWhileShown = loggedProtocols();
        EXPECT_EQ(text(window, QStringLiteral("lblError0")), QStringLiteral("53 (File not found)"));
        EXPECT_EQ(text(window, QStringLiteral("lblError1")), QStringLiteral("Allgemein"));
        EXPECT_EQ(text(window, QStringLiteral("lblError2")), QStringLiteral("GetLang"));
        EXPECT_EQ(text(window, QStringLiteral("lblError3")), QStringLiteral("50080"));
        EXPECT_EQ(text(window, QStringLiteral("lblProgInfo")), QStringLiteral("marvolen  V1.0.0"));
        click(window, QStringLiteral("cmdContinue2"));
    });
    // The comment's two lines, English then German, are shown as two lines.
    EXPECT_FALSE(comment.contains(QLatin1Char('\r')));
    const QStringList commentLines = comment.split(QLatin1Char('\n'));
    ASSERT_EQ(commentLines.size(), 2);
    EXPECT_TRUE(commentLines[0].startsWith(QStringLiteral("There is a problem.")));
    EXPECT_TRUE(commentLines[1].startsWith(QStringLiteral("Es liegt ein Problem vor")));
    EXPECT_EQ(loggedWhileShown, 1) << "logged before the window waits for an answer";
}

TEST_F(ErrPtnrTest, EachAnswerButtonIsReturnedAndRemembered) {
    const std::vector<std::pair<QString, Answer>> cases = {
        {QStringLiteral("cmdContinue0"), Answer::Retry},
        {QStringLiteral("cmdContinue1"), Answer::Ignore},
        {QStringLiteral("cmdContinue2"), Answer::Cancel},
        {QStringLiteral("cmdContinue3"), Answer::End}};
    for (const auto& [button, expected] : cases) {
        ErrPtnr window(options());
        EXPECT_EQ(report(window, fileNotFound(), [&, &button = button] { click(window, button); }),
                  expected)
            << button.toStdString();
        EXPECT_EQ(window.chosenAction(), qint16(expected));
    }
}

TEST_F(ErrPtnrTest, ClosingOrEscapeCountsAsCancel) {
    ErrPtnr window(options());
    EXPECT_EQ(report(window, fileNotFound(), [&] { window.close(); }), Answer::Cancel);
    report(window, fileNotFound(), [&] { click(window, QStringLiteral("cmdContinue0")); });
    EXPECT_EQ(report(window, fileNotFound(), [&] { QTest::keyClick(&window, Qt::Key_Escape); }),
              Answer::Cancel);
    EXPECT_EQ(window.chosenAction(), qint16(Answer::Cancel));
}

TEST_F(ErrPtnrTest, ChosenActionStartsAtZeroAndIsKeptBetweenFailures) {
    ErrPtnr window(options());
    EXPECT_EQ(window.chosenAction(), 0);
    report(window, fileNotFound(), [&] { click(window, QStringLiteral("cmdContinue1")); });
    qint16 whileSecondShown = -1;
    report(window, typeMismatch(), [&] {
        whileSecondShown = window.chosenAction();
        click(window, QStringLiteral("cmdContinue2"));
    });
    EXPECT_EQ(whileSecondShown, qint16(Answer::Ignore));
}

TEST_F(ErrPtnrTest, SecondFailureWhileShownIsLoggedAndAnsweredCancelAtOnce) {
    ErrPtnr window(options());
    Answer second = Answer::Retry;
    const Answer first = report(window, fileNotFound(), [&] {
        second = window.onError(typeMismatch());
        EXPECT_TRUE(window.isVisible()) << "the first report stays on screen";
        EXPECT_EQ(text(window, QStringLiteral("lblError1")), QStringLiteral("Allgemein"));
        click(window, QStringLiteral("cmdContinue0"));
    });
    EXPECT_EQ(second, Answer::Cancel);
    EXPECT_EQ(first, Answer::Retry);
    EXPECT_EQ(window.chosenAction(), qint16(Answer::Retry)) << "the quick Cancel is no press";
    EXPECT_EQ(loggedProtocols(), 2);
    EXPECT_TRUE(fileText(logPath()).contains(QStringLiteral("Timer1_Timer")));
}

TEST_F(ErrPtnrTest, SaveMailAndWebButtonsHandTheShownProtocolToTheReport) {
    QGuiApplication::clipboard()->setText(QStringLiteral("something else"));
    ErrPtnr window(options());
    QString protocol;
    QString clipboardAfterMail;
    report(window, typeMismatch(), [&] {
        protocol = window.report().protocol();
        click(window, QStringLiteral("cmdProtocol1"));
        click(window, QStringLiteral("cmdProtocol2"));
        clipboardAfterMail = QGuiApplication::clipboard()->text();
        QGuiApplication::clipboard()->setText(QStringLiteral("something else"));
        click(window, QStringLiteral("cmdProtocol3"));
        click(window, QStringLiteral("cmdContinue2"));
    });
    EXPECT_TRUE(protocol.contains(QStringLiteral("Timer1_Timer")));
    EXPECT_EQ(fileText(m_dir.filePath(QStringLiteral("marvolen.ERR"))), protocol + kCrLf);
    ASSERT_EQ(m_platform->messages.size(), 2u) << "saved, how to paste";
    EXPECT_EQ(m_platform->messages[0].kind, QStringLiteral("tell"));
    EXPECT_EQ(m_platform->messages[1].kind, QStringLiteral("tell"));
    // The report's clipboard is the system's.
    EXPECT_EQ(clipboardAfterMail, protocol);
    EXPECT_EQ(QGuiApplication::clipboard()->text(), protocol);
    EXPECT_EQ(m_platform->urls,
              (QStringList{QStringLiteral("mailto:") + QLatin1String(kSupportMail),
                           QLatin1String(kHomepage)}));
}

TEST_F(ErrPtnrTest, UnwritableLogFolderStillShowsTheWindowAndReturnsTheAnswer) {
    // A folder below a plain file can never be written to, whoever runs the test.
    const QString blocker = m_dir.filePath(QStringLiteral("plain-file"));
    {
        QFile file(blocker);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    }
    ErrPtnr window(options(blocker + QStringLiteral("/logs")));
    bool noteShown = false;
    const Answer answer = report(window, fileNotFound(), [&] {
        auto* note = window.findChild<QLabel*>(QStringLiteral("lblLogNote"));
        noteShown =
            note && note->isVisible() && note->text().contains(QStringLiteral("marvolen.EPT"));
        EXPECT_EQ(text(window, QStringLiteral("lblError0")), QStringLiteral("53 (File not found)"));
        click(window, QStringLiteral("cmdContinue1"));
    });
    EXPECT_EQ(answer, Answer::Ignore);
    EXPECT_TRUE(noteShown);
}

TEST_F(ErrPtnrTest, AWrittenLogHidesTheNoteOfAnEarlierFailedOne) {
    const QString folder = m_dir.filePath(QStringLiteral("later"));
    ErrPtnr window(options(folder));
    report(window, fileNotFound(), [&] { click(window, QStringLiteral("cmdContinue1")); });
    ASSERT_TRUE(QDir().mkpath(folder));
    bool noteShown = true;
    report(window, fileNotFound(), [&] {
        noteShown = window.findChild<QLabel*>(QStringLiteral("lblLogNote"))->isVisible();
        click(window, QStringLiteral("cmdContinue1"));
    });
    EXPECT_FALSE(noteShown);
    EXPECT_TRUE(QFileInfo::exists(QDir(folder).filePath(QStringLiteral("marvolen.EPT"))));
}

TEST_F(ErrPtnrTest, FramesAreStackedInOrderAndTheWindowFitsThem) {
    ErrPtnr window(options());
    report(window, fileNotFound(), [&] { click(window, QStringLiteral("cmdContinue2")); });
    const QStringList order = {QStringLiteral("framComment"), QStringLiteral("framFehler"),
                               QStringLiteral("framProgInfo"), QStringLiteral("framProtocol"),
                               QStringLiteral("framContinue")};
    int y = 0;
    for (const QString& name : order) {
        auto* frame = window.findChild<QGroupBox*>(name);
        ASSERT_NE(frame, nullptr);
        EXPECT_EQ(frame->x(), 0) << name.toStdString();
        EXPECT_EQ(frame->y(), y) << name.toStdString();
        EXPECT_GT(frame->height(), 0) << name.toStdString();
        // Nothing in a frame is cut off at the bottom.
        EXPECT_GE(frame->height(), frame->minimumSizeHint().height()) << name.toStdString();
        y += frame->height();
    }
    EXPECT_EQ(window.width(), window.findChild<QGroupBox*>(QStringLiteral("framFehler"))->width());
    EXPECT_EQ(window.height(), y);
}

// A paint device that records every piece of text drawn on it, page by page.
class RecordingEngine : public QPaintEngine {
  public:
    bool begin(QPaintDevice*) override { return true; }
    bool end() override { return true; }
    void updateState(const QPaintEngineState&) override {}
    void drawPixmap(const QRectF&, const QPixmap&, const QRectF&) override {}
    void drawTextItem(const QPointF& at, const QTextItem& item) override {
        pages.back()[at.y()] += item.text();
    }
    Type type() const override { return QPaintEngine::User; }
    std::vector<std::map<qreal, QString>> pages{1};
};

class RecordingDevice : public QPaintDevice {
  public:
    QPaintEngine* paintEngine() const override { return &engine; }
    int metric(PaintDeviceMetric metric) const override {
        switch (metric) {
        case PdmWidth:
            return 800;
        case PdmHeight:
            return 300;
        case PdmWidthMM:
            return 211;
        case PdmHeightMM:
            return 79;
        case PdmDpiX:
        case PdmDpiY:
        case PdmPhysicalDpiX:
        case PdmPhysicalDpiY:
            return 96;
        case PdmDevicePixelRatio:
            return 1;
        case PdmDevicePixelRatioScaled:
            return int(devicePixelRatioFScale());
        case PdmNumColors:
            return 0;
        case PdmDepth:
            return 32;
        }
        return 0;
    }
    mutable RecordingEngine engine;
};

TEST_F(ErrPtnrTest, PrintedLinesFillPagesFromTheTopInOrder) {
    ErrPtnr window(options());
    const ErrorInfo longOne{326,
                            errorDescription(326, QStringLiteral("CUSTOM 1000 of the language "
                                                                 "table that this build carries")),
                            QStringLiteral("ModResFiles"), QStringLiteral("ResToFile"), 50040};
    report(window, longOne, [&] { click(window, QStringLiteral("cmdContinue2")); });
    const QStringList lines = window.report().printedLines();

    RecordingDevice device;
    QPainter painter(&device);
    int breaks = 0;
    const int pages = paintProtocolLines(painter, QRectF(0, 0, 800, 300), lines, [&] {
        ++breaks;
        device.engine.pages.emplace_back();
        return true;
    });
    painter.end();
    EXPECT_GT(pages, 1) << "a 300 pixel page holds fewer lines than the protocol";
    EXPECT_EQ(pages, breaks + 1);

    QStringList drawn;
    for (const auto& page : device.engine.pages) {
        ASSERT_FALSE(page.empty());
        EXPECT_LT(page.begin()->first, 30) << "each page starts at its top";
        for (const auto& [y, line] : page)
            drawn << line;
    }
    // Blank lines draw no glyphs; everything else arrives in order.
    QStringList expected;
    for (const QString& line : lines)
        expected << line.simplified();
    for (QString& line : drawn)
        line = line.simplified();
    expected.removeAll(QString());
    drawn.removeAll(QString());
    EXPECT_EQ(drawn.join(QLatin1Char('\n')).toStdString(),
              expected.join(QLatin1Char('\n')).toStdString());
}

TEST_F(ErrPtnrTest, PrintGoesToThePrinterChosenInTheDialog) {
    ErrPtnr window(options());
    bool loadedBeforePrint = true;
    report(window, fileNotFound(), [&] {
        loadedBeforePrint = m_printing->loaded();
        click(window, QStringLiteral("cmdProtocol0"));
        click(window, QStringLiteral("cmdContinue2"));
    });
    EXPECT_FALSE(loadedBeforePrint) << "the print module is loaded only to print";
    EXPECT_TRUE(m_printing->loaded()) << m_printing->failure().toStdString();
    EXPECT_EQ(m_platform->printerRequests, 1);
    EXPECT_TRUE(fileText(m_platform->pdfPath).startsWith(QStringLiteral("%PDF")));
    EXPECT_TRUE(m_platform->messages.empty());
}

TEST_F(ErrPtnrTest, PrintCancelledInTheDialogPrintsNothing) {
    m_platform->printerChosen = false;
    ErrPtnr window(options());
    report(window, fileNotFound(), [&] {
        click(window, QStringLiteral("cmdProtocol0"));
        click(window, QStringLiteral("cmdContinue2"));
    });
    EXPECT_FALSE(QFile::exists(m_platform->pdfPath));
}

TEST_F(ErrPtnrTest, PrintWithoutItsModuleSaysWhyAndTheWindowGoesOn) {
    QFile notAModule(m_dir.filePath(QStringLiteral("broken.so")));
    ASSERT_TRUE(notAModule.open(QIODevice::WriteOnly));
    notAModule.write("no library");
    notAModule.close();
    const std::vector<std::pair<QString, QString>> cases = {
        {m_dir.filePath(QStringLiteral("marvolen_print.so")), QStringLiteral("(no such file)")},
        {notAModule.fileName(), QString()}};
    for (const auto& [module, why] : cases) {
        SCOPED_TRACE(module.toStdString());
        m_platform->messages.clear();
        m_printing = std::make_shared<PrintLoader>(module);
        ErrPtnr window(options());
        const Answer answer = report(window, fileNotFound(), [&] {
            click(window, QStringLiteral("cmdProtocol0"));
            click(window, QStringLiteral("cmdProtocol0")); // tried once, told each time
            click(window, QStringLiteral("cmdContinue1"));
        });
        EXPECT_EQ(answer, Answer::Ignore);
        EXPECT_EQ(m_platform->printerRequests, 0);
        EXPECT_FALSE(QFile::exists(m_platform->pdfPath));
        ASSERT_EQ(m_platform->messages.size(), 2u);
        for (const auto& message : m_platform->messages) {
            EXPECT_EQ(message.kind, QStringLiteral("warn"));
            EXPECT_EQ(message.title, QStringLiteral("Marvolen"));
            EXPECT_TRUE(message.text.startsWith(QStringLiteral("The print module ") +
                                                QDir::toNativeSeparators(module) +
                                                QStringLiteral(" could not be loaded (")))
                << message.text.toStdString();
            EXPECT_TRUE(message.text.contains(why)) << message.text.toStdString();
            EXPECT_TRUE(message.text.endsWith(QStringLiteral("): the game cannot print.")))
                << message.text.toStdString();
        }
    }
}

TEST_F(ErrPtnrTest, ProcedureGoesOnWithTheNextStatementAfterIgnore) {
    ErrPtnr window(options());
    int target = 5;
    bool nextRan = false;
    QString shownLine;
    QTimer::singleShot(0, &window, [&] {
        shownLine = text(window, QStringLiteral("lblError3"));
        click(window, QStringLiteral("cmdContinue1"));
    });
    Procedure p(window, QStringLiteral("Allgemein"), QStringLiteral("GetLang"));
    p.step(50000, [&] { target = 1; });
    p.step(50010, [&] {
        throw Failure(err::TypeMismatch);
        target = 7;
    });
    const bool running = p.step(50020, [&] { nextRan = true; });
    EXPECT_TRUE(running);
    EXPECT_TRUE(nextRan);
    EXPECT_EQ(target, 1);
    EXPECT_EQ(shownLine, QStringLiteral("50010"));
    EXPECT_EQ(text(window, QStringLiteral("lblError0")), QStringLiteral("13 (Type mismatch)"));
}

TEST_F(ErrPtnrTest, EveryBusyPointerIsBackToNormalWhileTheWindowShows) {
    // A start window busy on itself and on an element, a main window busy on itself, and the
    // application's override stack: none may leave an hourglass over the error window.
    QWidget start;
    QLabel link(QStringLiteral("link"), &start);
    QLabel hand(QStringLiteral("hand"), &start);
    start.setCursor(Qt::WaitCursor);
    link.setCursor(Qt::WaitCursor);
    hand.setCursor(Qt::PointingHandCursor);
    QWidget main;
    main.setCursor(Qt::BusyCursor);
    start.show();
    main.show();
    QApplication::setOverrideCursor(Qt::WaitCursor);
    QApplication::setOverrideCursor(Qt::WaitCursor);

    ErrPtnr window(options());
    std::map<std::string, Qt::CursorShape> shown;
    bool overrideShown = true;
    report(window, fileNotFound(), [&] {
        shown["start"] = start.cursor().shape();
        shown["link"] = link.cursor().shape();
        shown["hand"] = hand.cursor().shape();
        shown["main"] = main.cursor().shape();
        overrideShown = QApplication::overrideCursor() != nullptr;
        click(window, QStringLiteral("cmdContinue1"));
    });
    while (QApplication::overrideCursor()) // leave none behind, whatever the outcome
        QApplication::restoreOverrideCursor();
    EXPECT_FALSE(overrideShown);
    EXPECT_EQ(shown["start"], Qt::ArrowCursor);
    EXPECT_EQ(shown["link"], Qt::ArrowCursor);
    EXPECT_EQ(shown["main"], Qt::ArrowCursor);
    EXPECT_EQ(shown["hand"], Qt::PointingHandCursor); // not a busy pointer: kept
}

TEST_F(ErrPtnrTest, ReporterMakesTheWindowOnFirstUseAndKeepsIt) {
    ErrPtnrReporter reporter(options());
    reporter.SetProgInfo(QStringLiteral("Marvolen  test build"));
    EXPECT_EQ(reporter.window(), nullptr);
    QTimer::singleShot(0, [&] { click(*reporter.window(), QStringLiteral("cmdContinue1")); });
    EXPECT_EQ(reporter.onError(fileNotFound()), Answer::Ignore);
    ErrPtnr* first = reporter.window();
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(text(*first, QStringLiteral("lblProgInfo")), QStringLiteral("Marvolen  test build"));
    QTimer::singleShot(0, [&] { click(*reporter.window(), QStringLiteral("cmdContinue2")); });
    EXPECT_EQ(reporter.onError(typeMismatch()), Answer::Cancel);
    EXPECT_EQ(reporter.window(), first);
}

} // namespace
} // namespace marvolen::ui
