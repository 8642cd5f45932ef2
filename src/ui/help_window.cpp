// The help window: one browser with the help document of the current language.
#include "help_window.h"

#include "ids/text_ids.h"
#include "ui/theme.h"

#include <QApplication>
#include <QDialogButtonBox>
#include <QEvent>
#include <QFile>
#include <QGuiApplication>
#include <QPushButton>
#include <QScreen>
#include <QTextBrowser>
#include <QUrl>
#include <QVBoxLayout>

#include <algorithm>

namespace marvolen::ui {

namespace {

constexpr int kEnglishDigit = 1;
/// Wide enough for the command table, tall enough for a whole section at a time.
constexpr QSize kPreferredSize(640, 720);

QString readDocument(int digit) {
    QFile file(helpResourcePath(digit));
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return QString::fromUtf8(file.readAll());
}

bool isDesktopLink(const QUrl& url) {
    const QString scheme = url.scheme().toLower();
    return scheme == QLatin1String("http") || scheme == QLatin1String("https") ||
           scheme == QLatin1String("mailto");
}

// Beside the game where the screen has room, so that the player can read while playing;
// otherwise the dialog's own placement, centred over the game.
void placeBeside(QWidget& help, const QWidget* game) {
    if (!game || !game->isVisible() || !game->screen())
        return;
    const QRect owner = game->frameGeometry();
    const QRect screen = game->screen()->availableGeometry();
    constexpr int gap = 8;
    const int top = std::max(screen.top(), std::min(owner.top(), screen.bottom() - help.height()));
    if (owner.right() + gap + help.width() <= screen.right())
        help.move(owner.right() + gap, top);
    else if (owner.left() - gap - help.width() >= screen.left())
        help.move(owner.left() - gap - help.width(), top);
}

} // namespace

QString helpResourcePath(int languageDigit) {
    return QStringLiteral(":/res/HELP/%1").arg(languageDigit);
}

int helpDocumentDigit(int languageOffset) {
    const int digit = languageOffset / 1000;
    if (languageOffset >= 0 && languageOffset % 1000 == 0 && QFile::exists(helpResourcePath(digit)))
        return digit;
    if (QFile::exists(helpResourcePath(kEnglishDigit)))
        return kEnglishDigit;
    return -1;
}

HelpWindow::HelpWindow(Services& services, QWidget* parent)
    : QDialog(parent), m_services(services) {
    setObjectName(QStringLiteral("frmHelp"));
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    setModal(false);
    setStyleSheet(theme::styleSheet());

    m_browser = new QTextBrowser(this);
    m_browser->setObjectName(QStringLiteral("txtHelpBrowser"));
    // Links are followed here, so that an address never replaces the document.
    m_browser->setOpenLinks(false);
    m_browser->setOpenExternalLinks(false);
    connect(m_browser, &QTextBrowser::anchorClicked, this, &HelpWindow::followLink);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
    buttons->setObjectName(QStringLiteral("cmdClose"));
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* box = new QVBoxLayout(this);
    box->setContentsMargins(12, 12, 12, 12);
    box->setSpacing(10);
    box->addWidget(m_browser, 1);
    box->addWidget(buttons);

    QSize size = kPreferredSize;
    if (const QScreen* screen = parent ? parent->screen() : QGuiApplication::primaryScreen())
        size = size.boundedTo(screen->availableSize() * 9 / 10);
    resize(size);

    Sprache();
}

void HelpWindow::Sprache() {
    const int offset = m_services.language.LanguageOffset();
    const QString topic = m_services.language.text(Text::Help);
    setWindowTitle(topic.isEmpty() ? QStringLiteral("Marvolen")
                                   : QStringLiteral("Marvolen – ") + topic);
    // The table has no word for the button; the game's own translations follow the language.
    if (auto* buttons = findChild<QDialogButtonBox*>(QStringLiteral("cmdClose")))
        buttons->button(QDialogButtonBox::Close)
            ->setText(QCoreApplication::translate("Marvolen", "Close"));
    if (offset == m_shownOffset)
        return;
    m_shownOffset = offset;
    const int digit = helpDocumentDigit(offset);
    if (digit == m_shownDigit)
        return;
    m_shownDigit = digit;
    m_browser->setHtml(digit < 0 ? QString() : readDocument(digit));
}

void HelpWindow::changeEvent(QEvent* event) {
    QDialog::changeEvent(event);
    // A flag clicked in the game while the help stayed open shows here on the next visit.
    if (event->type() == QEvent::ActivationChange && isActiveWindow())
        Sprache();
}

void HelpWindow::followLink(const QUrl& url) {
    if (isDesktopLink(url)) {
        m_services.desktop.openUrl(url);
        return;
    }
    // Anything else that is not an anchor of this document (files, other schemes) is ignored.
    if (url.isRelative() && url.path().isEmpty() && url.hasFragment())
        m_browser->scrollToAnchor(url.fragment());
}

void showHelpWindow(Services& services, QWidget* parent) {
    // The window belongs to its owner (without one, to the application) and is found among its
    // windows again; one made for other services or another owner is not reused.
    HelpWindow* window = nullptr;
    for (QWidget* top : QApplication::topLevelWidgets()) {
        auto* help = qobject_cast<HelpWindow*>(top);
        // A closed window that deletes itself on closing is on its way out.
        if (help && &help->services() == &services && help->parentWidget() == parent &&
            !(help->testAttribute(Qt::WA_DeleteOnClose) && help->isHidden())) {
            window = help;
            break;
        }
    }
    if (!window) {
        window = new HelpWindow(services, parent);
        // Without an owner to take it along, the window goes when it is closed.
        if (!parent)
            window->setAttribute(Qt::WA_DeleteOnClose);
        placeBeside(*window, parent);
    }
    window->Sprache();
    window->show();
    window->raise();
    window->activateWindow();
}

} // namespace marvolen::ui
