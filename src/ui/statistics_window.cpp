// The statistics window frmStatistics: the player's counts per variant and in total, ranked and
// practice games on a tab each, as tables that a screen reader reads cell by cell.
#include "ui/statistics_window.h"

#include "ui/theme.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QShowEvent>
#include <QTabWidget>
#include <QTableWidget>
#include <QVBoxLayout>

#include <algorithm>
#include <cmath>
#include <utility>

namespace marvolen::ui {
namespace {

QString title() {
    return QCoreApplication::translate("Marvolen", "Statistics");
}

QString columnName(int column) {
    switch (column) {
    case StatisticsWindow::Started:
        return QCoreApplication::translate("Marvolen", "Games started");
    case StatisticsWindow::Finished:
        return QCoreApplication::translate("Marvolen", "Games finished");
    case StatisticsWindow::AverageLeft:
        return QCoreApplication::translate("Marvolen", "Average marbles left");
    case StatisticsWindow::Best:
        return QCoreApplication::translate("Marvolen", "Best result");
    case StatisticsWindow::OneMarble:
        return QCoreApplication::translate("Marvolen", "Finished with one marble");
    default:
        return QCoreApplication::translate("Marvolen", "Time played");
    }
}

QString rowName(int row) {
    return row == StatisticsWindow::kTotalRow
               ? QCoreApplication::translate("Marvolen", "Total")
               : QCoreApplication::translate("Marvolen", "Variant %1").arg(row + 1);
}

/// A column head on two lines, broken at the blank nearest its middle, so that six heads fit
/// side by side in every language; a screen reader still gets the name on one line.
QString onTwoLines(QString name) {
    const auto middle = name.size() / 2;
    qsizetype best = -1;
    for (qsizetype i = name.indexOf(QLatin1Char(' ')); i >= 0;
         i = name.indexOf(QLatin1Char(' '), i + 1))
        if (best < 0 || std::abs(i - middle) < std::abs(best - middle))
            best = i;
    if (best >= 0)
        name[best] = QLatin1Char('\n');
    return name;
}

QString count(std::int64_t n) {
    return QString::number(qlonglong(n));
}

/// One decimal, rounded, with the decimal sign of the player's language.
QString oneDecimal(double value) {
    const auto tenths = std::llround(value * 10);
    return QCoreApplication::translate("Marvolen", "%1.%2")
        .arg(qlonglong(tenths / 10))
        .arg(qlonglong(tenths % 10));
}

QString bestResult(const game::Result& best) {
    return best.marbles == 1
               ? QCoreApplication::translate("Marvolen", "1 marble, %1 s").arg(best.seconds)
               : QCoreApplication::translate("Marvolen", "%1 marbles, %2 s")
                     .arg(best.marbles)
                     .arg(best.seconds);
}

QString hoursMinutesSeconds(std::int64_t seconds) {
    const QChar zero(QLatin1Char('0'));
    return QStringLiteral("%1:%2:%3")
        .arg(qlonglong(seconds / 3600))
        .arg(qlonglong(seconds / 60 % 60), 2, 10, zero)
        .arg(qlonglong(seconds % 60), 2, 10, zero);
}

/// The texts of one row; a row of nothing counted stays blank, so the variants played stand
/// out, and a value that needs a finished game is blank until there is one.
std::array<QString, StatisticsWindow::kColumns> cellTexts(const game::Tally& tally) {
    std::array<QString, StatisticsWindow::kColumns> texts;
    if (tally.empty())
        return texts;
    texts[StatisticsWindow::Started] = count(tally.started);
    texts[StatisticsWindow::Finished] = count(tally.finished);
    if (const auto average = tally.averageMarblesLeft())
        texts[StatisticsWindow::AverageLeft] = oneDecimal(*average);
    if (tally.best)
        texts[StatisticsWindow::Best] = bestResult(*tally.best);
    texts[StatisticsWindow::OneMarble] = count(tally.oneMarble);
    texts[StatisticsWindow::TimePlayed] = hoursMinutesSeconds(tally.secondsPlayed);
    return texts;
}

/// A table whose preferred size shows every row and column; the window takes what of it the
/// screen allows and the table scrolls the rest.
class CountsTable : public QTableWidget {
  public:
    using QTableWidget::QTableWidget;

    QSize sizeHint() const override {
        const int frame = 2 * frameWidth();
        const int width = verticalHeader()->sizeHint().width() + horizontalHeader()->length() +
                          verticalScrollBar()->sizeHint().width() + frame;
        const int height =
            horizontalHeader()->sizeHint().height() + verticalHeader()->length() + frame;
        return {width, height};
    }
};

/// The window's own rules, after the game's sheet and in its colours: a palette alone would not
/// reach the tables, since a sheet set on the window or on its owner takes over their drawing.
const QString kOwnRules = QStringLiteral(R"(
QDialog#frmStatistics { background: rgb(64, 64, 64); }
QDialog#frmStatistics QTabWidget::pane { border: none; }
QDialog#frmStatistics QTabBar::tab {
    background: rgb(54, 54, 54); color: rgb(0, 255, 255);
    border: 1px solid rgb(0, 128, 128); border-bottom: none;
    border-top-left-radius: 6px; border-top-right-radius: 6px;
    padding: 5px 14px; margin-right: 4px;
}
QDialog#frmStatistics QTabBar::tab:selected { background: rgb(0, 192, 192); color: rgb(28, 28, 28); }
QDialog#frmStatistics QTabBar::tab:focus { border: 2px solid rgb(0, 255, 255); border-bottom: none; }
QDialog#frmStatistics QTableWidget {
    background: rgb(40, 40, 40); alternate-background-color: rgb(50, 50, 50);
    color: rgb(228, 236, 236); gridline-color: rgb(80, 80, 80);
    border: 1px solid rgb(0, 192, 192);
    selection-background-color: rgb(0, 192, 192); selection-color: black;
}
QDialog#frmStatistics QTableWidget:focus { border: 2px solid rgb(0, 255, 255); }
QDialog#frmStatistics QHeaderView::section {
    background: rgb(54, 54, 54); color: rgb(0, 255, 255);
    border: none; border-right: 1px solid rgb(80, 80, 80); border-bottom: 1px solid rgb(80, 80, 80);
    padding: 3px 8px;
}
QDialog#frmStatistics QHeaderView { background: rgb(54, 54, 54); }
QDialog#frmStatistics QTableCornerButton::section { background: rgb(54, 54, 54); border: none; }
QDialog#frmStatistics QScrollBar { background: rgb(40, 40, 40); width: 10px; height: 10px; }
QDialog#frmStatistics QScrollBar::handle { background: rgb(0, 160, 160); border-radius: 3px; }
QDialog#frmStatistics QScrollBar::handle:vertical { min-height: 24px; }
QDialog#frmStatistics QScrollBar::handle:horizontal { min-width: 24px; }
QDialog#frmStatistics QScrollBar::add-line, QDialog#frmStatistics QScrollBar::sub-line {
    width: 0px; height: 0px;
}
QDialog#frmStatistics QScrollBar::add-page, QDialog#frmStatistics QScrollBar::sub-page {
    background: none;
}
QDialog#frmStatistics QPushButton {
    background: rgb(0, 192, 192); color: black;
    border: 1px solid rgb(0, 140, 140); border-radius: 5px;
    padding: 6px 20px; min-width: 60px;
}
QDialog#frmStatistics QPushButton:hover { background: rgb(0, 214, 214); }
QDialog#frmStatistics QPushButton:pressed { background: rgb(0, 160, 160); }
QDialog#frmStatistics QPushButton:focus { border: 2px solid rgb(0, 255, 255); }
)");

} // namespace

StatisticsWindow::StatisticsWindow(const game::StatisticsTable& table, app::Dialogs& dialogs,
                                   ClearStatistics clear, QWidget* parent)
    : QDialog(parent), m_dialogs(dialogs), m_clear(std::move(clear)) {
    buildElements();
    showCounts(table);
    fitToContents();
}

void StatisticsWindow::buildElements() {
    setObjectName(QStringLiteral("frmStatistics"));
    setWindowTitle(title());
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    setModal(true);

    setStyleSheet(theme::styleSheet() + kOwnRules);

    auto* root = new QVBoxLayout(this);
    root->setContentsMargins(14, 14, 14, 12);
    root->setSpacing(12);

    // Ranked and practice games on a tab each: a table with the same columns twice side by side
    // would be too wide, and two rows per variant would make a screen reader say every variant
    // twice on the way down a column.
    m_tabs = new QTabWidget(this);
    m_tabs->setObjectName(QStringLiteral("tabGames"));
    for (bool practice : {false, true}) {
        QTableWidget* counts = makeTable(practice);
        m_tables[practice ? 1 : 0] = counts;
        m_tabs->addTab(counts, counts->accessibleName());
    }
    root->addWidget(m_tabs, 1);

    m_cmdClear = new QPushButton(QCoreApplication::translate("Marvolen", "&Clear"), this);
    m_cmdClear->setObjectName(QStringLiteral("cmdClear"));
    m_cmdClear->setAutoDefault(false);
    m_cmdClose = new QPushButton(QCoreApplication::translate("Marvolen", "Close"), this);
    m_cmdClose->setObjectName(QStringLiteral("cmdClose"));
    m_cmdClose->setDefault(true);
    connect(m_cmdClear, &QPushButton::clicked, this, [this] { cmdClear_Click(); });
    connect(m_cmdClose, &QPushButton::clicked, this, &QDialog::accept);
    auto* buttons = new QHBoxLayout;
    buttons->setSpacing(12);
    buttons->addWidget(m_cmdClear);
    buttons->addStretch();
    buttons->addWidget(m_cmdClose);
    root->addLayout(buttons);

    // Tab goes tab bar, table, Clear, Close, as they are seen.
    setTabOrder(m_tabs, m_tables[0]);
    setTabOrder(m_tables[1], m_cmdClear);
    setTabOrder(m_cmdClear, m_cmdClose);
}

QTableWidget* StatisticsWindow::makeTable(bool practice) {
    auto* counts = new CountsTable(kTotalRow + 1, kColumns, this);
    counts->setObjectName(practice ? QStringLiteral("tblPractice") : QStringLiteral("tblRanked"));
    counts->setAccessibleName(practice ? QCoreApplication::translate("Marvolen", "Practice games")
                                       : QCoreApplication::translate("Marvolen", "Ranked games"));
    counts->setEditTriggers(QAbstractItemView::NoEditTriggers);
    counts->setSelectionMode(QAbstractItemView::SingleSelection);
    counts->setSelectionBehavior(QAbstractItemView::SelectItems);
    // The arrow keys move among the cells; Tab leaves the table for the buttons.
    counts->setTabKeyNavigation(false);
    counts->setAlternatingRowColors(true);
    counts->setWordWrap(false);
    counts->setCornerButtonEnabled(false);

    for (int column = 0; column < kColumns; ++column) {
        auto* head = new QTableWidgetItem(onTwoLines(columnName(column)));
        head->setData(Qt::AccessibleTextRole, columnName(column));
        head->setToolTip(columnName(column));
        counts->setHorizontalHeaderItem(column, head);
    }
    QFont totalFont = counts->font();
    totalFont.setBold(true);
    for (int row = 0; row <= kTotalRow; ++row) {
        auto* head = new QTableWidgetItem(rowName(row));
        if (row == kTotalRow)
            head->setFont(totalFont);
        counts->setVerticalHeaderItem(row, head);
        for (int column = 0; column < kColumns; ++column) {
            auto* cell = new QTableWidgetItem;
            cell->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
            cell->setTextAlignment(Qt::AlignCenter);
            if (row == kTotalRow)
                cell->setFont(totalFont);
            counts->setItem(row, column, cell);
        }
    }
    counts->horizontalHeader()->setDefaultAlignment(Qt::AlignCenter);
    counts->horizontalHeader()->setHighlightSections(false);
    counts->horizontalHeader()->setStretchLastSection(true);
    counts->verticalHeader()->setHighlightSections(false);
    counts->verticalHeader()->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    counts->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    counts->setCurrentCell(0, 0);
    return counts;
}

void StatisticsWindow::showCounts(const game::StatisticsTable& table) {
    for (bool practice : {false, true}) {
        QTableWidget& counts = this->table(practice);
        for (int row = 0; row <= kTotalRow; ++row) {
            const auto texts =
                cellTexts(row == kTotalRow ? table.total(practice) : table.of(row, practice));
            for (int column = 0; column < kColumns; ++column) {
                QTableWidgetItem* cell = counts.item(row, column);
                const QString& text = texts[std::size_t(column)];
                cell->setText(text);
                // A blank cell would be silence to a screen reader moving through the table.
                cell->setData(Qt::AccessibleTextRole,
                              text.isEmpty() ? QCoreApplication::translate("Marvolen", "none")
                                             : QVariant());
            }
        }
    }
}

void StatisticsWindow::fitToContents() {
    // Columns as wide as their widest text in either table, so switching tabs moves nothing.
    for (QTableWidget* counts : m_tables)
        counts->resizeColumnsToContents();
    for (int column = 0; column < kColumns; ++column) {
        const int width =
            std::max(m_tables[0]->columnWidth(column), m_tables[1]->columnWidth(column)) + 12;
        for (QTableWidget* counts : m_tables)
            counts->setColumnWidth(column, width);
    }
    layout()->activate();
    QSize size = sizeHint();
    if (const QScreen* screen =
            parentWidget() ? parentWidget()->screen() : QGuiApplication::primaryScreen())
        size = size.boundedTo(screen->availableGeometry().size() * 0.9);
    resize(size);
}

void StatisticsWindow::showEvent(QShowEvent* e) {
    QDialog::showEvent(e);
    // A screen reader starts in the table, on the first variant's games started.
    m_tabs->setCurrentIndex(0);
    m_tables[0]->setFocus(Qt::OtherFocusReason);
}

void StatisticsWindow::cmdClear_Click() {
    if (!m_dialogs.askYesNoDefaultNo(
            title(),
            QCoreApplication::translate(
                "Marvolen", "Clear the statistics of every variant, of ranked and practice games "
                            "alike? This cannot be undone.")))
        return;
    const ClearResult result = m_clear();
    if (const auto* cleared = std::get_if<game::StatisticsTable>(&result))
        showCounts(*cleared);
    else
        m_dialogs.inform(title(), QCoreApplication::translate(
                                      "Marvolen", "The statistics could not be cleared: %1.")
                                      .arg(std::get<QString>(result)));
}

} // namespace marvolen::ui
