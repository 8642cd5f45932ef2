// The picture chooser frmPics: the rules of the game, the marble chooser and the board chooser.
#pragma once

#include "ids/resource_ids.h"
#include "ui/services.h"

#include <QDialog>
#include <QPoint>

#include <array>

class QFrame;
class QLabel;
class QTextEdit;
class QPushButton;
class QToolButton;

namespace marvolen::ui {

/// One modal window with three purposes; the opener picks one before showing it. Built anew at
/// every opening.
class PicsWindow : public QDialog {
    Q_OBJECT

  public:
    enum class Purpose { Rules, Marbles, Boards };

    static constexpr int kMarbles = ResourceId::MarblePictures;
    static constexpr int kBoards = ResourceId::BoardPictures;
    /// Language digits 0 to 6; 4 and 5 have no language and stay empty.
    using RulesTexts = std::array<QString, 7>;

    /// Form_Load: everything hidden until setPurpose.
    explicit PicsWindow(Services& services, QWidget* parent = nullptr);

    /// What the opener does before showing: the rules (text and OK) or one chooser (no OK).
    /// current is the picture in use, the result while no picture is clicked.
    void setPurpose(Purpose purpose, int current = 0);

    /// The rules text of one language digit: heading, a rule of hyphens and the five sentences,
    /// lines joined by CR LF, no line end after the last. Digits 4 and 5 give the empty text;
    /// any other digit outside 0 to 6 throws Failure 9.
    static QString rulesText(const lang::Language& language, int digit);

    /// Where a picture sits in its chooser: row and column from 0 (x column, y row).
    static QPoint marbleCell(int picture);
    static QPoint boardCell(int picture);

    /// MarblePicture and BoardPicture: the choice made, or the current picture given to
    /// setPurpose while none was clicked.
    int marblePicture() const { return m_marblePicture; }
    int boardPicture() const { return m_boardPicture; }
    const RulesTexts& RulesText() const { return m_rulesText; }

    // The window's handlers; public so that tests can run them directly.
    void LoadHelpText();
    /// index 0 to 24: marble picture index + 1.
    void imgKugelX_Click(int index);
    /// index 0 to 8: board index + 1.
    void imgBrett_Click(int index);
    void cmdOK_Click();

  protected:
    void keyPressEvent(QKeyEvent* e) override;

  private:
    void buildElements();
    void Form_Load();
    /// Sizes the rules field to its text.
    void fitRulesHeight();
    /// Moves the keyboard focus through the visible grid by the arrow keys.
    bool moveGridFocus(int key);

    Services& m_services;
    Purpose m_purpose = Purpose::Rules;
    RulesTexts m_rulesText;
    int m_marblePicture = 0;
    int m_boardPicture = 0;

    QTextEdit* m_txtHelp = nullptr;
    QPushButton* m_cmdOK = nullptr;
    /// fraAuswahl(0) boards, fraAuswahl(1) marbles.
    std::array<QFrame*, 2> m_fraAuswahl{};
    QLabel* m_lblSelectM = nullptr;
    QLabel* m_lblSelectB = nullptr;
    std::array<QToolButton*, kMarbles> m_imgKugelX{};
    std::array<QToolButton*, kBoards> m_imgBrett{};
};

/// The Rules command: the rules in the current language, closed by OK.
void showRulesWindow(Services& services, QWidget* parent);

/// The marble chooser; returns the marble picture clicked, or current when it was closed
/// without a choice (Escape, the close button).
int chooseMarblePicture(Services& services, int current, QWidget* parent);

/// The board chooser; returns the board clicked, or current when closed without a choice.
int chooseBoardPicture(Services& services, int current, QWidget* parent);

} // namespace marvolen::ui
