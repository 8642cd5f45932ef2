// The main window: its elements, start-up, layout, commands and the board's pictures.
#include "main_window.h"

#include "app/resources.h"
#include "core/numbers.h"
#include "game/strips.h"
#include "ui_config.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QCursor>
#include <QFile>
#include <QFrame>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QPainter>
#include <QPushButton>
#include <QResizeEvent>
#include <QShowEvent>
#include <QWindow>

namespace marvolen::ui {

namespace {

const QString kModule = QStringLiteral("frmMarvolen");
const QColor kIdleBack(64, 64, 64);
const QColor kCyan(0, 255, 255);

int px(double twips) { return qRound(twips / kTwipsPerPixel); }

QRect toPixels(const QRectF& twips) {
    return QRect(px(twips.left()), px(twips.top()), px(twips.width()), px(twips.height()));
}

/// A picture resource; Failure 326 when the game carries none under that path.
QPixmap picture(const QString& path, int id) {
    QPixmap pixmap;
    if (!QFile::exists(path) || !pixmap.load(path))
        throw Failure(err::ResourceNotFound, QString::number(id));
    return pixmap;
}

/// The command buttons' symbol characters (Symbola's pictographs) and fonts.
struct ButtonFace {
    const char16_t* symbol;
    const char* family;
    double points;
    bool bold;
};
constexpr ButtonFace kFaces[9] = {
    {u"\u2B9A", "Symbola", 12, true},        {u"\u25A0", "Symbola", 12, false},
    {u"?", "DejaVu Sans", 13.5, true},       {u"\U0001F453", "Symbola", 12, true},
    {u"\u2B55", "Symbola", 12, false},       {u"\u2751", "Symbola", 12, false},
    {u"\u262F", "Symbola", 14.25, false},    {u"\u2327", "Symbola", 14.25, false},
    {u"\u263A", "Symbola", 14.25, true},
};

/// The tooltip string of each command button; button 6 has a fixed text.
constexpr int kTooltips[9] = {110, 111, 113, 120, 115, 116, -1, 117, 114};

} // namespace

/// A label that reports clicks: thumbnails and flags.
class ClickableLabel : public QLabel {
public:
    explicit ClickableLabel(QWidget* parent) : QLabel(parent) {
        setCursor(Qt::PointingHandCursor);
        setFocusPolicy(Qt::NoFocus);
    }
    std::function<void()> clicked;

protected:
    void mouseReleaseEvent(QMouseEvent* event) override {
        if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()) &&
            clicked)
            clicked();
    }
};

/// The side panel: its stretched background picture, the three display fields and their sunken
/// borders, drawn once per resize.
class PanelWidget : public QWidget {
public:
    explicit PanelWidget(QWidget* parent) : QWidget(parent) {
        setObjectName(QStringLiteral("picPanel"));
        setAttribute(Qt::WA_OpaquePaintEvent);
    }
    void setBackground(const QPixmap& picture) { m_picture = picture; }
    void decorate(const std::array<QRect, 3>& fields, const std::array<QRect, 3>& borders) {
        const qreal dpr = devicePixelRatioF();
        QPixmap cache(size() * dpr);
        cache.setDevicePixelRatio(dpr);
        cache.fill(Qt::black);
        QPainter p(&cache);
        p.setRenderHint(QPainter::SmoothPixmapTransform);
        if (!m_picture.isNull())
            p.drawPixmap(rect(), m_picture);
        for (const QRect& f : fields)
            p.fillRect(f, kIdleBack);
        // Black above and left, white below and right: a sunken border.
        for (const QRect& b : borders) {
            p.setPen(QPen(Qt::black, 1));
            p.drawLine(b.topLeft(), b.topRight());
            p.drawLine(b.topLeft(), b.bottomLeft());
            p.setPen(QPen(Qt::white, 1));
            p.drawLine(b.bottomLeft(), b.bottomRight());
            p.drawLine(b.topRight(), b.bottomRight());
        }
        m_cache = cache;
        update();
    }

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter p(this);
        if (m_cache.isNull())
            p.fillRect(rect(), Qt::black);
        else
            p.drawPixmap(0, 0, m_cache);
    }

private:
    QPixmap m_picture;
    QPixmap m_cache;
};

MainWindow::MainWindow(Services& services, audio::AudioEngine& audio,
                       MainWindowCommands commands, std::function<void(bool)> aboutBusy,
                       std::function<void()> aboutShowOk)
    : m_services(services), m_audio(audio), m_commands(std::move(commands)),
      m_aboutBusy(std::move(aboutBusy)), m_aboutShowOk(std::move(aboutShowOk)) {
    setObjectName(QStringLiteral("frmMarvolen"));
    setWindowTitle(QStringLiteral("Marvolen"));
    setWindowIcon(QIcon(QStringLiteral(":/res/PIC/icon")));
    setFocusPolicy(Qt::StrongFocus);
    m_model = std::make_unique<game::BoardModel>(static_cast<game::BoardView&>(*this),
                                                  services.reporter, services.random);
    m_music = std::make_unique<audio::MusicLogic>(static_cast<audio::MusicHost&>(*this), audio.media(), services.temp,
                                                  services.settings, services.random,
                                                  services.reporter, m_resources);
    m_timer1.setInterval(1000);
    m_timer1.setTimerType(Qt::PreciseTimer);
    connect(&m_timer1, &QTimer::timeout, this, &MainWindow::Timer1_Timer);
    m_timer2.setInterval(1000);
    connect(&m_timer2, &QTimer::timeout, this, &MainWindow::Timer2_Timer);

    m_board = new BoardWidget(this);
    m_board->onLift = [this](int p) { m_model->imgKugel_DragOver(p, p); };
    m_board->onDropOnMarble = [this](int t, int s) { m_model->imgKugel_DragDrop(t, s); };
    m_board->onDropOnHole = [this](int t, int s) { m_model->imgLoch_DragDrop(t, s); };
    m_board->onDropOnBoard = [this](int s) { m_model->picBrett_DragDrop(s); };
    m_board->onPointerOverBoard = [this] { m_model->picBrett_MouseMove(); };
    buildPanel();
    buildMenu();
    resize(px(kDesignInner.width()), px(kDesignInner.height()));
    Form_Load();
}

MainWindow::~MainWindow() { unload(); }

double MainWindow::now() const { return game::daysOf(m_services.clock.now()); }

QString MainWindow::text(int n) const { return m_services.language.text(n); }

bool MainWindow::soundOn() const { return m_music->soundOn() != 0; }

void MainWindow::sound(int id) {
    if (soundOn())
        m_services.playWav(std::int16_t(id));
}

double MainWindow::boardHeight() const { return m_board->height() * kTwipsPerPixel; }

void MainWindow::buildPanel() {
    m_panel = new PanelWidget(this);
    m_logo = new QLabel(m_panel);
    m_logo->setObjectName(QStringLiteral("imgLogo"));
    m_logo->setScaledContents(true);
    m_logo->setPixmap(QPixmap(QStringLiteral(":/res/PIC/logo")));
    m_logo->setAccessibleName(QStringLiteral("Marvolen"));
    m_copyright = new QLabel(m_panel);
    m_copyright->setObjectName(QStringLiteral("lblCopyright"));
    m_copyright->setText(QStringLiteral("© 2026 The Marvolen developers"));
    m_copyright->setStyleSheet(QStringLiteral("color: rgb(0,192,192); background: transparent;"));
    QFont small = m_copyright->font();
    small.setPointSizeF(7);
    m_copyright->setFont(small);
    m_copyright->adjustSize();

    auto frame = [this](const char* name, const QSizeF& size, const QColor& back) {
        auto* f = new QFrame(m_panel);
        f->setObjectName(QLatin1String(name));
        f->setFixedSize(px(size.width()), px(size.height()));
        f->setAutoFillBackground(true);
        QPalette pal = f->palette();
        pal.setColor(QPalette::Window, back);
        f->setPalette(pal);
        return f;
    };
    m_fraAnzeige = frame("fraAnzeige", kFraAnzeige, Qt::black);
    m_fraLayout = frame("fraLayout", kFraLayout, kIdleBack);
    m_fraKnopf = frame("fraKnopf", kFraKnopf, kIdleBack);

    m_digitStrip = QPixmap(QStringLiteral(":/res/PIC/digits"));
    m_layoutStrip = QPixmap(QStringLiteral(":/res/PIC/layout"));

    // The two displays: a symbol, then four digit places side by side.
    const char16_t* symbols[2] = {u"\U0001F553", u"\u25CF"};
    const char* symbolNames[2] = {"lblTime0", "lblTime1"};
    QFont symbolFont(QStringLiteral("Symbola"));
    symbolFont.setPointSizeF(15);
    const int digitsLeft = 62, rowTops[2] = {16, 59};
    for (int row = 0; row < 2; ++row) {
        auto* symbol = new QLabel(QString::fromUtf16(symbols[row]), m_fraAnzeige);
        symbol->setObjectName(QLatin1String(symbolNames[row]));
        symbol->setFont(symbolFont);
        symbol->setStyleSheet(QStringLiteral("color: rgb(0,255,255);"));
        symbol->setGeometry(14, rowTops[row] - 2, 40, 31);
        symbol->setAlignment(Qt::AlignCenter);
        m_lblTime[std::size_t(row)] = symbol;
        auto& places = row == 0 ? m_imgZeit : m_imgKugelzahl;
        for (int i = 0; i < 4; ++i) {
            auto* place = new QLabel(m_fraAnzeige);
            place->setObjectName(QStringLiteral("%1%2")
                                     .arg(row == 0 ? QStringLiteral("imgZeit")
                                                   : QStringLiteral("imgKugelzahl"))
                                     .arg(i));
            place->setScaledContents(true);
            // Each place sits right of the one before it.
            place->setGeometry(digitsLeft + i * 18, rowTops[row], 18, 27);
            places[std::size_t(i)] = place;
        }
    }

    for (int i = 0; i < 20; ++i) {
        auto* on = new QLabel(m_fraLayout);
        on->setObjectName(QStringLiteral("imgLon%1").arg(i));
        on->setGeometry(toPixels(thumbnailRect(i, true)));
        on->setScaledContents(true);
        m_imgLon[std::size_t(i)] = on;
        auto* off = new ClickableLabel(m_fraLayout);
        off->setObjectName(QStringLiteral("imgLoff%1").arg(i));
        off->setGeometry(toPixels(thumbnailRect(i, false)));
        off->setScaledContents(true);
        off->clicked = [this, i] { imgLoff_Click(i); };
        m_imgLoff[std::size_t(i)] = off;
    }

    for (int i = 0; i < 9; ++i) {
        auto* b = new QPushButton(m_fraKnopf);
        b->setObjectName(QStringLiteral("optBut%1").arg(i));
        const ButtonFace& face = kFaces[i];
        b->setText(QString::fromUtf16(face.symbol));
        QFont f{QLatin1String(face.family)};
        f.setPointSizeF(face.points);
        f.setBold(face.bold);
        b->setFont(f);
        b->setGeometry(toPixels(buttonRect(i)));
        b->setFocusPolicy(Qt::NoFocus);
        connect(b, &QPushButton::clicked, this, [this, i] { optBut_Click(i); });
        m_buttons[std::size_t(i)] = b;
        setButtonColours(i, false);
    }
    m_buttons[6]->setToolTip(QStringLiteral("Tessaro's Homepage"));
    m_buttons[6]->setAccessibleName(QStringLiteral("Tessaro's Homepage"));

    for (int i : lang::kFlagIndices) {
        auto* flag = new ClickableLabel(m_fraKnopf);
        flag->setObjectName(QStringLiteral("imgLang%1").arg(i));
        QPixmap pic(QStringLiteral(":/res/PIC/flag%1").arg(i));
        pic.setDevicePixelRatio(pic.isNull() ? 1.0 : pic.width() / 32.0);
        flag->setPixmap(pic);
        flag->setGeometry(toPixels(flagRect(i)));
        flag->setAlignment(Qt::AlignCenter);
        flag->setToolTip(lang::flagTooltip(i));
        flag->setAccessibleName(lang::flagTooltip(i));
        flag->clicked = [this, i] { imgLang_Click(i); };
        m_imgLang[std::size_t(i)] = flag;
    }
}

void MainWindow::buildMenu() {
    m_menu = new QMenu(QStringLiteral("&Optionen"), this);
    m_menu->setObjectName(QStringLiteral("mnuOptionen"));
    m_mnuPlaySounds = m_menu->addAction(QStringLiteral("&Geräusche"));
    m_mnuPlaySounds->setObjectName(QStringLiteral("mnuPlaySounds"));
    m_mnuPlaySounds->setCheckable(true);
    connect(m_mnuPlaySounds, &QAction::triggered, this, [this] {
        m_music->mnuPlaySounds_Click();
        m_model->setSoundOn(soundOn());
    });
    m_mnuPlayMusic = m_menu->addMenu(QStringLiteral("&Hintergrundmusik"));
    m_mnuPlayMusic->setObjectName(QStringLiteral("mnuPlayMusic"));
    const char* captions[3] = {"&Keine", "&Einmal", "End&los"};
    for (int i = 0; i < 3; ++i) {
        QAction* a = m_mnuPlayMusic->addAction(QString::fromUtf8(captions[i]));
        a->setObjectName(QStringLiteral("mnuMusic%1").arg(i));
        a->setCheckable(true);
        connect(a, &QAction::triggered, this, [this, i] {
            m_music->mnuMusic_Click(i);
        });
        m_mnuMusic[std::size_t(i)] = a;
    }
    m_mnuMusic[1]->setChecked(true);
    m_menu->addSeparator()->setObjectName(QStringLiteral("sep0"));
    m_mnuUeber = m_menu->addAction(QStringLiteral("Über..."));
    m_mnuUeber->setObjectName(QStringLiteral("mnuUeber"));
    connect(m_mnuUeber, &QAction::triggered, this, &MainWindow::mnuUeber_Click);
}

void MainWindow::setButtonColours(int index, bool highlighted) {
    QPushButton* b = m_buttons.at(std::size_t(index));
    const QColor back = highlighted ? kCyan : kIdleBack;
    const QColor fore = highlighted ? kIdleBack : kCyan;
    b->setStyleSheet(QStringLiteral("QPushButton { background-color: %1; color: %2; border: 1px "
                                    "outset rgb(110,110,110); border-radius: 3px; padding: 0; }"
                                    "QPushButton:pressed { border-style: inset; }")
                         .arg(back.name(), fore.name()));
    b->setProperty("highlighted", highlighted);
}

QPixmap MainWindow::digitCell(int cell) const {
    return m_digitStrip.copy(game::stripCell(game::kDigitStrip, cell));
}

QPixmap MainWindow::layoutCell(int cell) const {
    return m_layoutStrip.copy(game::stripCell(game::kLayoutStrip, cell));
}

// ------------------------------------------------------------------------------------------
// Load, activation, unload

void MainWindow::Form_Load() {
    Procedure p(m_services.reporter, kModule, QStringLiteral("Form_Load"));
    p.step(50030, [&] {
        if (m_aboutBusy)
            m_aboutBusy(true);
    });
    p.step(50040, [&] {
        QPalette pal = palette();
        pal.setColor(QPalette::Window, Qt::black);
        setPalette(pal);
        setAutoFillBackground(true);
    });
    p.step(50050, [&] {
        for (int i = 0; i < 4; ++i) {
            m_imgKugelzahl[std::size_t(i)]->setPixmap(digitCell(10));
            m_imgZeit[std::size_t(i)]->setPixmap(digitCell(10));
        }
    });
    p.step(50060, [&] {
        for (int i = 1; i <= 20; ++i) {
            m_imgLoff[std::size_t(i - 1)]->setPixmap(layoutCell(i - 1));
            m_imgLon[std::size_t(i - 1)]->setPixmap(layoutCell(i + 19));
        }
    });
    p.step(50080, [&] { m_boardPicture = m_services.settings.board(); });
    p.step(50090, [&] { m_marblePicture = m_services.settings.kugel(); });
    p.step(50100, [&] { LoadKugel(); });
    p.step(50110, [&] { m_model->Coordinates(); });
    p.step(50120, [&] { m_model->setVariantNumber(m_services.settings.layout()); });
    p.step(50130, [&] {
        m_music->setSoundOn(m_services.settings.playSound());
        m_model->setSoundOn(soundOn());
    });
    p.step(50140, [&] { m_mnuPlaySounds->setChecked(soundOn()); });
    p.step(50150, [&] { Sprache(); });
    p.step(50160, [&] {
        if (m_aboutBusy)
            m_aboutBusy(false);
        if (m_aboutShowOk)
            m_aboutShowOk();
    });
}

bool MainWindow::event(QEvent* event) {
    if (event->type() == QEvent::WindowActivate)
        Form_Activate();
    return QWidget::event(event);
}

void MainWindow::Form_Activate() {
    Procedure p(m_services.reporter, kModule, QStringLiteral("Form_Activate"));
    p.step(50030, [&] { Sprache(); });
}

void MainWindow::closeEvent(QCloseEvent* event) {
    unload();
    event->accept();
}

void MainWindow::unload() {
    if (m_unloaded)
        return;
    m_unloaded = true;
    Form_Unload();
}

void MainWindow::Form_Unload() {
    Procedure p(m_services.reporter, kModule, QStringLiteral("Form_Unload"));
    p.step(50030, [&] { m_timer1.stop(); });
    // Stops the music before its file goes, and deletes every tune file of this run.
    p.step(50040, [&] { m_music->closeOnUnload(); });
    p.quiet([&] {
        const QString& path = m_services.language.LanguageFilePath();
        if (!path.isEmpty())
            QFile::remove(path);
    });
}

// ------------------------------------------------------------------------------------------
// Layout

void MainWindow::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    // Without a window manager a shown window may never become active; its captions must
    // follow a language chosen in the start window all the same.
    Form_Activate();
    // The first display lays the window out; later shows keep the game.
    if (!m_laidOut && !isMinimized())
        Form_Resize();
}

void MainWindow::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    // A minimized window has no size to lay out; hidden windows are laid out when shown.
    if (isMinimized() || width() <= 0 || height() <= 0 || !isVisible())
        return;
    if (m_laidOut && event->size() == event->oldSize())
        return;
    Form_Resize();
}

void MainWindow::Form_Resize() {
    Procedure p(m_services.reporter, kModule, QStringLiteral("Form_Resize"));
    m_laidOut = true;
    PanelLayout l;
    p.step(50030, [&] {
        l = computeLayout(QSizeF(width() * kTwipsPerPixel, height() * kTwipsPerPixel));
        m_board->setGeometry(toPixels(l.board));
    });
    p.step(50040, [&] { PaintBoard(); });
    p.step(50050, [&] { m_model->setGameOver(true); });
    p.step(50060, [&] { m_panel->setGeometry(toPixels(l.panel)); });
    p.step(50070, [&] { m_panel->setBackground(QPixmap(QStringLiteral(":/res/PIC/panel"))); });
    p.step(50100, [&] {
        m_logo->setGeometry(toPixels(l.logo));
        m_copyright->adjustSize();
        m_copyright->move((m_panel->width() - m_copyright->width()) / 2, px(l.copyrightTop));
    });
    p.step(50110, [&] {
        m_fraAnzeige->move(toPixels(l.frames[0]).topLeft());
        m_fraLayout->move(toPixels(l.frames[1]).topLeft());
        m_fraKnopf->move(toPixels(l.frames[2]).topLeft());
    });
    p.step(50120, [&] {
        std::array<QRect, 3> fields, borders;
        for (std::size_t k = 0; k < 3; ++k) {
            fields[k] = toPixels(l.fields[k]);
            // The border lines lie on the rectangle around the field, two twips out.
            const QRectF b = l.borders[k];
            borders[k] = QRect(QPoint(px(b.left()) - 1, px(b.top()) - 1),
                               QPoint(px(b.right()), px(b.bottom())));
        }
        m_panel->decorate(fields, borders);
    });
    p.step(50130, [&] { m_panel->show(); });
    p.step(50140, [&] {
        for (int i = 0; i < 20; ++i) {
            m_imgLon[std::size_t(i)]->show();
            m_imgLoff[std::size_t(i)]->show();
        }
    });
    p.step(50150, [&] { imgLoff_Click(m_model->VariantNumber()); });
    p.step(50160, [&] { m_model->NewGame(); });
    p.step(50170, [&] { m_music->mnuMusic_Click(m_services.settings.playMusic()); });
}

// ------------------------------------------------------------------------------------------
// The board's pictures

void MainWindow::LoadKugel() {
    Procedure p(m_services.reporter, kModule, QStringLiteral("LoadKugel"));
    // One picture serves all 49 marbles and the drag image.
    p.step(50030, [&] {
        const int id = 100 + m_marblePicture;
        m_board->setMarblePicture(picture(app::resourcePath(QStringLiteral("ICON"), id), id));
    });
    p.step(50040, [&] {
        if (isVisible())
            sound(107);
    });
}

void MainWindow::PaintBoard() {
    Procedure p(m_services.reporter, kModule, QStringLiteral("PaintBoard"));
    p.step(50030, [&] {
        const int index = m_boardPicture - 1;
        if (index < 0 || index > 8)
            throw Failure(err::NoSuchElement, QString::number(index));
        m_board->setHolePicture(
            picture(QStringLiteral(":/res/PIC/hole%1").arg(index), 120 + m_boardPicture));
    });
    p.step(50040, [&] {
        const int id = 120 + m_boardPicture;
        m_board->setBoardPicture(picture(app::resourcePath(QStringLiteral("BITMAP"), id), id));
    });
    p.step(50050, [&] {
        m_board->show();
        unsetCursor();
    });
}

void MainWindow::NewBoard() {
    Procedure p(m_services.reporter, kModule, QStringLiteral("NewBoard"));
    p.step(50030, [&] {
        if (m_boardPicture == m_paintedBoard)
            return;
        setCursor(Qt::WaitCursor);
        QCoreApplication::processEvents();
        sound(106);
        PaintBoard();
        sound(107);
        m_services.settings.setBoard(m_boardPicture);
    });
    p.step(50040, [&] { m_paintedBoard = m_boardPicture; });
    p.step(50050, [&] { m_model->NewGame(); });
}

void MainWindow::NewKugel() {
    Procedure p(m_services.reporter, kModule, QStringLiteral("NewKugel"));
    p.step(50030, [&] {
        if (m_marblePicture == m_loadedMarble)
            return;
        LoadKugel();
        m_loadedMarble = m_marblePicture;
        m_services.settings.setKugel(m_marblePicture);
    });
    p.step(50040, [&] { m_model->NewGame(); });
}

// ------------------------------------------------------------------------------------------
// Commands

void MainWindow::optBut_Click(int index) {
    Procedure p(m_services.reporter, kModule, QStringLiteral("optBut_Click"));
    p.step(50030, [&] {
        if (index < 0 || index > 8)
            throw Failure(err::NoSuchElement, QString::number(index));
        m_buttons[std::size_t(index)]->setDown(false);
    });
    p.step(50040, [&] {
        if (!game::clickAccepted(now(), m_lastClickTime))
            p.leave();
    });
    p.step(50050, [&] { sound(102); });
    p.step(50060, [&] { QCoreApplication::processEvents(); });
    p.step(50070, [&] { m_lastClickTime = now(); });
    p.step(50080, [&] {
        for (int k = 0; k < 9; ++k)
            setButtonColours(k, false);
        setButtonColours(index, true);
    });
    p.step(50090, [&] {
        switch (index) {
        case 0: m_model->StartGame(m_services.clock.now()); break;
        case 1:
            if (askYesNo(m_services, this, QStringLiteral("Marvolen"), text(124))) {
                if (shutdown)
                    shutdown();
                else
                    close();
            } else {
                setButtonColours(1, false);
            }
            break;
        case 2:
            if (m_commands.showRules)
                m_commands.showRules();
            break;
        case 3:
            if (m_commands.showHelp)
                m_commands.showHelp();
            break;
        case 4:
            m_model->setGameOver(true);
            m_loadedMarble = m_marblePicture;
            if (m_commands.chooseMarble)
                m_marblePicture = m_commands.chooseMarble(m_marblePicture);
            NewKugel();
            break;
        case 5:
            m_model->setGameOver(true);
            m_paintedBoard = m_boardPicture;
            if (m_commands.chooseBoard)
                m_boardPicture = m_commands.chooseBoard(m_boardPicture);
            NewBoard();
            break;
        case 6: m_services.openUrl(QUrl(QString::fromLatin1(kHomepage))); break;
        case 7: m_menu->popup(QCursor::pos()); break;
        case 8:
            m_model->handover().NewResultPending = false;
            if (m_commands.showChampions)
                m_commands.showChampions(m_model->handover(), m_model->VariantNumber());
            break;
        default: break;
        }
    });
}

void MainWindow::imgLoff_Click(int index) {
    Procedure p(m_services.reporter, kModule, QStringLiteral("imgLoff_Click"));
    p.step(50030, [&] { setCursor(Qt::WaitCursor); });
    p.step(50040, [&] {
        for (ClickableLabel* off : m_imgLoff)
            off->setVisible(true);
        if (index < 0 || index >= 20)
            throw Failure(err::NoSuchElement, QString::number(index));
        m_imgLoff[std::size_t(index)]->setVisible(false);
    });
    p.step(50050, [&] { m_model->setVariantNumber(index); });
    p.step(50060, [&] { m_model->hideAll(); });
    p.step(50070, [&] {
        m_model->Layout(boardHeight());
        m_model->NewGame();
    });
    p.step(50080, [&] { unsetCursor(); });
    p.step(50090, [&] {
        if (isVisible())
            setFocus();
    });
    p.step(50100, [&] { sound(107); });
    p.step(50110, [&] { m_services.settings.setLayout(index); });
}

void MainWindow::imgLang_Click(int index) {
    Procedure p(m_services.reporter, kModule, QStringLiteral("imgLang_Click"));
    p.step(50030, [&] { sound(102); });
    p.step(50040, [&] { m_services.language.setLanguageOffset(numbers::toInt16(index * 1000.0)); });
    p.step(50050, [&] { Sprache(); });
    p.step(50060, [&] {
        m_services.settings.setSpracheWithSignPlace(m_services.language.LanguageOffset());
    });
}

void MainWindow::mnuUeber_Click() {
    Procedure p(m_services.reporter, kModule, QStringLiteral("mnuUeber_Click"));
    p.step(50030, [&] {
        if (m_commands.showAbout)
            m_commands.showAbout();
    });
}

void MainWindow::Sprache() {
    Procedure p(m_services.reporter, kModule, QStringLiteral("Sprache"));
    p.step(50030, [&] {
        m_mnuPlayMusic->setTitle(text(118));
        m_mnuMusic[0]->setText(text(149));
        m_mnuMusic[1]->setText(text(133));
        m_mnuMusic[2]->setText(text(134));
        m_mnuPlaySounds->setText(text(119));
        m_mnuUeber->setText(text(123));
    });
    p.step(50040, [&] {
        for (int i = 0; i < 9; ++i) {
            if (kTooltips[i] < 0)
                continue;
            const QString tip = text(kTooltips[i]);
            m_buttons[std::size_t(i)]->setToolTip(tip);
            m_buttons[std::size_t(i)]->setAccessibleName(tip);
        }
    });
    p.step(50050, [&] {
        for (int i = 0; i < 20; ++i) {
            const QString tip = text(112) + numbers::withSignPlace(i + 1);
            m_imgLoff[std::size_t(i)]->setToolTip(tip);
            m_imgLoff[std::size_t(i)]->setAccessibleName(tip);
        }
    });
    p.step(50060, [&] { installQtTranslations(m_services.language.LanguageOffset()); });
}

void MainWindow::Timer1_Timer() { m_model->Timer1_Timer(m_services.clock.now()); }

void MainWindow::Timer2_Timer() { m_music->Timer2_Timer(); }

void MainWindow::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape && Form_KeyPress(27))
        return;
    QWidget::keyPressEvent(event);
}

bool MainWindow::Form_KeyPress(int key) {
    if (key != 27)
        return false;
    Procedure p(m_services.reporter, kModule, QStringLiteral("Form_KeyPress"));
    p.step(50030, [&] {
        if (askYesNo(m_services, this, QStringLiteral("Marvolen"), text(124))) {
            if (shutdown)
                shutdown();
            else
                close();
        }
    });
    return true;
}

// ------------------------------------------------------------------------------------------
// What the board and the music ask of the window

void MainWindow::setHoleShown(int position, bool shown) { m_board->setHoleShown(position, shown); }

void MainWindow::setMarbleShown(int position, bool shown) {
    m_board->setMarbleShown(position, shown);
}

void MainWindow::moveHole(int position, int left, int top) {
    m_board->moveHole(position, left, top);
}

void MainWindow::moveMarble(int position, int left, int top) {
    m_board->moveMarble(position, left, top);
}

void MainWindow::showDigits(game::Display display, const std::array<int, 4>& cells) {
    auto& places = display == game::Display::Time ? m_imgZeit : m_imgKugelzahl;
    QString shown;
    for (std::size_t k = 0; k < 4; ++k) {
        places[k]->setPixmap(digitCell(cells[k]));
        shown += cells[k] == 10 ? QLatin1Char(' ') : QChar(u'0' + cells[k]);
    }
    for (QLabel* place : places)
        place->setAccessibleName(shown);
    m_displayText[display == game::Display::Time ? 0 : 1] = shown;
    m_fraAnzeige->setAccessibleDescription(m_displayText[0] + QLatin1Char(' ') + m_displayText[1]);
    m_fraAnzeige->setToolTip(QString());
}

void MainWindow::setClockRunning(bool running) {
    if (running)
        m_timer1.start();
    else
        m_timer1.stop();
}

void MainWindow::playSound(int id) { m_services.playWav(std::int16_t(id)); }

void MainWindow::showGameOver() { inform(m_services, this, text(138), text(137)); }

void MainWindow::resetButtonColours() {
    for (int k = 0; k < 9; ++k)
        setButtonColours(k, false);
}

void MainWindow::showChampions() {
    if (m_commands.showChampions)
        m_commands.showChampions(m_model->handover(), m_model->VariantNumber());
}

void MainWindow::setMusicChecked(int index, bool checked) {
    if (index >= 0 && index < 3)
        m_mnuMusic[std::size_t(index)]->setChecked(checked);
}

void MainWindow::setSoundChecked(bool checked) { m_mnuPlaySounds->setChecked(checked); }

void MainWindow::setWatcherEnabled(bool enabled) {
    if (enabled)
        m_timer2.start();
    else
        m_timer2.stop();
}

void MainWindow::processPendingEvents() { QCoreApplication::processEvents(); }

} // namespace marvolen::ui
