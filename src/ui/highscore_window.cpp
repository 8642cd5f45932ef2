// The champions window frmHighscore: shows the ten best of a variant, and the ranking of a
// finished game before it is shown.
#include "ui/highscore_window.h"

#include "game/strips.h"
#include "ids/sound_ids.h"
#include "ids/text_ids.h"
#include "pictures.h"
#include "scores/entry.h"
#include "scores/highscore_file.h"
#include "ui/shared_widgets.h"
#include "ui/theme.h"

#include <QCoreApplication>
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
const QString kTitle = QString::fromLatin1(app::kChampionsTitle);
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
    /// The row of the result just entered; -1 for none.
    std::function<int()> newRow = [] { return -1; };

  protected:
    void paintEvent(QPaintEvent*) override {
        QPainter p(this);
        p.setRenderHint(QPainter::Antialiasing);
        p.setPen(Qt::NoPen);
        const int highlighted = newRow();
        for (int i = 0; i < int(ranks.size()); ++i) {
            if (!ranks[std::size_t(i)] || (i % 2 == 0 && i != highlighted))
                continue;
            const QRect label = ranks[std::size_t(i)]->geometry();
            p.setBrush(i == highlighted ? kNewRow : kStripe);
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
    : QDialog(parent), m_services(services),
      m_ranking({services.reporter, services.language, services.random, services.dialogs,
                 services.textInput, services.sounds, services.soundSwitch},
                handover, variant, scores::highscorePath(services.dataFolder), locale) {
    buildElements();
    Form_Load();
}

QString HighscoreWindow::text(int n) const {
    return m_services.language.text(n);
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
        connect(thumbnail, &ClickableLabel::clicked, this, [this, v] { imgPattern_Click(v); });
        // A group of radio buttons: the variant shown is checked, arrow keys move among them.
        thumbnail->checked = [this, v] { return v == m_ranking.variant(); };
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
    table->newRow = [this] { return m_ranking.newRow().value_or(-1); };
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
    m_ranking.load(p); // 50030 to 50050
    p.step(50060, [&] { m_lblTitle->setText(kTitle); });
    p.step(50070, [&] {
        m_layoutStrip = ui::loadPicture(kLayoutStrip);
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

void HighscoreWindow::ShowHS() {
    Procedure p(m_services.reporter, kModule, QStringLiteral("ShowHS"));
    for (int i = 0; i < scores::ChampionsList::kRanks && p.running(); ++i) {
        p.step(50030, [&] {
            const scores::RowTexts row = scores::rowTexts(m_ranking.file().list().at(i));
            m_lblHName[std::size_t(i)]->setText(row.name);
            m_lblHScore[std::size_t(i)]->setText(row.marbles);
            m_lblHScore[std::size_t(i + 10)]->setText(row.time);
        });
    }
    m_table->update();
    describeList();
}

void HighscoreWindow::describeList() {
    // What the table shows, for a screen reader, which reads a window's description as it
    // opens: the player's new place first.
    QStringList rows;
    for (int i = 0; i < scores::ChampionsList::kRanks; ++i) {
        const scores::RowTexts row = scores::rowTexts(m_ranking.file().list().at(i));
        if (!row.marbles.isEmpty())
            rows << QCoreApplication::translate("Marvolen", "%1. %2, marbles: %3, seconds: %4")
                        .arg(i + 1)
                        .arg(row.name, row.marbles, row.time);
    }
    QString description = rows.isEmpty()
                              ? QCoreApplication::translate("Marvolen", "No champions yet")
                              : rows.join(QStringLiteral("; "));
    if (const std::optional<int> mine = m_ranking.newRow())
        description = QCoreApplication::translate("Marvolen", "Your place: %1").arg(*mine + 1) +
                      QStringLiteral(". ") + description;
    setAccessibleDescription(description);
}

void HighscoreWindow::imgPattern_Click(int v) {
    Procedure p(m_services.reporter, kModule, QStringLiteral("imgPattern_Click"));
    p.step(50030, [&] {
        if (m_services.soundSwitch.soundOn())
            m_services.sounds.PlayWAV(Sound::Click);
    });
    p.step(50040, [&] { m_ranking.setVariant(v); });
    p.step(50050, [&] { markThumbnails(); });
    p.step(50060, [&] { m_ranking.loadList(); });
    p.step(50070, [&] { ShowHS(); });
}

void HighscoreWindow::cmdDelHS_Click() {
    Procedure p(m_services.reporter, kModule, QStringLiteral("cmdDelHS_Click"));
    bool yes = false;
    p.step(50030, [&] { yes = m_ranking.askClear(); });
    if (!yes || !p.running())
        return;
    p.step(50040, [&] { m_ranking.clearList(); });
    p.step(50050, [&] { cmdOK_Click(); });
}

void HighscoreWindow::cmdOK_Click() {
    accept();
}

void HighscoreWindow::markThumbnails() {
    if (m_layoutStrip.isNull())
        return;
    for (int v = 0; v < 20; ++v) {
        const int cell = v == m_ranking.variant() ? v + 20 : v;
        m_imgPattern[std::size_t(v)]->setPixmap(
            ui::stripCellPicture(m_layoutStrip, game::kLayoutStrip, cell));
    }
}

void showChampionsWindow(Services& services, game::ResultHandover& handover, int variant,
                         QWidget* parent, const QLocale& locale) {
    HighscoreWindow window(services, handover, variant, parent, locale);
    window.exec();
}

} // namespace marvolen::ui
