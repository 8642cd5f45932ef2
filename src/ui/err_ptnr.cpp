// The error window: shows a run-time failure, logs its protocol and asks how to go on.
#include "err_ptnr.h"

#include "core/atomic_file.h"
#include "print/print_loader.h"
#include "qt_ports.h"
#include "ui_config.h"

#include <QApplication>
#include <QClipboard>
#include <QDir>
#include <QFileInfo>
#include <QFontDatabase>
#include <QFontMetricsF>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QScreen>
#include <QUrl>
#include <QVBoxLayout>

#include <algorithm>

namespace marvolen::ui {

namespace {

const QString kCrLf = QStringLiteral("\r\n");
const QString kTitle = QStringLiteral("Marvolen");

const QString kCaption = QStringLiteral("Fehler / Error! ");
const QString kComment =
    QStringLiteral("There is a problem. Please contact the author if this problem appears again.") +
    kCrLf +
    QStringLiteral("Es liegt ein Problem vor, mit dem Sie sich an den technischen Support wenden "
                   "sollten, falls es wiederholt auftritt.");
const QString kFehlerCaption = QStringLiteral("Fehlerbeschreibung / error description:");
const QString kProgInfoCaption = QStringLiteral("Programm-Info:");
const QString kProtocolCaption = QStringLiteral("Fehlerprotokoll ... / error protocoll...");
const QString kContinueCaption = QStringLiteral("Weiterer Programmablauf... / Continue...");

const std::array<QString, 4> kProtocolButtons = {QStringLiteral("&Drucken/Print"),
                                                 QStringLiteral("&Speichern/Save"),
                                                 QStringLiteral("&EMail"), QStringLiteral("&WWW")};
const std::array<QString, 4> kContinueButtons = {
    QStringLiteral("Wieder&holen Retry"), QStringLiteral("&Ignorieren   Ignore"),
    QStringLiteral("&Abbrechen Cancel"), QStringLiteral("&Beenden       End")};

const QStringList kMailLines = {
    QStringLiteral("Es wird jetzt Ihr Standard-Email-Programm aufgerufen. Die Fehlerbeschreibung "
                   "sowie das Fehlerprotokoll"),
    QStringLiteral("wurden zu Ihrer Bequemlichkeit in die Zwischenablage kopiert."),
    QString(),
    QStringLiteral("Bitte fügen Sie den Inhalt der Zwischenablage in Ihre Email ein, indem Sie in "
                   "Ihrem Email-Programm"),
    QStringLiteral("die Tasten [Strg] und [Einfg] gleichzeitig betätigen. Alternativ können Sie "
                   "den Inhalt in die EMail"),
    QStringLiteral(
        "einfügen, indem Sie den Befehl 'Einfügen' aus dem Menü 'Bearbeiten' ausführen."),
    QString(),
    QString(),
    QStringLiteral("Your email application will be started. The error description will be copied "
                   "to the clipboard."),
    QString(),
    QStringLiteral("Please insert the contents of the clipboard into the message body by using "
                   "Ctrl + V or "),
    QStringLiteral("use the menu or toolbar command of your email program. ")};

// The window is never narrower than this, so the comment wraps into a few readable lines.
constexpr int kMinimumWidth = 620;

// Labels show line breaks as "\n"; the texts keep the CR LF the protocol and messages use.
QString forDisplay(const QString& text) {
    return QString(text).replace(kCrLf, QStringLiteral("\n"));
}

std::array<QString, 4> errorValues(const ErrorInfo& info) {
    return {QString::number(info.number) + QStringLiteral(" (") + info.description +
                QLatin1Char(')'),
            info.module, info.procedure, QString::number(info.line)};
}

} // namespace

// ---- printing -------------------------------------------------------------------------------

namespace {

// A line as a line printer sets it: each TAB moves on to the next eighth column.
QString expandTabs(const QString& line) {
    QString out;
    for (QChar c : line) {
        if (c == QLatin1Char('\t'))
            out += QString(8 - out.size() % 8, QLatin1Char(' '));
        else
            out += c;
    }
    return out;
}

} // namespace

int paintProtocolLines(QPainter& painter, const QRectF& page, const QStringList& lines,
                       const std::function<bool()>& newPage) {
    QFont font = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    font.setStyleHint(QFont::TypeWriter);
    font.setPointSizeF(10);
    painter.setFont(font);
    // Continuation lines may run to 93 columns; on a narrow page the font shrinks rather than
    // the line being cut off at the margin.
    QStringList printed;
    qsizetype columns = 0;
    for (const QString& line : lines) {
        printed << expandTabs(line);
        columns = std::max(columns, printed.back().size());
    }
    const qreal blank =
        QFontMetricsF(painter.font(), painter.device()).horizontalAdvance(QLatin1Char(' '));
    if (columns > 0 && blank > 0 && columns * blank > page.width()) {
        font.setPointSizeF(10 * page.width() / (columns * blank));
        painter.setFont(font);
    }
    const qreal lineHeight = QFontMetricsF(painter.font(), painter.device()).lineSpacing();

    int pages = 1;
    qreal y = page.top();
    for (const QString& line : printed) {
        if (y > page.top() && y + lineHeight > page.bottom()) {
            if (!newPage())
                break;
            ++pages;
            y = page.top();
        }
        painter.drawText(QRectF(page.left(), y, page.width(), lineHeight),
                         Qt::AlignLeft | Qt::AlignTop | Qt::TextDontClip, line);
        y += lineHeight;
    }
    return pages;
}

// ---- the window -----------------------------------------------------------------------------

ErrPtnr::ErrPtnr(ErrPtnrOptions options, QWidget* parent)
    : QDialog(parent), m_options(std::move(options)) {
    if (!m_options.printing)
        m_options.printing = std::make_shared<PrintLoader>();
    if (!m_options.dialogs || !m_options.desktop) {
        auto qt = std::make_shared<QtPorts>([this] { return this; });
        if (!m_options.dialogs)
            m_options.dialogs = qt;
        if (!m_options.desktop)
            m_options.desktop = qt;
    }
    // An empty folder would put the log at the file system's root.
    if (m_options.logFolder.isEmpty())
        m_options.logFolder = programDataFolder();
    if (!m_options.clock)
        m_options.clock = [] { return QDateTime::currentDateTime(); };
    buildWindow();
}

ErrPtnr::~ErrPtnr() = default;

void ErrPtnr::buildWindow() {
    setObjectName(QStringLiteral("ErrPtnr"));
    setWindowTitle(kCaption);
    setAccessibleName(kCaption);
    setModal(true);
    // Each frame keeps its place from the window's left edge; its drawn box sits a little
    // inside so the captions do not touch the border.
    setStyleSheet(QStringLiteral(
        "QGroupBox { border: 1px solid palette(mid); border-radius: 4px;"
        " margin: 16px 8px 4px 8px; padding: 6px 4px 2px 4px; }"
        "QGroupBox::title { subcontrol-origin: margin; subcontrol-position: top left;"
        " left: 14px; padding: 0px 4px; }"
        "QGroupBox#framComment { margin-top: 8px; }"));

    auto frame = [this](const char* name, const QString& caption) {
        auto* box = new QGroupBox(caption, this);
        box->setObjectName(QLatin1String(name));
        box->setAccessibleName(caption);
        return box;
    };
    auto label = [](const QString& name, QWidget* parent) {
        auto* l = new QLabel(parent);
        l->setObjectName(name);
        l->setTextFormat(Qt::PlainText);
        return l;
    };

    m_framComment = frame("framComment", QString());
    m_lblComment = label(QStringLiteral("lblComment"), m_framComment);
    m_lblComment->setWordWrap(true);
    m_lblLogNote = label(QStringLiteral("lblLogNote"), m_framComment);
    m_lblLogNote->setWordWrap(true);
    m_lblLogNote->setStyleSheet(QStringLiteral("color: #b00000;"));
    m_lblLogNote->hide();
    auto* commentLayout = new QVBoxLayout(m_framComment);
    // No caption: no room kept for one.
    commentLayout->setContentsMargins(9, 0, 9, 6);
    commentLayout->addWidget(m_lblComment);
    commentLayout->addWidget(m_lblLogNote);

    m_framFehler = frame("framFehler", kFehlerCaption);
    auto* fehlerLayout = new QGridLayout(m_framFehler);
    fehlerLayout->setColumnStretch(1, 1);
    fehlerLayout->setHorizontalSpacing(12);
    const std::array<QString, 4> titles = defaultErrorTitles();
    for (int i = 0; i < 4; ++i) {
        m_lblErrTitel[i] = label(QStringLiteral("lblErrTitel%1").arg(i), m_framFehler);
        m_lblErrTitel[i]->setText(titles[i]);
        m_lblError[i] = label(QStringLiteral("lblError%1").arg(i), m_framFehler);
        m_lblError[i]->setWordWrap(true);
        m_lblError[i]->setTextInteractionFlags(Qt::TextSelectableByMouse);
        m_lblError[i]->setAccessibleName(titles[i]);
        m_lblErrTitel[i]->setBuddy(m_lblError[i]);
        fehlerLayout->addWidget(m_lblErrTitel[i], i, 0, Qt::AlignLeft | Qt::AlignTop);
        fehlerLayout->addWidget(m_lblError[i], i, 1, Qt::AlignTop);
    }

    m_framProgInfo = frame("framProgInfo", kProgInfoCaption);
    m_lblProgInfo = label(QStringLiteral("lblProgInfo"), m_framProgInfo);
    m_lblProgInfo->setTextInteractionFlags(Qt::TextSelectableByMouse);
    m_lblProgInfo->setAccessibleName(kProgInfoCaption);
    (new QVBoxLayout(m_framProgInfo))->addWidget(m_lblProgInfo);

    auto buttonRow = [](QGroupBox* box, const std::array<QString, 4>& captions,
                        const QString& prefix, std::array<QPushButton*, 4>& buttons) {
        auto* row = new QHBoxLayout(box);
        for (int i = 0; i < 4; ++i) {
            buttons[i] = new QPushButton(captions[i], box);
            buttons[i]->setObjectName(prefix + QString::number(i));
            buttons[i]->setAccessibleName(QString(captions[i]).remove(QLatin1Char('&')));
            row->addWidget(buttons[i]);
        }
    };
    m_framProtocol = frame("framProtocol", kProtocolCaption);
    buttonRow(m_framProtocol, kProtocolButtons, QStringLiteral("cmdProtocol"), m_cmdProtocol);
    m_framContinue = frame("framContinue", kContinueCaption);
    buttonRow(m_framContinue, kContinueButtons, QStringLiteral("cmdContinue"), m_cmdContinue);

    connect(m_cmdProtocol[0], &QPushButton::clicked, this, [this] { printProtocol(); });
    connect(m_cmdProtocol[1], &QPushButton::clicked, this, [this] { saveProtocol(); });
    connect(m_cmdProtocol[2], &QPushButton::clicked, this, [this] { mailProtocol(); });
    connect(m_cmdProtocol[3], &QPushButton::clicked, this, [this] { openHomepage(); });
    for (int i = 0; i < 4; ++i)
        connect(m_cmdContinue[i], &QPushButton::clicked, this, [this, i] { answer(i); });
}

QString ErrPtnr::logPath() const {
    return protocolPath(m_options.logFolder, m_options.baseName, QStringLiteral(".EPT"));
}

QString ErrPtnr::savePath() const {
    return protocolPath(m_options.logFolder, m_options.baseName, QStringLiteral(".ERR"));
}

void ErrPtnr::SetProgInfo(const QString& text) {
    m_lblProgInfo->setText(text);
}

namespace {
/// Every busy pointer back to the default, or the player would wait on an hourglass that never
/// ends: the override stack and the pointers the windows set on themselves and their elements
/// while they load (the start window and the main window both do).
void restoreBusyPointers() {
    while (QApplication::overrideCursor())
        QApplication::restoreOverrideCursor();
    for (QWidget* window : QApplication::topLevelWidgets()) {
        QList<QWidget*> widgets = window->findChildren<QWidget*>();
        widgets.prepend(window);
        for (QWidget* w : std::as_const(widgets)) {
            if (!w->testAttribute(Qt::WA_SetCursor))
                continue;
            const Qt::CursorShape shape = w->cursor().shape();
            if (shape == Qt::WaitCursor || shape == Qt::BusyCursor)
                w->unsetCursor();
        }
    }
}
} // namespace

Answer ErrPtnr::onError(const ErrorInfo& info) {
    const std::array<QString, 4> values = errorValues(info);
    if (m_showing) {
        // A timer failed behind the shown window: keep its trace, do not stack a second window.
        appendToLog(protocolFor(values));
        return Answer::Cancel;
    }

    for (int i = 0; i < 4; ++i) {
        m_lblError[i]->setText(values[i]);
        m_lblError[i]->setAccessibleDescription(values[i]);
    }
    if (m_lblProgInfo->text().isEmpty())
        m_lblProgInfo->setText(
            defaultProgInfo(m_options.baseName, kVersionMajor, kVersionMinor, kVersionRevision));
    restoreBusyPointers();
    m_lblLogNote->hide();
    ArrangeFrames();
    appendToLog(currentProtocol());
    QApplication::beep();

    struct Showing {
        bool& flag;
        explicit Showing(bool& f) : flag(f) { flag = true; }
        ~Showing() { flag = false; }
    } showing(m_showing);
    // Enter then leaves the procedure, the least harmful answer.
    m_cmdContinue[2]->setDefault(true);
    m_cmdContinue[2]->setFocus();
    exec();
    return Answer(m_chosenAction);
}

void ErrPtnr::answer(int index) {
    m_chosenAction = qint16(index);
    QDialog::accept();
}

void ErrPtnr::reject() {
    // Closed by its close button or Escape: the failing procedure is left as on Cancel.
    m_chosenAction = qint16(Answer::Cancel);
    QDialog::reject();
}

void ErrPtnr::ArrangeFrames() {
    m_framComment->setVisible(true);
    m_lblComment->setText(forDisplay(kComment));
    const std::array<QGroupBox*, 5> frames = {m_framComment, m_framFehler, m_framProgInfo,
                                              m_framProtocol, m_framContinue};
    for (QPushButton* b : m_cmdProtocol)
        b->setVisible(true);
    for (QPushButton* b : m_cmdContinue)
        b->setVisible(true);

    // One width for all frames: the widest button row or caption, but never beyond the screen.
    int width = kMinimumWidth;
    for (QGroupBox* f : frames)
        width = std::max(width, f->minimumSizeHint().width());
    const QScreen* screen = this->screen() ? this->screen() : QGuiApplication::primaryScreen();
    const QRect screenRect = screen ? screen->geometry() : QRect(0, 0, 1024, 768);
    width = std::min(width, std::max(kMinimumWidth, screenRect.width() - 40));

    int y = 0;
    for (QGroupBox* f : frames) {
        f->setVisible(true);
        const int forWidth = f->heightForWidth(width);
        const int height = forWidth > 0 ? forWidth : f->sizeHint().height();
        f->setGeometry(0, y, width, height);
        y += height;
    }
    setFixedSize(m_framFehler->width(), y);

    const QSize outer = frameGeometry().size();
    move(screenRect.left() + (screenRect.width() - outer.width()) / 2,
         screenRect.top() + (screenRect.height() - outer.height()) / 2);
}

QString ErrPtnr::protocolFor(const std::array<QString, 4>& values) const {
    ProtocolInput input;
    input.progInfo = m_lblProgInfo->text();
    for (int i = 0; i < 4; ++i)
        input.errorTitles[i] = m_lblErrTitel[i]->text();
    input.errorValues = values;
    input.when = m_options.clock();
    input.system = m_options.system;
    return BuildProtocol(input);
}

QString ErrPtnr::currentProtocol() const {
    std::array<QString, 4> values;
    for (int i = 0; i < 4; ++i)
        values[i] = m_lblError[i]->text();
    return protocolFor(values);
}

void ErrPtnr::appendToLog(const QString& protocol) {
    try {
        AppendProtocolLog(logPath(), protocol);
    } catch (const Failure& failure) {
        showLogNote(QCoreApplication::translate(
                        "Marvolen", "The error protocol could not be written to file '%1' (%2).")
                        .arg(QDir::toNativeSeparators(logPath()), failure.description()));
    }
}

void ErrPtnr::showLogNote(const QString& note) {
    m_lblLogNote->setText(note);
    m_lblLogNote->setVisible(true);
    ArrangeFrames();
}

void ErrPtnr::printProtocol() {
    const QStringList lines = printLines(currentProtocol());
    // Qt Print Support comes with the module, loaded the first time the player prints.
    PrintSystem* printing = m_options.printing->load();
    if (!printing) {
        m_options.dialogs->warn(kTitle, m_options.printing->failure());
        return;
    }
    PrintJob job;
    job.docName = QStringLiteral("Fehlerprotokoll / error protocoll");
    job.margins = QMarginsF(20, 15, 15, 15);
    job.choosePrinter = [this, printing](QPrinter& printer) {
        return m_options.printerChoice ? m_options.printerChoice->choosePrinter(printer)
                                       : printing->choosePrinter(this, printer);
    };
    job.paint = [&lines](QPainter& painter, const QRectF& page,
                         const std::function<bool()>& newPage) {
        paintProtocolLines(painter, page, lines, newPage);
    };
    if (printing->print(job) == PrintOutcome::NotStarted)
        m_options.dialogs->warn(
            kTitle,
            QCoreApplication::translate("Marvolen", "The error protocol could not be printed."));
}

void ErrPtnr::saveProtocol() {
    const QString protocol = currentProtocol();
    const QString path = savePath();
    if (QFileInfo::exists(path) &&
        !m_options.dialogs->confirm(kTitle, QStringLiteral("Vorhandene Datei '") + path +
                                                QStringLiteral("' überschreiben?") + kCrLf +
                                                QStringLiteral("Overwrite file '") + path +
                                                QStringLiteral("' ?")))
        return;

    try {
        replaceFileAtomically(path, (protocol + kCrLf).toUtf8());
    } catch (const Failure& failure) {
        m_options.dialogs->warn(
            kTitle, QCoreApplication::translate(
                        "Marvolen", "The error protocol could not be written to file '%1'!")
                            .arg(path) +
                        kCrLf + failure.description());
        return;
    }
    m_options.dialogs->tell(kTitle, QStringLiteral("Das Fehlerprotokoll wurde in die Datei '") +
                                        path + QStringLiteral("' geschrieben!") + kCrLf +
                                        QStringLiteral("Error protocoll was written to file '") +
                                        path + QStringLiteral("'!"));
}

void ErrPtnr::mailProtocol() {
    const QString protocol = currentProtocol();
    m_options.dialogs->tell(kTitle, kMailLines.join(kCrLf));
    putOnClipboard(protocol);
    m_options.desktop->openUrl(QUrl(QStringLiteral("mailto:") + QLatin1String(kSupportMail)));
}

void ErrPtnr::openHomepage() {
    putOnClipboard(currentProtocol());
    m_options.desktop->openUrl(QUrl(QLatin1String(kHomepage)));
}

void ErrPtnr::putOnClipboard(const QString& text) {
    QClipboard* clipboard = QGuiApplication::clipboard();
    if (!clipboard)
        return;
    clipboard->clear();
    clipboard->setText(text);
}

// ---- the program's reporter -----------------------------------------------------------------

ErrPtnrReporter::ErrPtnrReporter(ErrPtnrOptions options) : m_options(std::move(options)) {}

ErrPtnrReporter::~ErrPtnrReporter() = default;

Answer ErrPtnrReporter::onError(const ErrorInfo& info) {
    if (!m_window) {
        m_window = std::make_unique<ErrPtnr>(m_options);
        if (!m_progInfo.isEmpty())
            m_window->SetProgInfo(m_progInfo);
    }
    return m_window->onError(info);
}

void ErrPtnrReporter::endProgram() {
    // The process ends without unwinding, so nothing else would remove these files.
    if (m_cleanup) {
        try {
            m_cleanup();
        } catch (...) {
        }
    }
    if (m_options.endProcess)
        m_options.endProcess();
    else
        Reporter::endProgram();
}

void ErrPtnrReporter::SetProgInfo(const QString& text) {
    m_progInfo = text;
    if (m_window)
        m_window->SetProgInfo(text);
}

} // namespace marvolen::ui
