// The side panel's widgets: the panel background, the two displays, the variant thumbnails and
// the command buttons with the language flags.
#pragma once

#include "core/failure.h"
#include "game/board_model.h"
#include "shared_widgets.h"

#include <QFrame>
#include <QLabel>
#include <QPixmap>
#include <QWidget>

#include <array>

class QPushButton;

namespace marvolen::ui {

/// The side panel: its stretched background picture, the three display fields and their sunken
/// borders, drawn once per resize.
class PanelWidget : public QWidget {
  public:
    explicit PanelWidget(QWidget* parent);
    void setBackground(const QPixmap& picture) { m_picture = picture; }
    /// Draws the background picture, the three display fields and their sunken borders (Rahmen,
    /// which reports its failures to reporter) once; ordinary repaints show the result.
    void decorate(const std::array<QRect, 3>& fields, Reporter& reporter);

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    QPixmap m_picture;
    QPixmap m_cache;
};

/// One of the panel's three groups (and the flags' group within the commands): named for
/// assistive technology, which would take a plain frame for a window.
class PanelGroup : public QFrame {
    Q_OBJECT

  public:
    explicit PanelGroup(QWidget* parent);
};

/// One display's four digit places, which assistive technology reads as one sentence
/// ("Marbles: 31") instead of four pictures. Tab reaches it, so that a screen reader reads
/// the clock when asked.
class DisplayReading : public QWidget {
    Q_OBJECT

  public:
    explicit DisplayReading(QWidget* parent);
    QString sentence() const { return m_sentence; }
    /// A new sentence; told to assistive technology only when `tell` is set.
    void setSentence(const QString& sentence, bool tell);

  protected:
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

  private:
    QString m_sentence;
};

/// fraAnzeige: the clock and the marble count, each a symbol and four digit places.
class DisplayFrame : public PanelGroup {
  public:
    explicit DisplayFrame(QWidget* parent);
    /// Shows four cells of the digit strip (10 is blank).
    void showDigits(game::Display display, const std::array<int, 4>& cells);
    /// The digits of a display as shown, a blank for a blank cell.
    QString shown(game::Display display) const;
    /// Draws the marble count's digits in amber, or in cyan again.
    void setCountWarning(bool warning);
    bool countWarning() const { return m_countWarning; }
    /// The element that reads a display's value aloud.
    DisplayReading* reading(game::Display display) const;
    /// Names the group, the symbols and the readings in the current language.
    void retranslate();

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    /// The sentence of a display's reading, from its digits as shown.
    QString sentence(std::size_t row) const;

    QPixmap m_digitStrip;
    QPixmap m_amberStrip;
    bool m_countWarning = false;
    std::array<std::array<int, 4>, 2> m_cells{{{10, 10, 10, 10}, {10, 10, 10, 10}}};
    std::array<QLabel*, 2> m_symbols{};
    std::array<DisplayReading*, 2> m_readings{};
    std::array<std::array<QLabel*, 4>, 2> m_places{};
    std::array<QString, 2> m_shown{QStringLiteral("    "), QStringLiteral("    ")};
};

/// The picture of a selected variant, under the picture of the not selected one (cover).
/// Uncovered, it stands for its variant: Tab and the arrow keys reach it, and assistive
/// technology reads it as the checked one of the variants.
class SelectedThumbnail : public ClickableLabel {
    Q_OBJECT

  public:
    SelectedThumbnail(QWidget* cover, QWidget* parent);
    /// The variant is the selected one: its cover is hidden.
    bool isSelected() const;
    /// Takes the keyboard focus only while it is the selected one.
    void followCover();

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    QWidget* m_cover;
};

/// fraLayout: the twenty variant thumbnails; a selected variant's picture lies under the
/// picture of the not selected one, which is hidden.
class ThumbnailFrame : public PanelGroup {
    Q_OBJECT

  public:
    explicit ThumbnailFrame(QWidget* parent);
    /// The picture of a variant the player sees: the clickable one, or the selected one.
    QWidget* shownThumbnail(int variant) const;
    void showSelected(int variant);
    /// Makes every thumbnail visible, the first display's step of the layout.
    void showAll();
    /// The thumbnail of a variant as the keyboard reaches it (hidden while it is selected).
    ClickableLabel* thumbnail(int variant) const { return m_off.at(std::size_t(variant)); }
    /// Tooltip and accessible name of every not-selected thumbnail, one per variant; the
    /// selected ones get the name only.
    void setTooltips(const QStringList& tips);
    /// The pictures in the order Tab reaches them, the selected one in its variant's place.
    QList<QWidget*> tabOrder() const;

  signals:
    /// The player chose a variant.
    void variantClicked(int variant);

  private:
    std::array<ClickableLabel*, 20> m_off{};
    std::array<SelectedThumbnail*, 20> m_on{};
};

/// fraKnopf: the nine command buttons and the five language flags, a group of their own.
class CommandFrame : public PanelGroup {
    Q_OBJECT

  public:
    explicit CommandFrame(QWidget* parent);
    QPushButton* button(int index) const { return m_buttons.at(std::size_t(index)); }
    /// Highlight colours (swapped) or resting colours; also the button's "highlighted" property.
    void setHighlighted(int index, bool highlighted);
    /// Tooltip and accessible name of a button.
    void setTooltip(int index, const QString& tip);
    /// The flag of the current language, which assistive technology reads as checked.
    void setCurrentFlag(int flag);
    /// Names the groups in the current language.
    void retranslate();

  signals:
    /// The player pressed a command button (an app::CommandButton).
    void commandClicked(int button);
    /// The player chose a language by its flag.
    void flagClicked(int flag);

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    std::array<QPushButton*, 9> m_buttons{};
    PanelGroup* m_flags = nullptr;
    int m_currentFlag = -1;
};

/// A frame of one of the panel's design sizes, in twips, with a plain background colour.
void shapeFrame(QFrame* frame, const char* name, const QSizeF& twips, const QColor& back);

} // namespace marvolen::ui
