// The side panel's widgets.
#include "panel_widgets.h"

#include "app/resources.h"
#include "game/strips.h"
#include "lang/language.h"
#include "panel_layout.h"
#include "theme.h"
#include "twips.h"

#include <QAccessibleWidget>
#include <QCoreApplication>
#include <QKeyEvent>
#include <QPainter>
#include <QPushButton>

#include <utility>

namespace marvolen::ui {

namespace {

/// The command buttons' symbol characters (Symbola's pictographs) and fonts.
struct ButtonFace {
    const char16_t* symbol;
    const char* family;
    double points;
    bool bold;
};
constexpr ButtonFace kFaces[9] = {
    {u"\u2B9A", "Symbola", 12, true},     {u"\u25A0", "Symbola", 12, false},
    {u"?", "DejaVu Sans", 13.5, true},    {u"\U0001F453", "Symbola", 12, true},
    {u"\u2B55", "Symbola", 12, false},    {u"\u2751", "Symbola", 12, false},
    {u"\u262F", "Symbola", 14.25, false}, {u"\u2327", "Symbola", 14.25, false},
    {u"\u263A", "Symbola", 14.25, true},
};

/// A display reading is one text for assistive technology: its digit pictures are no
/// elements of their own.
class DisplayReadingAccessible : public QAccessibleWidget {
  public:
    explicit DisplayReadingAccessible(QWidget* widget)
        : QAccessibleWidget(widget, QAccessible::StaticText) {}
    int childCount() const override { return 0; }
    QAccessibleInterface* child(int) const override { return nullptr; }
    int indexOfChild(const QAccessibleInterface*) const override { return -1; }
};

/// The selected variant's picture: the checked radio button of the variants when uncovered,
/// no element while covered.
class SelectedThumbnailAccessible : public QAccessibleWidget {
  public:
    explicit SelectedThumbnailAccessible(SelectedThumbnail* widget)
        : QAccessibleWidget(widget, QAccessible::RadioButton) {}
    QAccessible::State state() const override {
        QAccessible::State state = QAccessibleWidget::state();
        const bool selected = static_cast<SelectedThumbnail*>(widget())->isSelected();
        state.selectable = true;
        state.selected = selected;
        state.checkable = true;
        state.checked = selected;
        state.invisible = state.invisible || !selected;
        return state;
    }
};

/// Asked before Qt's own widget interfaces, as it answers to the class's own name.
QAccessibleInterface* panelAccessible(const QString& className, QObject* object) {
    if (className == QLatin1String(DisplayReading::staticMetaObject.className()))
        if (auto* reading = qobject_cast<DisplayReading*>(object))
            return new DisplayReadingAccessible(reading);
    if (className == QLatin1String(SelectedThumbnail::staticMetaObject.className()))
        if (auto* thumbnail = qobject_cast<SelectedThumbnail*>(object))
            return new SelectedThumbnailAccessible(thumbnail);
    return nullptr;
}

void installPanelAccessible() {
    static const bool installed = [] {
        QAccessible::installFactory(panelAccessible);
        return true;
    }();
    Q_UNUSED(installed);
}

} // namespace

// ------------------------------------------------------------------------------------------

PanelWidget::PanelWidget(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("picPanel"));
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void PanelWidget::decorate(const std::array<QRect, 3>& fields, Reporter& reporter) {
    const qreal dpr = devicePixelRatioF();
    QPixmap cache(size() * dpr);
    cache.setDevicePixelRatio(dpr);
    cache.fill(Qt::black);
    QPainter p(&cache);
    p.setRenderHint(QPainter::SmoothPixmapTransform);
    if (!m_picture.isNull())
        p.drawPixmap(rect(), m_picture);
    for (const QRect& f : fields)
        p.fillRect(f, theme::kIdleGrey);
    // Black above and left, white below and right: a sunken border, one pixel wide.
    p.setPen(QPen(Qt::black, 1));
    for (const QRect& f : fields)
        Rahmen(reporter, f, kRahmenDistance, p, 0, 15, 2);
    m_cache = cache;
    update();
}

void PanelWidget::paintEvent(QPaintEvent*) {
    QPainter p(this);
    if (m_cache.isNull())
        p.fillRect(rect(), Qt::black);
    else
        p.drawPixmap(0, 0, m_cache);
}

void shapeFrame(QFrame* frame, const char* name, const QSizeF& twips, const QColor& back) {
    frame->setObjectName(QLatin1String(name));
    frame->setFixedSize(toPixels(twips));
    frame->setAutoFillBackground(true);
    QPalette pal = frame->palette();
    pal.setColor(QPalette::Window, back);
    frame->setPalette(pal);
}

// ------------------------------------------------------------------------------------------

DisplayReading::DisplayReading(QWidget* parent) : QWidget(parent) {
    installPanelAccessible();
}

DisplayFrame::DisplayFrame(QWidget* parent)
    : QFrame(parent), m_digitStrip(app::loadPicture(QStringLiteral(":/res/PIC/digits"))),
      m_amberStrip(app::loadPicture(QStringLiteral(":/res/PIC/digits_amber"))) {
    shapeFrame(this, "fraAnzeige", kFraAnzeige, Qt::black);
    // Each display: a symbol, then four digit places side by side in their reading.
    const char16_t* symbols[2] = {u"\U0001F553", u"\u25CF"};
    const char* names[2] = {"imgZeit", "imgKugelzahl"};
    const char* readings[2] = {"lblZeit", "lblKugelzahl"};
    QFont symbolFont(QStringLiteral("Symbola"));
    symbolFont.setPointSizeF(15);
    const int digitsLeft = 62, rowTops[2] = {16, 59};
    for (int row = 0; row < 2; ++row) {
        auto* symbol = new QLabel(QString::fromUtf16(symbols[row]), this);
        symbol->setObjectName(QStringLiteral("lblTime%1").arg(row));
        symbol->setFont(symbolFont);
        symbol->setGeometry(14, rowTops[row] - 2, 40, 31);
        symbol->setAlignment(Qt::AlignCenter);
        m_symbols[std::size_t(row)] = symbol;
        auto* reading = new DisplayReading(this);
        reading->setObjectName(QLatin1String(readings[row]));
        reading->setGeometry(digitsLeft, rowTops[row], 4 * 18, 27);
        m_readings[std::size_t(row)] = reading;
        for (int i = 0; i < 4; ++i) {
            auto* place = new QLabel(reading);
            place->setObjectName(QLatin1String(names[row]) + QString::number(i));
            place->setScaledContents(true);
            place->setPixmap(app::stripCellPicture(m_digitStrip, game::kDigitStrip, 10));
            place->setGeometry(i * 18, 0, 18, 27);
            m_places[std::size_t(row)][std::size_t(i)] = place;
        }
    }
    retranslate();
}

QWidget* DisplayFrame::reading(game::Display display) const {
    return m_readings[display == game::Display::Time ? 0 : 1];
}

void DisplayFrame::retranslate() {
    m_symbols[0]->setAccessibleName(QCoreApplication::translate("Marvolen", "Time"));
    m_symbols[1]->setAccessibleName(QCoreApplication::translate("Marvolen", "Marbles"));
    // A blank display reads as its symbol alone.
    const QString time = m_shown[0].trimmed(), marbles = m_shown[1].trimmed();
    m_readings[0]->setAccessibleName(
        time.isEmpty()
            ? m_symbols[0]->accessibleName()
            : QCoreApplication::translate("Marvolen", "Time: %1 seconds").arg(time.toInt()));
    m_readings[1]->setAccessibleName(
        marbles.isEmpty()
            ? m_symbols[1]->accessibleName()
            : QCoreApplication::translate("Marvolen", "Marbles: %1").arg(marbles.toInt()));
}

void DisplayFrame::showDigits(game::Display display, const std::array<int, 4>& cells) {
    const auto row = std::size_t(display == game::Display::Time ? 0 : 1);
    QString shown;
    const QPixmap& strip = row == 1 && m_countWarning ? m_amberStrip : m_digitStrip;
    for (std::size_t k = 0; k < 4; ++k) {
        m_places[row][k]->setPixmap(app::stripCellPicture(strip, game::kDigitStrip, cells[k]));
        shown += cells[k] == 10 ? QLatin1Char(' ') : QChar(u'0' + cells[k]);
    }
    m_cells[row] = cells;
    m_shown[row] = shown;
    setAccessibleDescription(m_shown[0] + QLatin1Char(' ') + m_shown[1]);
    // The new name is told to assistive technology: after a move, the new marble count.
    retranslate();
}

void DisplayFrame::setCountWarning(bool warning) {
    if (warning == m_countWarning)
        return;
    m_countWarning = warning;
    const std::array<int, 4>& cells = m_cells[1];
    const QPixmap& strip = warning ? m_amberStrip : m_digitStrip;
    for (std::size_t k = 0; k < 4; ++k)
        m_places[1][k]->setPixmap(app::stripCellPicture(strip, game::kDigitStrip, cells[k]));
}

QString DisplayFrame::shown(game::Display display) const {
    return m_shown[display == game::Display::Time ? 0 : 1];
}

// ------------------------------------------------------------------------------------------

SelectedThumbnail::SelectedThumbnail(QWidget* cover, QWidget* parent)
    : QLabel(parent), m_cover(cover) {
    installPanelAccessible();
}

bool SelectedThumbnail::isSelected() const {
    return m_cover && !m_cover->isVisibleTo(parentWidget());
}

ThumbnailFrame::ThumbnailFrame(QWidget* parent) : QFrame(parent) {
    shapeFrame(this, "fraLayout", kFraLayout, theme::kIdleGrey);
    const QPixmap strip = app::loadPicture(QStringLiteral(":/res/PIC/layout"));
    for (int i = 0; i < 20; ++i) {
        auto* off = new ClickableLabel(this);
        auto* on = new SelectedThumbnail(off, this);
        on->setObjectName(QStringLiteral("imgLon%1").arg(i));
        on->setGeometry(toPixels(thumbnailRect(i, true)));
        on->setScaledContents(true);
        on->setPixmap(app::stripCellPicture(strip, game::kLayoutStrip, i + 20));
        m_on[std::size_t(i)] = on;
        // The not-selected picture lies above the selected one.
        off->raise();
        off->setObjectName(QStringLiteral("imgLoff%1").arg(i));
        off->setGeometry(toPixels(thumbnailRect(i, false)));
        off->setScaledContents(true);
        off->setPixmap(app::stripCellPicture(strip, game::kLayoutStrip, i));
        off->clicked = [this, i] {
            if (clicked)
                clicked(i);
        };
        // Shown, a variant's clickable picture is never the selected one.
        off->checked = [] { return false; };
        m_off[std::size_t(i)] = off;
    }
}

void ThumbnailFrame::showSelected(int variant) {
    for (ClickableLabel* off : m_off)
        off->setVisible(true);
    m_off.at(std::size_t(variant))->setVisible(false);
}

void ThumbnailFrame::showAll() {
    for (std::size_t i = 0; i < 20; ++i) {
        m_on[i]->show();
        m_off[i]->show();
    }
}

void ThumbnailFrame::setTooltips(const std::function<QString(int)>& tip) {
    for (int i = 0; i < 20; ++i) {
        m_off[std::size_t(i)]->setToolTip(tip(i));
        m_off[std::size_t(i)]->setAccessibleName(tip(i));
        m_on[std::size_t(i)]->setAccessibleName(tip(i));
    }
}

// ------------------------------------------------------------------------------------------

CommandFrame::CommandFrame(QWidget* parent) : QFrame(parent) {
    shapeFrame(this, "fraKnopf", kFraKnopf, theme::kIdleGrey);
    for (int i = 0; i < 9; ++i) {
        auto* b = new QPushButton(this);
        b->setObjectName(QStringLiteral("optBut%1").arg(i));
        const ButtonFace& face = kFaces[i];
        b->setText(QString::fromUtf16(face.symbol));
        QFont f{QLatin1String(face.family)};
        f.setPointSizeF(face.points);
        f.setBold(face.bold);
        b->setFont(f);
        b->setGeometry(toPixels(buttonRect(i)));
        // Reached by Tab, never by a click, so a mouse player sees no focus ring.
        b->setFocusPolicy(Qt::TabFocus);
        b->installEventFilter(this);
        connect(b, &QPushButton::clicked, this, [this, i] {
            if (clicked)
                clicked(i);
        });
        m_buttons[std::size_t(i)] = b;
        setHighlighted(i, false);
    }
    // The home page's tooltip is the same in every language.
    setTooltip(6, QStringLiteral("Tessaro's Homepage"));

    for (int i : lang::kFlagIndices) {
        auto* flag = new ClickableLabel(this);
        flag->setObjectName(QStringLiteral("imgLang%1").arg(i));
        QPixmap pic = app::loadPicture(QStringLiteral(":/res/PIC/flag%1").arg(i));
        pic.setDevicePixelRatio(pic.isNull() ? 1.0 : pic.width() / 32.0);
        flag->setPixmap(pic);
        flag->setGeometry(toPixels(flagRect(i)));
        flag->setAlignment(Qt::AlignCenter);
        flag->setToolTip(lang::flagTooltip(i));
        flag->setAccessibleName(lang::flagTooltip(i));
        flag->clicked = [this, i] {
            if (flagClicked)
                flagClicked(i);
        };
        flag->checked = [this, i] { return i == m_currentFlag; };
    }
}

bool CommandFrame::eventFilter(QObject* watched, QEvent* event) {
    // Space clicks a focused button by itself; Enter and Return do the same here.
    if (event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if ((key == Qt::Key_Return || key == Qt::Key_Enter) && watched->isWidgetType())
            if (auto* b = qobject_cast<QPushButton*>(watched)) {
                b->click();
                return true;
            }
    }
    return QFrame::eventFilter(watched, event);
}

void CommandFrame::setHighlighted(int index, bool highlighted) {
    theme::setHighlighted(*m_buttons.at(std::size_t(index)), highlighted);
}

void CommandFrame::setCurrentFlag(int flag) {
    const int previous = std::exchange(m_currentFlag, flag);
    if (previous == flag)
        return;
    QAccessible::State checked;
    checked.checked = true;
    for (int changed : {previous, flag})
        if (auto* label = findChild<ClickableLabel*>(QStringLiteral("imgLang%1").arg(changed))) {
            QAccessibleStateChangeEvent event(label, checked);
            QAccessible::updateAccessibility(&event);
        }
}

void CommandFrame::setTooltip(int index, const QString& tip) {
    m_buttons.at(std::size_t(index))->setToolTip(tip);
    m_buttons.at(std::size_t(index))->setAccessibleName(tip);
}

} // namespace marvolen::ui
