// The picture chooser frmPics: the rules of the game, the marble chooser and the board chooser.
#include "ui/pics_window.h"

#include "app/resources.h"
#include "core/numbers.h"
#include "ids/resource_ids.h"
#include "ids/sound_ids.h"
#include "ids/text_ids.h"
#include "pictures.h"
#include "ui/shared_widgets.h"
#include "ui/theme.h"

#include <QFocusEvent>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QStyle>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextEdit>
#include <QToolButton>
#include <QVBoxLayout>

#include <algorithm>
#include <cmath>
#include <functional>
#include <span>

namespace marvolen::ui {
namespace {

const QString kModule = QStringLiteral("frmPics");
const QString kCrLf = QStringLiteral("\r\n");

// The same German tooltips in every language.
const QString kMarbleTip = QStringLiteral("Kugel auswählen");
const QString kBoardTip = QStringLiteral("Brett auswählen");

/// Marble picture numbers by row and column, as the player has always found them.
constexpr int kMarbleGrid[5][5] = {{1, 2, 3, 4, 25},
                                   {5, 6, 7, 8, 24},
                                   {9, 10, 11, 12, 23},
                                   {13, 18, 14, 17, 22},
                                   {15, 16, 20, 19, 21}};
constexpr int kBoardGrid[3][3] = {{1, 3, 5}, {2, 4, 6}, {7, 8, 9}};

/// Where a picture sits in its grid, (-1, -1) when it has no place there.
template <std::size_t Side> QPoint cellIn(const int (&grid)[Side][Side], int picture) {
    for (std::size_t row = 0; row < Side; ++row)
        for (std::size_t col = 0; col < Side; ++col)
            if (grid[row][col] == picture)
                return {int(col), int(row)};
    return {-1, -1};
}

constexpr QSize kMarbleIcon(32, 32);
constexpr QSize kBoardThumb(60, 60);
/// Room around a picture for the hover and focus frame.
constexpr int kPictureRim = 10;

/// The language digits that have a rules text, and the length of the rule under each heading.
struct RuleLine {
    int digit;
    int hyphens;
};
constexpr RuleLine kRuleLines[] = {{0, 18}, {1, 27}, {2, 26}, {3, 26}, {6, 19}};

/// The sentences of the rules between the heading and the last one.
constexpr int kRuleSentences[] = {Text::RuleAim, Text::RuleMoving, Text::RuleLegalMoves,
                                  Text::RuleJumpedRemoved};

/// A marble icon of the resources; throws 326 when it is missing.
QPixmap marbleIcon(int picture) {
    const int id = ResourceId::marble(picture);
    const QPixmap pixmap =
        ui::loadPicture(app::resourcePath(QLatin1String(ResourceType::Icon), id));
    if (pixmap.isNull())
        throw Failure(err::ResourceNotFound, QString::number(id));
    return pixmap;
}

/// The thumbnail of a board, carried with the window; made from the full board picture when
/// the thumbnail itself is missing. Null when neither is there.
QPixmap boardThumbnail(int board) {
    QPixmap thumb = ui::loadPicture(QStringLiteral(":/res/PIC/boardthumb%1").arg(board));
    if (thumb.isNull()) {
        const QPixmap full(
            app::resourcePath(QLatin1String(ResourceType::Bitmap), ResourceId::board(board)));
        if (!full.isNull())
            thumb = full.scaled(kBoardThumb, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    }
    return thumb;
}

QToolButton* makePicture(QWidget* parent, const QString& name, const QString& tip, int number,
                         QSize iconSize) {
    auto* b = new QToolButton(parent);
    // The pictures of a chooser are a group of radio buttons, the one in use checked.
    makeRadioButton(*b);
    b->setObjectName(name);
    b->setToolTip(tip);
    b->setAccessibleName(tip + QLatin1Char(' ') + QString::number(number));
    b->setAccessibleDescription(tip);
    b->setIconSize(iconSize);
    b->setFixedSize(iconSize + QSize(kPictureRim, kPictureRim));
    b->setCheckable(true);
    b->setAutoRaise(true);
    b->setCursor(Qt::PointingHandCursor);
    b->setFocusPolicy(Qt::StrongFocus);
    // Shown only while the picture is missing, so that there is still something to click.
    b->setText(QString::number(number));
    return b;
}

/// Marks the rules field while Tab has given it the focus, so that the stylesheet rings it in
/// cyan then; a click into it, to select some text, leaves its look as it was.
class KeyboardFocusMark : public QObject {
  public:
    explicit KeyboardFocusMark(QWidget& field) : QObject(&field) { field.installEventFilter(this); }

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() != QEvent::FocusIn && event->type() != QEvent::FocusOut)
            return false;
        const auto reason = static_cast<QFocusEvent*>(event)->reason();
        auto* field = static_cast<QWidget*>(watched);
        field->setProperty("keyboardFocus",
                           event->type() == QEvent::FocusIn &&
                               (reason == Qt::TabFocusReason || reason == Qt::BacktabFocusReason));
        field->style()->unpolish(field);
        field->style()->polish(field);
        return false;
    }
};

/// Gives the rules some air and marks the heading and its rule in the window's colours; the
/// text itself stays as it is.
void styleRules(QTextDocument* document) {
    QTextBlockFormat spaced;
    spaced.setBottomMargin(5);
    QTextCursor all(document);
    all.select(QTextCursor::Document);
    all.mergeBlockFormat(spaced);

    const QTextBlock heading = document->firstBlock();
    QTextCharFormat headingFormat;
    headingFormat.setForeground(theme::kCyan);
    headingFormat.setFontWeight(QFont::Bold);
    headingFormat.setFontPointSize(document->defaultFont().pointSizeF() * 1.2);
    QTextCursor c(heading);
    c.movePosition(QTextCursor::EndOfBlock, QTextCursor::KeepAnchor);
    c.mergeCharFormat(headingFormat);

    const QTextBlock rule = heading.next();
    if (rule.isValid()) {
        QTextCharFormat ruleFormat;
        ruleFormat.setForeground(theme::kTeal);
        QTextCursor r(rule);
        r.movePosition(QTextCursor::EndOfBlock, QTextCursor::KeepAnchor);
        r.mergeCharFormat(ruleFormat);
        QTextBlockFormat gap;
        gap.setBottomMargin(10);
        r.mergeBlockFormat(gap);
    }
}

QLabel* makeHeading(QWidget* parent, const QString& name) {
    auto* label = new QLabel(parent);
    label->setObjectName(name);
    label->setTextFormat(Qt::PlainText);
    label->setAlignment(Qt::AlignCenter);
    QFont font = label->font();
    font.setBold(true);
    if (font.pointSizeF() > 0)
        font.setPointSizeF(font.pointSizeF() * 1.2);
    label->setFont(font);
    return label;
}

/// What sets the two choosers apart.
struct ChooserKind {
    const char* frame;   ///< fraAuswahl(0) or (1)
    const char* heading; ///< the label over the pictures
    const char* picture; ///< the pictures' name, numbered from 0
    const QString& tip;
    QSize iconSize;
    QPoint (*cellOf)(int picture);
};

/// fraAuswahl: a chooser's heading over its pictures, each in its cell of the grid and Tab taking
/// them row by row; a click on the picture with index i runs click(i). Fills in heading and
/// pictures.
QFrame* buildChooser(QWidget* window, const ChooserKind& kind, QLabel*& heading,
                     std::span<QToolButton*> pictures, const std::function<void(int)>& click) {
    auto* frame = new QFrame(window);
    frame->setObjectName(QLatin1String(kind.frame));
    heading = makeHeading(frame, QLatin1String(kind.heading));
    auto* grid = new QGridLayout;
    grid->setSpacing(8);
    for (int i = 0; i < int(pictures.size()); ++i) {
        auto* b = makePicture(frame, QLatin1String(kind.picture) + QString::number(i), kind.tip,
                              i + 1, kind.iconSize);
        const QPoint cell = kind.cellOf(i + 1);
        grid->addWidget(b, cell.y(), cell.x());
        QObject::connect(b, &QToolButton::clicked, window, [click, i] { click(i); });
        pictures[std::size_t(i)] = b;
    }
    auto* box = new QVBoxLayout(frame);
    box->setContentsMargins(18, 14, 18, 18);
    box->setSpacing(12);
    box->addWidget(heading);
    box->addLayout(grid);
    box->setAlignment(grid, Qt::AlignHCenter);

    // Tab takes the pictures as they are read, row by row.
    QWidget* previous = nullptr;
    for (int row = 0; row < grid->rowCount(); ++row)
        for (int col = 0; col < grid->columnCount(); ++col)
            if (QLayoutItem* item = grid->itemAtPosition(row, col)) {
                if (previous)
                    QWidget::setTabOrder(previous, item->widget());
                previous = item->widget();
            }
    return frame;
}

} // namespace

PicsWindow::PicsWindow(Services& services, QWidget* parent)
    : QDialog(parent), m_services(services) {
    buildElements();
    Form_Load();
}

void PicsWindow::buildElements() {
    setObjectName(QStringLiteral("frmPics"));
    setWindowTitle(QStringLiteral("Marvolen"));
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    setModal(true);
    setStyleSheet(theme::styleSheet());
    QPalette pal = palette();
    pal.setColor(QPalette::Window, theme::kIdleGrey);
    pal.setColor(QPalette::WindowText, theme::kCyan);
    pal.setColor(QPalette::ToolTipBase, QColor(255, 255, 225));
    pal.setColor(QPalette::ToolTipText, Qt::black);
    setPalette(pal);
    setAutoFillBackground(true);

    m_txtHelp = new QTextEdit(this);
    m_txtHelp->setObjectName(QStringLiteral("txtHelp"));
    m_txtHelp->setReadOnly(true);
    new KeyboardFocusMark(*m_txtHelp);
    m_txtHelp->setAcceptRichText(false);
    m_txtHelp->setLineWrapMode(QTextEdit::WidgetWidth);
    m_txtHelp->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    m_txtHelp->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    QFont textFont = m_txtHelp->font();
    if (textFont.pointSizeF() > 0)
        textFont.setPointSizeF(textFont.pointSizeF() * 1.1);
    m_txtHelp->setFont(textFont);
    m_txtHelp->document()->setDocumentMargin(12);
    // About 62 characters a line, comfortable to read; the height follows the text.
    m_txtHelp->setFixedWidth(QFontMetrics(textFont).averageCharWidth() * 62 + 40);

    m_fraAuswahl[1] = buildChooser(
        this, {"fraAuswahl1", "lblSelectM", "imgKugelX", kMarbleTip, kMarbleIcon, marbleCell},
        m_lblSelectM, m_imgKugelX, [this](int i) { imgKugelX_Click(i); });
    m_fraAuswahl[0] = buildChooser(
        this, {"fraAuswahl0", "lblSelectB", "imgBrett", kBoardTip, kBoardThumb, boardCell},
        m_lblSelectB, m_imgBrett, [this](int i) { imgBrett_Click(i); });
    // The boards' thumbnails come with the window; the marbles' icons are Form_Load's.
    for (int i = 0; i < kBoards; ++i)
        if (const QPixmap thumb = boardThumbnail(i + 1); !thumb.isNull())
            m_imgBrett[std::size_t(i)]->setIcon(QIcon(thumb));

    m_cmdOK = new QPushButton(QStringLiteral("&OK"), this);
    m_cmdOK->setObjectName(QStringLiteral("cmdOK"));
    m_cmdOK->setDefault(true);
    m_cmdOK->setCursor(Qt::PointingHandCursor);
    connect(m_cmdOK, &QPushButton::clicked, this, [this] { cmdOK_Click(); });

    auto* bottom = new QHBoxLayout;
    bottom->addStretch(1);
    bottom->addWidget(m_cmdOK);

    auto* root = new QVBoxLayout(this);
    root->setContentsMargins(18, 18, 18, 18);
    root->setSpacing(14);
    root->addWidget(m_txtHelp);
    root->addWidget(m_fraAuswahl[1]);
    root->addWidget(m_fraAuswahl[0]);
    root->addLayout(bottom);
    root->setSizeConstraint(QLayout::SetFixedSize);

    // Hidden until the opener picks the purpose.
    m_txtHelp->hide();
    m_fraAuswahl[1]->hide();
    m_fraAuswahl[0]->hide();
}

void PicsWindow::Form_Load() {
    Procedure p(m_services.reporter, kModule, QStringLiteral("Form_Load"));
    p.step(50030, [&] { LoadHelpText(); });
    p.step(50040, [&] {
        const double digit = numbers::roundHalfEven(m_services.language.LanguageOffset() / 1000.0);
        if (digit < 0 || digit >= double(m_rulesText.size()))
            throw Failure(err::SubscriptOutOfRange);
        QString text = m_rulesText[std::size_t(digit)];
        m_txtHelp->setPlainText(text.replace(kCrLf, QStringLiteral("\n")));
        styleRules(m_txtHelp->document());
        fitRulesHeight();
    });
    for (int i = 1; i <= kMarbles; ++i) {
        if (!p.step(50060, [&] { m_imgKugelX[std::size_t(i - 1)]->setIcon(QIcon(marbleIcon(i))); }))
            return;
    }
    p.step(50070, [&] { m_lblSelectM->setText(m_services.language.text(Text::SelectMarbles)); });
    p.step(50080, [&] { m_lblSelectB->setText(m_services.language.text(Text::SelectBoard)); });
}

void PicsWindow::fitRulesHeight() {
    // The whole text in view without scrolling, unless a text of unusual length would make the
    // window taller than a small screen; then the field scrolls.
    QTextDocument* document = m_txtHelp->document();
    const int frame = m_txtHelp->frameWidth();
    document->setTextWidth(m_txtHelp->width() - 2 * frame);
    const int lineSpacing = QFontMetrics(m_txtHelp->font()).lineSpacing();
    const int wanted = int(std::ceil(document->size().height())) + 2 * frame + 4;
    m_txtHelp->setFixedHeight(std::clamp(wanted, lineSpacing * 8, lineSpacing * 24));
}

QString PicsWindow::rulesText(const lang::Language& language, int digit) {
    if (digit < 0 || digit > 6)
        throw Failure(err::SubscriptOutOfRange);
    for (const RuleLine& rule : kRuleLines) {
        if (rule.digit != digit)
            continue;
        const int base = digit * 1000;
        QString text = language.GetLang(base + Text::RulesHeading) + kCrLf;
        text += QString(rule.hyphens, QLatin1Char('-')) + kCrLf;
        for (int n : kRuleSentences)
            text += language.GetLang(base + n) + kCrLf;
        return text + language.GetLang(base + Text::RuleRanking);
    }
    return {};
}

void PicsWindow::LoadHelpText() {
    Procedure p(m_services.reporter, kModule, QStringLiteral("LoadHelpText"));
    int line = 50030;
    for (const RuleLine& rule : kRuleLines) {
        if (!p.step(line, [&] {
                m_rulesText[std::size_t(rule.digit)] = rulesText(m_services.language, rule.digit);
            }))
            return;
        line += 10;
    }
}

QPoint PicsWindow::marbleCell(int picture) {
    return cellIn(kMarbleGrid, picture);
}

QPoint PicsWindow::boardCell(int picture) {
    return cellIn(kBoardGrid, picture);
}

void PicsWindow::setPurpose(Purpose purpose, int current) {
    m_purpose = purpose;
    m_txtHelp->setVisible(purpose == Purpose::Rules);
    m_cmdOK->setVisible(purpose == Purpose::Rules);
    m_fraAuswahl[1]->setVisible(purpose == Purpose::Marbles);
    m_fraAuswahl[0]->setVisible(purpose == Purpose::Boards);

    QWidget* start = nullptr;
    if (purpose == Purpose::Marbles) {
        m_marblePicture = current;
        for (int i = 0; i < kMarbles; ++i)
            m_imgKugelX[std::size_t(i)]->setChecked(i + 1 == current);
        start = current >= 1 && current <= kMarbles ? m_imgKugelX[std::size_t(current - 1)]
                                                    : m_imgKugelX[0];
    } else if (purpose == Purpose::Boards) {
        m_boardPicture = current;
        for (int i = 0; i < kBoards; ++i)
            m_imgBrett[std::size_t(i)]->setChecked(i + 1 == current);
        start = current >= 1 && current <= kBoards ? m_imgBrett[std::size_t(current - 1)]
                                                   : m_imgBrett[0];
    } else {
        start = m_cmdOK;
    }
    layout()->activate();
    adjustSize();
    start->setFocus();
}

void PicsWindow::imgKugelX_Click(int index) {
    Procedure p(m_services.reporter, kModule, QStringLiteral("imgKugelX_Click"));
    p.step(50030, [&] {
        if (index < 0 || index >= kMarbles)
            throw Failure(err::NoSuchElement, QString::number(index));
        if (m_services.soundSwitch.soundOn())
            m_services.sounds.PlayWAV(Sound::Click);
    });
    p.step(50040, [&] { m_marblePicture = index + 1; });
    p.step(50050, [&] { cmdOK_Click(); });
}

void PicsWindow::imgBrett_Click(int index) {
    Procedure p(m_services.reporter, kModule, QStringLiteral("imgBrett_Click"));
    p.step(50030, [&] {
        if (index < 0 || index >= kBoards)
            throw Failure(err::NoSuchElement, QString::number(index));
        if (m_services.soundSwitch.soundOn())
            m_services.sounds.PlayWAV(Sound::Click);
    });
    p.step(50040, [&] { m_boardPicture = index + 1; });
    p.step(50050, [&] { cmdOK_Click(); });
}

void PicsWindow::cmdOK_Click() {
    accept();
}

void PicsWindow::keyPressEvent(QKeyEvent* e) {
    // The pictures leave the arrow keys to the window, and take Space and Enter themselves.
    if (m_purpose != Purpose::Rules && moveGridFocus(e->key()))
        return;
    QDialog::keyPressEvent(e);
}

bool PicsWindow::moveGridFocus(int key) {
    int dx = 0;
    int dy = 0;
    switch (key) {
    case Qt::Key_Left:
        dx = -1;
        break;
    case Qt::Key_Right:
        dx = 1;
        break;
    case Qt::Key_Up:
        dy = -1;
        break;
    case Qt::Key_Down:
        dy = 1;
        break;
    default:
        return false;
    }
    const bool marbles = m_purpose == Purpose::Marbles;
    const int count = marbles ? kMarbles : kBoards;
    const int side = marbles ? 5 : 3;
    auto cellOf = [&](int picture) { return marbles ? marbleCell(picture) : boardCell(picture); };
    auto button = [&](int i) {
        return marbles ? m_imgKugelX[std::size_t(i)] : m_imgBrett[std::size_t(i)];
    };
    for (int i = 0; i < count; ++i) {
        if (button(i) != focusWidget())
            continue;
        const QPoint cell = cellOf(i + 1);
        const QPoint to(std::clamp(cell.x() + dx, 0, side - 1),
                        std::clamp(cell.y() + dy, 0, side - 1));
        for (int j = 0; j < count; ++j)
            if (cellOf(j + 1) == to)
                button(j)->setFocus(Qt::TabFocusReason);
        return true;
    }
    return false;
}

void showRulesWindow(Services& services, QWidget* parent) {
    PicsWindow window(services, parent);
    window.setPurpose(PicsWindow::Purpose::Rules);
    window.exec();
}

int chooseMarblePicture(Services& services, int current, QWidget* parent) {
    PicsWindow window(services, parent);
    window.setPurpose(PicsWindow::Purpose::Marbles, current);
    window.exec();
    return window.marblePicture();
}

int chooseBoardPicture(Services& services, int current, QWidget* parent) {
    PicsWindow window(services, parent);
    window.setPurpose(PicsWindow::Purpose::Boards, current);
    window.exec();
    return window.boardPicture();
}

} // namespace marvolen::ui
