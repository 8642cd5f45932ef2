// The champions window frmHighscore: ranks a finished game and shows the ten best of a variant.
#include "ui/highscore_window.h"

#include "app/resources.h"
#include "game/strips.h"
#include "ids/sound_ids.h"
#include "ids/text_ids.h"
#include "scores/entry.h"
#include "ui/panel_widgets.h"
#include "ui/theme.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QShowEvent>
#include <QVBoxLayout>

#include <functional>
#include <utility>

namespace marvolen::ui {
namespace {

const QString kModule = QStringLiteral("frmHighscore");
const QString kTitle = QStringLiteral("Marvolen Champions");
const QString kLayoutStrip = QStringLiteral(":/res/PIC/layout");

using theme::kCyan;
using theme::kIdleGrey;
using theme::kTeal;
/// Every other row of the table, a shade lighter so that the eye keeps to its row.
const QColor kStripe(74, 74, 74);
/// The row of the result just entered.
const QColor kNewRow(0, 96, 96);
const QColor kDarkText(28, 28, 28);

/// The casual font of the table; Comic Neue stands in for the classic Comic Sans.
QFont tableFont(double points, bool bold) {
    QFont font(QStringLiteral("Comic Neue"));
    font.setPointSizeF(points);
    font.setBold(bold);
    return font;
}

/// Symbola carries the pictographs of the column heads.
QFont symbolFont(double points) {
    QFont font(QStringLiteral("Symbola"));
    font.setPointSizeF(points);
    return font;
}

QString failureText(const ErrorInfo& failure) {
    return QCoreApplication::translate("Marvolen", "%1 (error %2)")
        .arg(failure.description)
        .arg(failure.number);
}

/// A variant thumbnail: a picture that reports clicks; Space or Enter click it once it has the
/// focus, which Tab gives it.
class Thumbnail : public ClickableLabel {
  public:
    explicit Thumbnail(QWidget* parent) : ClickableLabel(parent) {
        setAlignment(Qt::AlignCenter);
        setFixedSize(38, 38);
    }
};

} // namespace

/// The table inside Shape1: paints a stripe behind every other row and behind the row of the
/// new result, taking the rows' places from their rank labels.
class ChampionsTable : public QWidget {
  public:
    explicit ChampionsTable(QWidget* parent) : QWidget(parent) {}

    std::array<QLabel*, 10> ranks{};
    int newRow = -1;

  protected:
    void paintEvent(QPaintEvent*) override {
        QPainter p(this);
        p.setRenderHint(QPainter::Antialiasing);
        p.setPen(Qt::NoPen);
        for (int i = 0; i < int(ranks.size()); ++i) {
            if (!ranks[std::size_t(i)] || (i % 2 == 0 && i != newRow))
                continue;
            const QRect label = ranks[std::size_t(i)]->geometry();
            p.setBrush(i == newRow ? kNewRow : kStripe);
            p.drawRoundedRect(QRectF(0, label.top() - 2, width(), label.height() + 4), 4, 4);
        }
    }
};

namespace {

QLabel* makeLabel(QWidget* parent, const QString& name, Qt::Alignment alignment) {
    auto* label = new QLabel(parent);
    label->setObjectName(name);
    label->setTextFormat(Qt::PlainText);
    label->setAlignment(alignment | Qt::AlignVCenter);
    return label;
}

} // namespace

HighscoreWindow::HighscoreWindow(Services& services, const game::ResultHandover& handover,
                                 int variant, QWidget* parent, const QLocale& locale)
    : QDialog(parent), m_services(services), m_handover(handover),
      m_file(services.reporter, scores::highscorePath(services.dataFolder), locale),
      m_shownVariant(variant) {
    buildElements();
    Form_Load();
}

QString HighscoreWindow::text(int n) const {
    return m_services.language.text(n);
}

QWidget* HighscoreWindow::dialogParent() {
    if (!isVisible() && parentWidget())
        return parentWidget();
    return this;
}

void HighscoreWindow::buildElements() {
    setObjectName(QStringLiteral("frmHighscore"));
    setWindowTitle(kTitle);
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);

    // The frame around the table and the buttons come from the theme's stylesheet.
    setStyleSheet(theme::styleSheet());
    QPalette pal(QColor(80, 80, 80), kIdleGrey);
    pal.setColor(QPalette::Window, kIdleGrey);
    pal.setColor(QPalette::WindowText, kCyan);
    pal.setColor(QPalette::ToolTipBase, QColor(240, 250, 250));
    pal.setColor(QPalette::ToolTipText, Qt::black);
    setPalette(pal);
    setAutoFillBackground(true);

    auto* root = new QVBoxLayout(this);
    root->setContentsMargins(18, 18, 18, 16);
    root->setSpacing(14);

    m_lblTitle = makeLabel(this, QStringLiteral("lblTitle"), Qt::AlignHCenter);
    QFont titleFont = tableFont(20, true);
    m_lblTitle->setFont(titleFont);
    m_lblTitle->setAutoFillBackground(true);
    m_lblTitle->setContentsMargins(12, 8, 12, 8);
    root->addWidget(m_lblTitle);

    // The twenty thumbnails in two rows of ten, as on the main window's panel.
    auto* patterns = new QGridLayout;
    patterns->setHorizontalSpacing(4);
    patterns->setVerticalSpacing(4);
    for (int v = 0; v < 20; ++v) {
        auto* thumbnail = new Thumbnail(this);
        thumbnail->setObjectName(QStringLiteral("imgPattern%1").arg(v));
        thumbnail->setToolTip(QString::number(v + 1));
        thumbnail->setAccessibleName(QString::number(v + 1));
        thumbnail->clicked = [this, v] { imgPattern_Click(v); };
        // A group of radio buttons: the variant shown is checked, arrow keys move among them.
        thumbnail->checked = [this, v] { return v == m_shownVariant; };
        patterns->addWidget(thumbnail, v / 10, v % 10);
        m_imgPattern[std::size_t(v)] = thumbnail;
    }
    auto* patternRow = new QHBoxLayout;
    patternRow->addStretch();
    patternRow->addLayout(patterns);
    patternRow->addStretch();
    root->addLayout(patternRow);

    // Shape1, the teal frame, holds fraHighscore, the table.
    auto* shape1 = new QFrame(this);
    shape1->setObjectName(QStringLiteral("Shape1"));
    auto* shapeLayout = new QVBoxLayout(shape1);
    shapeLayout->setContentsMargins(14, 10, 14, 12);

    auto* table = new ChampionsTable(shape1);
    m_table = table;
    table->setObjectName(QStringLiteral("fraHighscore"));
    table->setFont(tableFont(13, false));
    shapeLayout->addWidget(table);

    auto* grid = new QGridLayout(table);
    // Room below the last row for its stripe.
    grid->setContentsMargins(0, 0, 0, 3);
    grid->setHorizontalSpacing(16);
    grid->setVerticalSpacing(6);

    m_lblHeader[0] = makeLabel(table, QStringLiteral("lblHeader0"), Qt::AlignLeft);
    m_lblHeader[0]->setFont(tableFont(13, true));
    m_lblHeader[1] = makeLabel(table, QStringLiteral("lblHeader1"), Qt::AlignHCenter);
    m_lblHeader[1]->setText(QStringLiteral("\u25CF\u25CF"));
    m_lblHeader[1]->setAccessibleName(QCoreApplication::translate("Marvolen", "Marbles"));
    m_lblHeader[2] = makeLabel(table, QStringLiteral("lblHeader2"), Qt::AlignHCenter);
    m_lblHeader[2]->setText(QStringLiteral("\U0001F553"));
    m_lblHeader[2]->setAccessibleName(QCoreApplication::translate("Marvolen", "Seconds"));
    // The clock face is drawn smaller within its em than the circles, so it gets more points.
    m_lblHeader[1]->setFont(symbolFont(14));
    m_lblHeader[2]->setFont(symbolFont(19));
    grid->addWidget(m_lblHeader[0], 0, 1);
    grid->addWidget(m_lblHeader[1], 0, 2);
    grid->addWidget(m_lblHeader[2], 0, 3);

    auto* line1 = new QFrame(table);
    line1->setObjectName(QStringLiteral("Line1"));
    line1->setFrameShape(QFrame::NoFrame);
    line1->setFixedHeight(2);
    line1->setAutoFillBackground(true);
    QPalette linePal = line1->palette();
    linePal.setColor(QPalette::Window, kCyan);
    line1->setPalette(linePal);
    grid->addWidget(line1, 1, 0, 1, 4);
    grid->setRowMinimumHeight(1, 8);

    const QFont numberFont = tableFont(13, true);
    for (int i = 0; i < 10; ++i) {
        const int row = i + 2;
        auto* rank = makeLabel(table, QStringLiteral("Label1_%1").arg(i + 1), Qt::AlignRight);
        rank->setText(QStringLiteral("%1.").arg(i + 1));
        auto* name = makeLabel(table, QStringLiteral("lblHName%1").arg(i + 1), Qt::AlignLeft);
        auto* marbles =
            makeLabel(table, QStringLiteral("lblHScore%1").arg(i + 1), Qt::AlignHCenter);
        auto* seconds =
            makeLabel(table, QStringLiteral("lblHScore%1").arg(i + 11), Qt::AlignHCenter);
        marbles->setFont(numberFont);
        seconds->setFont(numberFont);
        marbles->setAccessibleDescription(QStringLiteral("Marbles"));
        seconds->setAccessibleDescription(QStringLiteral("Seconds"));
        // Empty rows keep their height, so the window does not shrink on an empty list.
        grid->setRowMinimumHeight(row, QFontMetrics(numberFont).height() + 2);
        grid->addWidget(rank, row, 0);
        grid->addWidget(name, row, 1);
        grid->addWidget(marbles, row, 2);
        grid->addWidget(seconds, row, 3);
        m_rank[std::size_t(i)] = rank;
        m_lblHName[std::size_t(i)] = name;
        m_lblHScore[std::size_t(i)] = marbles;
        m_lblHScore[std::size_t(i + 10)] = seconds;
    }
    table->ranks = m_rank;
    // Room for a name of the full twenty characters, and for five digits in either number.
    const QFontMetrics metrics(table->font());
    grid->setColumnMinimumWidth(0, metrics.horizontalAdvance(QStringLiteral("10.")) + 6);
    grid->setColumnMinimumWidth(1, metrics.horizontalAdvance(QString(20, QLatin1Char('W'))));
    grid->setColumnMinimumWidth(
        2, QFontMetrics(numberFont).horizontalAdvance(QStringLiteral("99999")));
    grid->setColumnMinimumWidth(
        3, QFontMetrics(numberFont).horizontalAdvance(QStringLiteral("99999")) + 8);
    grid->setColumnStretch(1, 1);
    root->addWidget(shape1, 1);

    m_cmdOK = new QPushButton(QStringLiteral("&OK"), this);
    m_cmdOK->setObjectName(QStringLiteral("cmdOK"));
    m_cmdOK->setDefault(true);
    m_cmdDelHS = new QPushButton(this);
    m_cmdDelHS->setObjectName(QStringLiteral("cmdDelHS"));
    for (auto* button : {m_cmdOK, m_cmdDelHS})
        button->setCursor(Qt::PointingHandCursor);
    connect(m_cmdOK, &QPushButton::clicked, this, [this] { cmdOK_Click(); });
    connect(m_cmdDelHS, &QPushButton::clicked, this, [this] { cmdDelHS_Click(); });
    // Tab takes the buttons in the order they are seen: Clear, then OK.
    setTabOrder(m_cmdDelHS, m_cmdOK);
    auto* buttons = new QHBoxLayout;
    buttons->setSpacing(12);
    buttons->addWidget(m_cmdDelHS);
    buttons->addStretch();
    buttons->addWidget(m_cmdOK);
    root->addLayout(buttons);
}

void HighscoreWindow::Form_Load() {
    Procedure p(m_services.reporter, kModule, QStringLiteral("Form_Load"));
    p.step(50030, [&] { m_file.setVariant(m_shownVariant); });
    p.step(50040, [&] { loadList(); });
    p.step(50050, [&] {
        if (m_handover.NewResultPending)
            CheckHS();
    });
    p.step(50060, [&] { m_lblTitle->setText(kTitle); });
    p.step(50070, [&] {
        m_layoutStrip = app::loadPicture(kLayoutStrip);
        if (m_layoutStrip.isNull())
            throw Failure(err::ResourceNotFound, QStringLiteral("layout"));
        markThumbnails();
    });
    p.step(50080, [&] {
        QPalette title = m_lblTitle->palette();
        title.setColor(QPalette::Window, kTeal);
        title.setColor(QPalette::WindowText, kDarkText);
        m_lblTitle->setPalette(title);
        for (QLabel* head : m_lblHeader)
            setTextColour(head, kCyan);
        for (QLabel* label : m_rank)
            setTextColour(label, kCyan);
        for (QLabel* label : m_lblHName)
            setTextColour(label, kCyan);
        for (QLabel* label : m_lblHScore)
            setTextColour(label, kCyan);
    });
    p.step(50090, [&] { ShowHS(); });
}

void HighscoreWindow::showEvent(QShowEvent* e) {
    QDialog::showEvent(e);
    if (!m_activated) {
        m_activated = true;
        Form_Activate();
    }
}

void HighscoreWindow::hideEvent(QHideEvent* e) {
    QDialog::hideEvent(e);
    m_activated = false;
}

void HighscoreWindow::Form_Activate() {
    Procedure p(m_services.reporter, kModule, QStringLiteral("Form_Activate"));
    p.step(50030, [&] { m_lblHeader[0]->setText(text(Text::NameColumn)); });
    p.step(50040, [&] { m_cmdDelHS->setText(text(Text::ClearChampions)); });
    p.step(50050, [&] { m_cmdOK->setFocus(); });
}

void HighscoreWindow::CheckHS() {
    Procedure p(m_services.reporter, kModule, QStringLiteral("CheckHS"));
    const QByteArray& result = m_handover.NewResult;
    bool ranks = false;
    p.step(50030, [&] { ranks = scores::qualifies(result, m_file.list().last()); });
    if (!ranks || !p.running())
        return;
    p.step(50040, [&] {
        if (m_services.soundOn())
            m_services.playWav(
                std::int16_t(Sound::fanfare(m_services.random.Zufallszahl(1, Sound::Fanfares))));
    });
    QString typed;
    p.step(50050, [&] {
        typed =
            askText(m_services, dialogParent(), text(Text::Congratulations), text(Text::EnterName));
    });
    p.step(50060, [&] { m_playerName = scores::playerName(typed); });
    std::optional<int> place;
    p.step(50070, [&] {
        place = m_file.addNewEntry(scores::makeEntry(result, m_playerName));
        m_table->newRow = place.value_or(-1);
    });
    p.step(50080, [&] {
        const bool written = m_file.WriteHS();
        if (!place) {
            // The name was asked for, as the order of equal results depends on it; the player
            // must not be left thinking the result is in the list.
            const bool tie = m_file.list().last().startsWith(result);
            inform(m_services, dialogParent(), kTitle,
                   tie ? QCoreApplication::translate(
                             "Marvolen",
                             "Your result equals the tenth place. Equal results are ranked by "
                             "name, and the name already there comes first, so your result "
                             "does not enter the champions list.")
                       : QCoreApplication::translate(
                             "Marvolen",
                             "While you were entering your name, other results were saved to "
                             "this champions list by another running copy of Marvolen, and "
                             "your result no longer enters it."));
        } else if (!written && m_file.lastFailure()) {
            inform(m_services, dialogParent(), kTitle,
                   QCoreApplication::translate(
                       "Marvolen",
                       "Your result could not be saved in the champions list \"%1\": %2. It is "
                       "shown here but will be gone when you close this window.")
                       .arg(QDir::toNativeSeparators(m_file.path()),
                            failureText(*m_file.lastFailure())));
        }
    });
}

void HighscoreWindow::ShowHS() {
    Procedure p(m_services.reporter, kModule, QStringLiteral("ShowHS"));
    for (int i = 0; i < scores::ChampionsList::kRanks && p.running(); ++i) {
        p.step(50030, [&] {
            const scores::RowTexts row = scores::rowTexts(m_file.list().at(i));
            m_lblHName[std::size_t(i)]->setText(row.name);
            m_lblHScore[std::size_t(i)]->setText(row.marbles);
            m_lblHScore[std::size_t(i + 10)]->setText(row.time);
        });
    }
    m_table->update();
}

void HighscoreWindow::imgPattern_Click(int v) {
    Procedure p(m_services.reporter, kModule, QStringLiteral("imgPattern_Click"));
    p.step(50030, [&] {
        if (m_services.soundOn())
            m_services.playWav(Sound::Click);
    });
    p.step(50040, [&] {
        m_shownVariant = v;
        m_file.setVariant(v);
        // The highlight of a result just entered belongs to the list it entered.
        m_table->newRow = -1;
    });
    p.step(50050, [&] { markThumbnails(); });
    p.step(50060, [&] { loadList(); });
    p.step(50070, [&] { ShowHS(); });
}

void HighscoreWindow::cmdDelHS_Click() {
    Procedure p(m_services.reporter, kModule, QStringLiteral("cmdDelHS_Click"));
    bool yes = false;
    p.step(50030, [&] {
        yes = askYesNo(m_services, this, text(Text::ClearChampionsTitle),
                       text(Text::ClearChampionsQuestion));
    });
    if (!yes || !p.running())
        return;
    p.step(50040, [&] {
        if (!m_file.SaveHS(std::nullopt, {}) && m_file.lastFailure())
            inform(m_services, this, kTitle,
                   QCoreApplication::translate(
                       "Marvolen", "The champions list in \"%1\" could not be cleared: %2.")
                       .arg(QDir::toNativeSeparators(m_file.path()),
                            failureText(*m_file.lastFailure())));
    });
    p.step(50050, [&] { cmdOK_Click(); });
}

void HighscoreWindow::cmdOK_Click() {
    accept();
}

void HighscoreWindow::markThumbnails() {
    if (m_layoutStrip.isNull())
        return;
    for (int v = 0; v < 20; ++v) {
        const int cell = v == m_shownVariant ? v + 20 : v;
        m_imgPattern[std::size_t(v)]->setPixmap(
            app::stripCellPicture(m_layoutStrip, game::kLayoutStrip, cell));
    }
}

void HighscoreWindow::loadList() {
    if (m_file.GetHS() || !m_file.lastFailure())
        return;
    inform(m_services, dialogParent(), kTitle,
           QCoreApplication::translate("Marvolen",
                                       "The champions list in \"%1\" could not be read: %2.")
               .arg(QDir::toNativeSeparators(m_file.path()), failureText(*m_file.lastFailure())));
}

void showChampionsWindow(Services& services, game::ResultHandover& handover, int variant,
                         QWidget* parent, const QLocale& locale) {
    HighscoreWindow window(services, handover, variant, parent, locale);
    window.exec();
}

} // namespace marvolen::ui
