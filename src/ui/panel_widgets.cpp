// The side panel's widgets.
#include "panel_widgets.h"

#include "app/command_buttons.h"
#include "game/strips.h"
#include "lang/language.h"
#include "panel_layout.h"
#include "pictures.h"
#include "theme.h"
#include "twips.h"

#include <QAccessibleWidget>
#include <QCoreApplication>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QPainter>
#include <QPushButton>

#include <algorithm>
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
constexpr ButtonFace kFaces[app::CommandButton::Count] = {
    {u"\u2B9A", "Symbola", 12, true},     {u"\u25A0", "Symbola", 12, false},
    {u"?", "DejaVu Sans", 13.5, true},    {u"\U0001F453", "Symbola", 12, true},
    {u"\u2B55", "Symbola", 12, false},    {u"\u2751", "Symbola", 12, false},
    {u"\u262F", "Symbola", 14.25, false}, {u"\u2327", "Symbola", 14.25, false},
    {u"\u263A", "Symbola", 14.25, true},
};

/// A display reading is one sentence for assistive technology ("Marbles: 31"), read when it is
/// asked for: the clock's seconds are never pushed, and its digit pictures are no elements.
class DisplayReadingAccessible : public QAccessibleWidget {
  public:
    explicit DisplayReadingAccessible(DisplayReading* widget)
        : QAccessibleWidget(widget, QAccessible::StaticText) {}
    QString text(QAccessible::Text t) const override {
        if (t == QAccessible::Name)
            return static_cast<DisplayReading*>(widget())->sentence();
        return QAccessibleWidget::text(t);
    }
    int childCount() const override { return 0; }
    QAccessibleInterface* child(int) const override { return nullptr; }
    int indexOfChild(const QAccessibleInterface*) const override { return -1; }
};

/// A named group of the panel, not a frame: a screen reader takes a frame for a window.
class PanelGroupAccessible : public QAccessibleWidget {
  public:
    explicit PanelGroupAccessible(QWidget* widget)
        : QAccessibleWidget(widget, QAccessible::Grouping) {}
};

/// The twenty variants as twenty elements: for each, the picture the player sees, the clickable
/// one or, while selected, the selected one below it.
class ThumbnailFrameAccessible : public PanelGroupAccessible {
  public:
    explicit ThumbnailFrameAccessible(ThumbnailFrame* frame) : PanelGroupAccessible(frame) {}
    int childCount() const override { return 20; }
    QAccessibleInterface* child(int index) const override {
        if (index < 0 || index >= 20)
            return nullptr;
        return QAccessible::queryAccessibleInterface(frame()->shownThumbnail(index));
    }
    int indexOfChild(const QAccessibleInterface* child) const override {
        for (int i = 0; i < 20; ++i)
            if (child && child->object() == frame()->shownThumbnail(i))
                return i;
        return -1;
    }

  private:
    ThumbnailFrame* frame() const { return static_cast<ThumbnailFrame*>(widget()); }
};

/// Asked before Qt's own widget interfaces, as it answers to the class's own name.
QAccessibleInterface* panelAccessible(const QString& className, QObject* object) {
    if (className == QLatin1String(DisplayReading::staticMetaObject.className()))
        if (auto* reading = qobject_cast<DisplayReading*>(object))
            return new DisplayReadingAccessible(reading);
    if (className == QLatin1String(PanelGroup::staticMetaObject.className())) {
        if (auto* thumbnails = qobject_cast<ThumbnailFrame*>(object))
            return new ThumbnailFrameAccessible(thumbnails);
        if (auto* group = qobject_cast<PanelGroup*>(object))
            return new PanelGroupAccessible(group);
    }
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

PanelGroup::PanelGroup(QWidget* parent) : QFrame(parent) {
    installPanelAccessible();
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
    setFocusPolicy(Qt::TabFocus);
}

void DisplayReading::setSentence(const QString& sentence, bool tell) {
    if (sentence == m_sentence)
        return;
    m_sentence = sentence;
    if (tell) {
        QAccessibleEvent event(this, QAccessible::NameChanged);
        QAccessible::updateAccessibility(&event);
    }
}

// The frame draws the focus ring around the digits, which cover the reading.
void DisplayReading::focusInEvent(QFocusEvent* event) {
    QWidget::focusInEvent(event);
    parentWidget()->update();
}

void DisplayReading::focusOutEvent(QFocusEvent* event) {
    QWidget::focusOutEvent(event);
    parentWidget()->update();
}

DisplayFrame::DisplayFrame(QWidget* parent)
    : PanelGroup(parent), m_digitStrip(ui::loadPicture(QStringLiteral(":/res/PIC/digits"))),
      m_amberStrip(ui::loadPicture(QStringLiteral(":/res/PIC/digits_amber"))) {
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
            place->setPixmap(ui::stripCellPicture(m_digitStrip, game::kDigitStrip, 10));
            place->setGeometry(i * 18, 0, 18, 27);
            m_places[std::size_t(row)][std::size_t(i)] = place;
        }
    }
    retranslate();
}

DisplayReading* DisplayFrame::reading(game::Display display) const {
    return m_readings[display == game::Display::Time ? 0 : 1];
}

void DisplayFrame::retranslate() {
    setAccessibleName(QCoreApplication::translate("Marvolen", "Game"));
    m_symbols[0]->setAccessibleName(QCoreApplication::translate("Marvolen", "Time"));
    m_symbols[1]->setAccessibleName(QCoreApplication::translate("Marvolen", "Marbles"));
    for (std::size_t row = 0; row < 2; ++row)
        m_readings[row]->setSentence(sentence(row), false);
}

QString DisplayFrame::sentence(std::size_t row) const {
    // A blank display reads as its symbol alone.
    const QString value = m_shown[row].trimmed();
    if (value.isEmpty())
        return m_symbols[row]->accessibleName();
    return row == 0 ? QCoreApplication::translate("Marvolen", "Time: %1 seconds").arg(value.toInt())
                    : QCoreApplication::translate("Marvolen", "Marbles: %1").arg(value.toInt());
}

void DisplayFrame::paintEvent(QPaintEvent* event) {
    QFrame::paintEvent(event);
    for (DisplayReading* reading : m_readings)
        if (reading->hasFocus()) {
            QPainter p(this);
            p.setPen(QPen(theme::kCyan, 1, Qt::DotLine));
            p.drawRect(reading->geometry().adjusted(-3, -3, 2, 2));
        }
}

void DisplayFrame::showDigits(game::Display display, const std::array<int, 4>& cells) {
    const auto row = std::size_t(display == game::Display::Time ? 0 : 1);
    QString shown;
    const QPixmap& strip = row == 1 && m_countWarning ? m_amberStrip : m_digitStrip;
    for (std::size_t k = 0; k < 4; ++k) {
        m_places[row][k]->setPixmap(ui::stripCellPicture(strip, game::kDigitStrip, cells[k]));
        shown += cells[k] == 10 ? QLatin1Char(' ') : QChar(u'0' + cells[k]);
    }
    m_cells[row] = cells;
    m_shown[row] = shown;
    // A new count is told once; the clock's seconds are read when asked for.
    m_readings[row]->setSentence(sentence(row), row == 1);
}

void DisplayFrame::setCountWarning(bool warning) {
    if (warning == m_countWarning)
        return;
    m_countWarning = warning;
    const std::array<int, 4>& cells = m_cells[1];
    const QPixmap& strip = warning ? m_amberStrip : m_digitStrip;
    for (std::size_t k = 0; k < 4; ++k)
        m_places[1][k]->setPixmap(ui::stripCellPicture(strip, game::kDigitStrip, cells[k]));
}

QString DisplayFrame::shown(game::Display display) const {
    return m_shown[display == game::Display::Time ? 0 : 1];
}

// ------------------------------------------------------------------------------------------

SelectedThumbnail::SelectedThumbnail(QWidget* cover, QWidget* parent)
    : ClickableLabel(parent), m_cover(cover) {
    setCursor(Qt::ArrowCursor);
    // A click on the selected variant does nothing; it is the checked one of its group.
    checked = [this] { return isSelected(); };
    // Focusable until the variants are first shown: Qt puts no widget without focus in the Tab
    // order, and the window orders the thumbnails before.
}

bool SelectedThumbnail::isSelected() const {
    return m_cover && !m_cover->isVisibleTo(parentWidget());
}

void SelectedThumbnail::paintEvent(QPaintEvent* event) {
    QLabel::paintEvent(event);
    // The picture has a cyan border of its own: the focus shows inside it, in white.
    if (!hasFocus())
        return;
    QPainter p(this);
    p.setPen(QPen(Qt::white, 1, Qt::DotLine));
    p.drawRect(rect().adjusted(2, 2, -3, -3));
}

void SelectedThumbnail::followCover() {
    setFocusPolicy(isSelected() ? Qt::TabFocus : Qt::NoFocus);
}

ThumbnailFrame::ThumbnailFrame(QWidget* parent) : PanelGroup(parent) {
    shapeFrame(this, "fraLayout", kFraLayout, theme::kIdleGrey);
    const QPixmap strip = ui::loadPicture(QStringLiteral(":/res/PIC/layout"));
    for (int i = 0; i < 20; ++i) {
        auto* off = new ClickableLabel(this);
        auto* on = new SelectedThumbnail(off, this);
        on->setObjectName(QStringLiteral("imgLon%1").arg(i));
        on->setGeometry(toPixels(thumbnailRect(i, true)));
        on->setScaledContents(true);
        on->setPixmap(ui::stripCellPicture(strip, game::kLayoutStrip, i + 20));
        m_on[std::size_t(i)] = on;
        // The not-selected picture lies above the selected one.
        off->raise();
        off->setObjectName(QStringLiteral("imgLoff%1").arg(i));
        off->setGeometry(toPixels(thumbnailRect(i, false)));
        off->setScaledContents(true);
        off->setPixmap(ui::stripCellPicture(strip, game::kLayoutStrip, i));
        connect(off, &ClickableLabel::clicked, this, [this, i] { emit variantClicked(i); });
        // Shown, a variant's clickable picture is never the selected one.
        off->checked = [] { return false; };
        m_off[std::size_t(i)] = off;
    }
}

void ThumbnailFrame::showSelected(int variant) {
    const int previous = int(std::find_if(m_on.begin(), m_on.end(),
                                          [](SelectedThumbnail* on) { return on->isSelected(); }) -
                             m_on.begin());
    for (ClickableLabel* off : m_off)
        off->setVisible(true);
    m_off.at(std::size_t(variant))->setVisible(false);
    for (SelectedThumbnail* on : m_on)
        on->followCover();
    // The variants' element for the old and the new one is another picture now.
    if (previous != variant) {
        QAccessibleEvent event(this, QAccessible::ObjectReorder);
        QAccessible::updateAccessibility(&event);
    }
}

void ThumbnailFrame::showAll() {
    for (std::size_t i = 0; i < 20; ++i) {
        m_on[i]->show();
        m_off[i]->show();
        m_on[i]->followCover();
    }
}

QWidget* ThumbnailFrame::shownThumbnail(int variant) const {
    const auto i = std::size_t(variant);
    return m_on.at(i)->isSelected() ? static_cast<QWidget*>(m_on.at(i)) : m_off.at(i);
}

QList<QWidget*> ThumbnailFrame::tabOrder() const {
    QList<QWidget*> order;
    for (std::size_t i = 0; i < 20; ++i)
        order << m_off[i] << m_on[i];
    return order;
}

void ThumbnailFrame::setTooltips(const QStringList& tips) {
    for (int i = 0; i < 20 && i < tips.size(); ++i) {
        m_off[std::size_t(i)]->setToolTip(tips[i]);
        m_off[std::size_t(i)]->setAccessibleName(tips[i]);
        m_on[std::size_t(i)]->setAccessibleName(tips[i]);
    }
}

// ------------------------------------------------------------------------------------------

CommandFrame::CommandFrame(QWidget* parent) : PanelGroup(parent) {
    shapeFrame(this, "fraKnopf", kFraKnopf, theme::kIdleGrey);
    for (int i = 0; i < app::CommandButton::Count; ++i) {
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
        connect(b, &QPushButton::clicked, this, [this, i] { emit commandClicked(i); });
        m_buttons[std::size_t(i)] = b;
        setHighlighted(i, false);
    }
    // The home page's tooltip is the same in every language.
    setTooltip(app::CommandButton::Homepage, QStringLiteral("Tessaro's Homepage"));

    // The flags are a group of their own, just large enough to hold them.
    m_flags = new PanelGroup(this);
    m_flags->setObjectName(QStringLiteral("fraSprache"));
    QRect flagsArea;
    for (int i : lang::kFlagIndices)
        flagsArea |= toPixels(flagRect(i));
    m_flags->setGeometry(flagsArea);
    for (int i : lang::kFlagIndices) {
        auto* flag = new ClickableLabel(m_flags);
        flag->setObjectName(QStringLiteral("imgLang%1").arg(i));
        QPixmap pic = ui::loadPicture(QStringLiteral(":/res/PIC/flag%1").arg(i));
        pic.setDevicePixelRatio(pic.isNull() ? 1.0 : pic.width() / 32.0);
        flag->setPixmap(pic);
        flag->setGeometry(toPixels(flagRect(i)).translated(-flagsArea.topLeft()));
        flag->setAlignment(Qt::AlignCenter);
        flag->setToolTip(lang::flagTooltip(i));
        flag->setAccessibleName(lang::flagTooltip(i));
        connect(flag, &ClickableLabel::clicked, this, [this, i] { emit flagClicked(i); });
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
        if (auto* label =
                m_flags->findChild<ClickableLabel*>(QStringLiteral("imgLang%1").arg(changed))) {
            QAccessibleStateChangeEvent event(label, checked);
            QAccessible::updateAccessibility(&event);
        }
}

void CommandFrame::retranslate() {
    setAccessibleName(QCoreApplication::translate("Marvolen", "Commands"));
    m_flags->setAccessibleName(QCoreApplication::translate("Marvolen", "Language"));
}

void CommandFrame::setTooltip(int index, const QString& tip) {
    m_buttons.at(std::size_t(index))->setToolTip(tip);
    m_buttons.at(std::size_t(index))->setAccessibleName(tip);
}

} // namespace marvolen::ui
