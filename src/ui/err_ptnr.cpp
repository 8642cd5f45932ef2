// The error window: shows a run-time failure that its error report logged, and asks how to go on.
#include "err_ptnr.h"

#include "print/print_loader.h"
#include "qt_ports.h"
#include "ui_config.h"

#include <QApplication>
#include <QClipboard>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QScopedValueRollback>
#include <QScreen>
#include <QVBoxLayout>

#include <algorithm>

namespace marvolen::ui {

namespace {

const QString kCaption = QStringLiteral("Fehler / Error! ");
// Two lines, English then German: a label breaks the line at "\n", not at CR LF.
const QString kComment =
    QStringLiteral("There is a problem. Please contact the author if this problem appears again.") +
    QLatin1Char('\n') +
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

// The window is never narrower than this, so the comment wraps into a few readable lines.
constexpr int kMinimumWidth = 620;

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

/// The system clipboard, as the error report puts the protocol there.
class SystemClipboard : public app::Clipboard {
  public:
    void putText(const QString& text) override {
        QClipboard* clipboard = QGuiApplication::clipboard();
        if (!clipboard)
            return;
        clipboard->clear();
        clipboard->setText(text);
    }
};

} // namespace

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
    app::ErrorReportSetup setup;
    setup.folder = m_options.logFolder;
    setup.baseName = m_options.baseName;
    setup.defaultProgInfo =
        defaultProgInfo(m_options.baseName, kVersionMajor, kVersionMinor, kVersionRevision);
    setup.clock = m_options.clock;
    setup.system = m_options.system;
    setup.supportMail = QLatin1String(kSupportMail);
    setup.homepage = QLatin1String(kHomepage);
    m_clipboard = std::make_unique<SystemClipboard>();
    m_report = std::make_unique<app::ErrorReport>(
        setup, app::ErrorReportPorts{*m_options.dialogs, *m_options.desktop, *m_clipboard});
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

    connect(m_cmdProtocol[0], &QPushButton::clicked, this, [this] {
        printProtocolLines(*m_options.printing, *m_options.dialogs, m_options.printerChoice.get(),
                           this, m_report->printedLines());
    });
    connect(m_cmdProtocol[1], &QPushButton::clicked, this, [this] { m_report->saveProtocol(); });
    connect(m_cmdProtocol[2], &QPushButton::clicked, this, [this] { m_report->mailProtocol(); });
    connect(m_cmdProtocol[3], &QPushButton::clicked, this, [this] { m_report->openHomepage(); });
    for (int i = 0; i < 4; ++i)
        connect(m_cmdContinue[i], &QPushButton::clicked, this, [this, i] { answer(i); });
}

void ErrPtnr::SetProgInfo(const QString& text) {
    m_report->SetProgInfo(text);
    m_lblProgInfo->setText(text);
}

Answer ErrPtnr::onError(const ErrorInfo& info) {
    if (m_showing) {
        // A timer failed behind the shown window: keep its trace, do not stack a second window.
        if (const QString note = m_report->logOnly(info); !note.isEmpty())
            showLogNote(note);
        return Answer::Cancel;
    }

    const QString logNote = m_report->reportFailure(info);
    for (int i = 0; i < 4; ++i) {
        m_lblError[i]->setText(m_report->errorValues()[i]);
        m_lblError[i]->setAccessibleDescription(m_report->errorValues()[i]);
    }
    m_lblProgInfo->setText(m_report->progInfo());
    restoreBusyPointers();
    showLogNote(logNote);
    QApplication::beep();

    const QScopedValueRollback<bool> showing(m_showing, true);
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
    m_lblComment->setText(kComment);
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

void ErrPtnr::showLogNote(const QString& note) {
    m_lblLogNote->setText(note);
    m_lblLogNote->setVisible(!note.isEmpty());
    ArrangeFrames();
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
