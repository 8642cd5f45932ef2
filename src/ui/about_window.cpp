// The About window frmInfo: the start window with the language flags, later the About box.
#include "ui/about_window.h"

#include "core/numbers.h"
#include "ids/text_ids.h"
#include "pictures.h"
#include "ui/shared_widgets.h"
#include "ui/theme.h"
#include "ui/ui_config.h"

#include <QApplication>
#include <QEvent>
#include <QFocusEvent>
#include <QFrame>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QScreen>
#include <QTimer>
#include <QToolButton>
#include <QVBoxLayout>

#include <utility>

namespace marvolen::ui {
namespace {

const QString kModule = QStringLiteral("frmInfo");
const QString kAppTitle = QStringLiteral("Marvolen");

using theme::kCyan;
using theme::kIdleGrey;
using theme::kTeal;
const QColor kInfoText(224, 232, 232);
const QColor kLinkBack(232, 240, 240);
const QColor kLinkInitial(0, 0, 192);
const QColor kLinkPressed(255, 0, 0);
const QColor kLinkReleased(0, 0, 255);

constexpr int kRightColumnWidth = 300;
constexpr QSize kLargePicture(356, 330);
constexpr QSize kSmallPicture(32, 32);
constexpr QSize kFlag(32, 20);

// The window's pictures, named once: the start-up decodes them before the window exists.
constexpr char kLargePictureFile[] = "about_large";
constexpr char kSmallPictureFile[] = "about_small";

QString picturePath(const QString& name) {
    return QStringLiteral(":/res/PIC/") + name;
}

QString flagPicture(int index) {
    return QStringLiteral("flag%1").arg(index);
}

/// A picture of the generated resources, at twice its size on a screen of high density, shown
/// ratio times smaller than its pixels; the null pixmap when it is missing, so that the element
/// simply stays empty.
QPixmap picture(const QString& name, qreal ratio = 1.0) {
    QPixmap pixmap = ui::loadPicture(picturePath(name));
    if (!pixmap.isNull())
        pixmap.setDevicePixelRatio(pixmap.devicePixelRatio() * ratio);
    return pixmap;
}

/// The web link: a label on a light plate, since its blue texts would vanish on the dark window.
/// It reports mouse down, mouse up and click like a classic label; Enter and Space click too.
class LinkLabel : public ClickableLabel {
  public:
    explicit LinkLabel(QWidget* parent) : ClickableLabel(parent) {
        setTextFormat(Qt::PlainText);
        setContentsMargins(10, 5, 10, 5);
        setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
    }

  protected:
    /// Space and Enter run a whole click, so the link takes the colours a mouse click gives it.
    void keyPressEvent(QKeyEvent* e) override {
        const int key = e->key();
        if ((key == Qt::Key_Space || key == Qt::Key_Return || key == Qt::Key_Enter) && listened()) {
            emit pressed();
            emit released();
            emit clicked();
            return;
        }
        ClickableLabel::keyPressEvent(e);
    }

    void paintEvent(QPaintEvent* e) override {
        {
            QPainter p(this);
            p.setRenderHint(QPainter::Antialiasing);
            p.setPen(hasFocus() ? QPen(kTeal, 2) : Qt::NoPen);
            p.setBrush(kLinkBack);
            p.drawRoundedRect(QRectF(rect()).adjusted(1, 1, -1, -1), 6, 6);
        }
        QLabel::paintEvent(e);
    }
};

/// A language flag. Reached from the keyboard it wears a cyan ring; focused otherwise (the start
/// window gives the current language's flag the focus) it looks as the mouse player knows it.
class FlagButton : public QToolButton {
  public:
    explicit FlagButton(QWidget* parent) : QToolButton(parent) {}

  protected:
    void focusInEvent(QFocusEvent* e) override {
        m_ringShown = e->reason() == Qt::TabFocusReason || e->reason() == Qt::BacktabFocusReason;
        QToolButton::focusInEvent(e);
    }
    void paintEvent(QPaintEvent* e) override {
        QToolButton::paintEvent(e);
        if (!hasFocus() || !m_ringShown)
            return;
        QPainter p(this);
        p.setRenderHint(QPainter::Antialiasing);
        p.setPen(QPen(kCyan, 2));
        p.setBrush(Qt::NoBrush);
        p.drawRoundedRect(QRectF(rect()).adjusted(1, 1, -1, -1), 3, 3);
    }

  private:
    bool m_ringShown = false;
};

/// A thin teal line between the parts of the window.
QFrame* makeRule(QWidget* parent) {
    auto* rule = new QFrame(parent);
    rule->setFrameShape(QFrame::NoFrame);
    rule->setFixedHeight(1);
    rule->setAutoFillBackground(true);
    QPalette pal = rule->palette();
    pal.setColor(QPalette::Window, kTeal);
    rule->setPalette(pal);
    return rule;
}

/// Forwards failures to the window's reporter and notes whether the answer left the procedure,
/// so that Form_Activate can stop where the first choice of the language stopped.
class AnswerWatch : public Reporter {
  public:
    explicit AnswerWatch(Reporter& inner) : m_inner(inner) {}
    Answer onError(const ErrorInfo& info) override {
        const Answer answer = m_inner.onError(info);
        if (answer == Answer::Cancel || answer == Answer::End)
            m_left = true;
        return answer;
    }
    void endProgram() override { m_inner.endProgram(); }
    bool left() const { return m_left; }

  private:
    Reporter& m_inner;
    bool m_left = false;
};

} // namespace

AboutWindow::AboutWindow(Services& services, MainWindowHost& host, QWidget* parent)
    : QDialog(parent), m_services(services), m_host(host) {
    buildElements();
    Form_Load();
}

QStringList AboutWindow::pictureFiles() {
    QStringList files;
    for (const char* name : {kLargePictureFile, kSmallPictureFile})
        files << picturePath(QLatin1String(name));
    for (int index : lang::kFlagIndices)
        files << picturePath(flagPicture(index));
    return files;
}

void AboutWindow::buildElements() {
    setObjectName(QStringLiteral("frmInfo"));
    setWindowTitle(QString());
    setAccessibleName(kAppTitle);
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);

    QPalette pal(QColor(80, 80, 80), kIdleGrey);
    pal.setColor(QPalette::WindowText, kCyan);
    pal.setColor(QPalette::ButtonText, kCyan);
    pal.setColor(QPalette::Text, kInfoText);
    pal.setColor(QPalette::Highlight, kTeal);
    pal.setColor(QPalette::HighlightedText, Qt::black);
    setPalette(pal);
    setAutoFillBackground(true);

    m_picLarge = new QLabel(this);
    m_picLarge->setObjectName(QStringLiteral("picLarge"));
    m_picLarge->setAccessibleName(kAppTitle);
    m_picLarge->setFixedSize(kLargePicture + QSize(2, 2));
    m_picLarge->setFrameShape(QFrame::Box);
    setTextColour(m_picLarge, kTeal); // the frame's colour
    m_picLarge->setPixmap(picture(QLatin1String(kLargePictureFile)));

    m_picSmall = new QLabel(this);
    m_picSmall->setObjectName(QStringLiteral("picSmall"));
    m_picSmall->setAccessibleName(kAppTitle);
    m_picSmall->setFixedSize(kSmallPicture);
    m_picSmall->setPixmap(picture(QLatin1String(kSmallPictureFile)));

    m_label0 = new QLabel(this);
    m_label0->setObjectName(QStringLiteral("Label0"));
    m_label0->setTextFormat(Qt::PlainText);
    QFont versionFont = m_label0->font();
    versionFont.setBold(true);
    if (versionFont.pointSizeF() > 0)
        versionFont.setPointSizeF(versionFont.pointSizeF() * 1.25);
    m_label0->setFont(versionFont);

    auto* rule = makeRule(this);

    m_label3 = new QLabel(this);
    m_label3->setObjectName(QStringLiteral("Label3"));
    m_label3->setTextFormat(Qt::PlainText);
    m_label3->setWordWrap(true);
    setTextColour(m_label3, kInfoText);

    auto* link = new LinkLabel(this);
    m_lblHomepage = link;
    m_lblHomepage->setObjectName(QStringLiteral("lblHomepage"));
    m_lblHomepage->setText(QString::fromUtf8(kHomepage));
    m_lblHomepage->setAccessibleName(QString::fromUtf8(kHomepage));
    m_lblHomepage->setToolTip(QString::fromUtf8(kHomepage));
    QFont linkFont = m_lblHomepage->font();
    linkFont.setUnderline(true);
    m_lblHomepage->setFont(linkFont);
    setTextColour(m_lblHomepage, kLinkInitial);
    connect(link, &ClickableLabel::pressed, this, [this] { lblHomepage_MouseDown(); });
    connect(link, &ClickableLabel::released, this, [this] { lblHomepage_MouseUp(); });
    connect(link, &ClickableLabel::clicked, this, [this] { lblHomepage_Click(); });

    m_flagRow = new QWidget(this);
    auto* flags = new QHBoxLayout(m_flagRow);
    flags->setContentsMargins(0, 0, 0, 0);
    flags->setSpacing(2);
    // No button group: Qt would leave all flags but the focused one out of the Tab order, as the
    // panel's flags are not; markCurrentFlag keeps the current language's flag checked.
    for (int index : lang::kFlagIndices) {
        QToolButton* flag = new FlagButton(m_flagRow);
        makeRadioButton(*flag);
        flag->setObjectName(QStringLiteral("imgLang%1").arg(index));
        flag->setToolTip(lang::flagTooltip(index));
        flag->setAccessibleName(lang::flagTooltip(index));
        flag->setIconSize(kFlag);
        flag->setIcon(QIcon(picture(flagPicture(index), 2.0)));
        flag->setAutoRaise(true);
        flag->setCheckable(true);
        flag->setCursor(Qt::PointingHandCursor);
        flags->addWidget(flag);
        connect(flag, &QToolButton::clicked, this, [this, index] {
            imgLang_Click(index);
            // A click toggles the flag; only the current language's stays checked.
            markCurrentFlag();
        });
        m_imgLang[index] = flag;
    }

    m_ok = new QPushButton(QStringLiteral("&OK"), this);
    m_ok->setObjectName(QStringLiteral("ok"));
    m_ok->setDefault(true);
    m_ok->setMinimumWidth(88);
    connect(m_ok, &QPushButton::clicked, this, [this] { OK_Click(); });

    auto* header = new QHBoxLayout;
    header->setSpacing(10);
    header->addWidget(m_picSmall);
    header->addWidget(m_label0, 1);

    auto* bottom = new QHBoxLayout;
    bottom->addWidget(m_flagRow);
    bottom->addStretch(1);
    bottom->addWidget(m_ok);

    auto* right = new QVBoxLayout;
    right->setSpacing(12);
    right->addLayout(header);
    right->addWidget(rule);
    right->addWidget(m_label3);
    right->addWidget(m_lblHomepage, 0, Qt::AlignLeft);
    right->addStretch(1);
    right->addWidget(makeRule(this));
    right->addLayout(bottom);

    auto* rightColumn = new QWidget(this);
    rightColumn->setFixedWidth(kRightColumnWidth);
    rightColumn->setLayout(right);
    right->setContentsMargins(0, 4, 0, 0);

    auto* root = new QHBoxLayout(this);
    root->setContentsMargins(14, 14, 14, 14);
    root->setSpacing(18);
    root->addWidget(m_picLarge, 0, Qt::AlignTop);
    root->addWidget(rightColumn);
    root->setSizeConstraint(QLayout::SetFixedSize);

    // Hidden until Form_Load decides which of the two the window shows.
    m_flagRow->hide();
    m_ok->hide();
}

void AboutWindow::Form_Load() {
    Procedure p(m_services.reporter, kModule, QStringLiteral("Form_Load"));
    p.step(50030, [&] {
        layout()->activate();
        adjustSize();
        if (const QScreen* screen = QGuiApplication::primaryScreen()) {
            const QRect area = screen->geometry();
            move(area.x() + (area.width() - width()) / 2,
                 area.y() + (area.height() - height()) / 2);
        }
    });
    p.step(50040, [&] {
        m_label0->setText(kAppTitle + QStringLiteral("   ") + QString::number(kVersionMajor) +
                          QLatin1Char('.') + numbers::zeroPadded(kVersionMinor, 2) +
                          QLatin1Char('.') + numbers::zeroPadded(kVersionRevision, 4));
    });
    p.step(50050, [&] {
        m_startWindow = !m_host.mainWindowShown();
        if (m_startWindow) {
            m_flagRow->show();
        } else {
            m_ok->show();
        }
    });
}

void AboutWindow::setBusy(bool busy) {
    // The link and the flags have a pointer of their own, which would hide the hourglass.
    const Qt::CursorShape overElements = busy ? Qt::WaitCursor : Qt::PointingHandCursor;
    m_lblHomepage->setCursor(overElements);
    for (const auto& [index, flag] : m_imgLang)
        flag->setCursor(overElements);
    if (busy)
        setCursor(Qt::WaitCursor);
    else
        unsetCursor();
}

void AboutWindow::showOk() {
    m_ok->show();
    m_ok->setFocus();
}

void AboutWindow::keyPressEvent(QKeyEvent* e) {
    // The arrow keys move the focus among the flags, round at the ends, and choose nothing.
    const int key = e->key();
    const int step = key == Qt::Key_Left || key == Qt::Key_Up      ? -1
                     : key == Qt::Key_Right || key == Qt::Key_Down ? 1
                                                                   : 0;
    QList<QToolButton*> flags;
    for (const auto& [index, flag] : m_imgLang)
        flags.append(flag);
    const auto here = flags.indexOf(qobject_cast<QToolButton*>(focusWidget()));
    if (step != 0 && here >= 0) {
        flags.at((here + step + flags.size()) % flags.size())->setFocus(Qt::TabFocusReason);
        return;
    }
    QDialog::keyPressEvent(e);
}

bool AboutWindow::event(QEvent* e) {
    if (e->type() == QEvent::WindowActivate)
        activateOnce();
    return QDialog::event(e);
}

void AboutWindow::showEvent(QShowEvent* e) {
    QDialog::showEvent(e);
    // Without a window manager the window may never become active; its texts must still be
    // filled in, so the first choice runs right after showing unless activation beat it.
    m_activated = false;
    // The keyboard starts on OK, or on the language flags while OK is hidden.
    QWidget* start = m_ok;
    if (!m_ok->isVisibleTo(this)) {
        start = m_imgLang.begin()->second;
        for (const auto& [index, flag] : m_imgLang)
            if (flag->isChecked())
                start = flag;
    }
    start->setFocus();
    QTimer::singleShot(0, this, [this] {
        if (isVisible())
            activateOnce();
    });
}

void AboutWindow::activateOnce() {
    // Once per showing: coming back to the front later, above all from the error window that a
    // failing first choice opened, must not run it again, or that failure would come back
    // without end.
    if (m_activated)
        return;
    m_activated = true;
    Form_Activate();
}

void AboutWindow::Form_Activate() {
    AnswerWatch watch(m_services.reporter);
    lang::chooseLanguage(m_services.language, m_services.settings, m_services.localeId, watch);
    if (watch.left())
        return;
    Procedure p(m_services.reporter, kModule, QStringLiteral("Form_Activate"));
    p.step(50060, [&] { Sprache(); });
}

void AboutWindow::Sprache() {
    Procedure p(m_services.reporter, kModule, QStringLiteral("Sprache"));
    p.step(50030, [&] { m_label3->setText(m_services.language.text(Text::MoreInformation)); });
    p.step(50040, [&] { markCurrentFlag(); });
}

void AboutWindow::markCurrentFlag() {
    // A stored offset of no language (say "4000") marks no flag.
    const std::int16_t offset = m_services.language.LanguageOffset();
    const int current = offset % 1000 == 0 ? offset / 1000 : -1;
    for (const auto& [index, flag] : m_imgLang)
        flag->setChecked(index == current);
    const auto flag = m_imgLang.find(current);
    if (flag != m_imgLang.end() && m_flagRow->isAncestorOf(QApplication::focusWidget()))
        flag->second->setFocus();
}

void AboutWindow::imgLang_Click(int index) {
    Procedure p(m_services.reporter, kModule, QStringLiteral("imgLang_Click"));
    std::optional<std::int16_t> offset;
    p.step(50030, [&] {
        if (m_imgLang.find(index) == m_imgLang.end())
            throw Failure(err::NoSuchElement, QString::number(index));
        offset = lang::aboutFlagChoice(index, m_services.language.LanguageOffset());
    });
    if (!offset) {
        // The flag of the current language: nothing changes, but keep its mark.
        markCurrentFlag();
        return;
    }
    p.step(50040, [&] { m_services.language.setLanguageOffset(*offset); });
    p.step(50050, [&] { m_services.settings.setSprachePlain(*offset); });
    p.step(50060, [&] { Sprache(); });
}

void AboutWindow::OK_Click() {
    Procedure p(m_services.reporter, kModule, QStringLiteral("OK_Click"));
    p.step(50030, [&] {
        if (!m_host.mainWindowVisible() && !m_host.mainWindowShown())
            m_host.showMainWindow();
    });
    p.step(50040, [&] { accept(); });
}

void AboutWindow::reject() {
    // The start window is the only way to the game; closed without OK, the program ends rather
    // than run on with its main window hidden.
    const bool endsProgram = m_startWindow && !m_host.mainWindowShown();
    MainWindowHost& host = m_host; // the window may be gone after reject()
    QDialog::reject();
    if (endsProgram)
        host.startWindowClosedWithoutOk();
}

void AboutWindow::lblHomepage_Click() {
    Procedure p(m_services.reporter, kModule, QStringLiteral("lblHomepage_Click"));
    p.step(50030, [&] { m_services.desktop.openUrl(QUrl(QString::fromUtf8(kHomepage))); });
}

void AboutWindow::lblHomepage_MouseDown() {
    Procedure p(m_services.reporter, kModule, QStringLiteral("lblHomepage_MouseDown"));
    p.step(50030, [&] { setTextColour(m_lblHomepage, kLinkPressed); });
}

void AboutWindow::lblHomepage_MouseUp() {
    Procedure p(m_services.reporter, kModule, QStringLiteral("lblHomepage_MouseUp"));
    p.step(50030, [&] { setTextColour(m_lblHomepage, kLinkReleased); });
}

} // namespace marvolen::ui
