// Widgets and helpers more than one window uses: the clickable label, the radio buttons of a
// dialog's group, a text colour.
#pragma once

#include <QLabel>

#include <functional>

class QAbstractButton;
class QColor;

namespace marvolen::ui {

/// A label that acts on a click, and on Space or Enter when it has the focus (Tab gives it, a
/// dotted cyan ring shows it): thumbnails, flags, the link of the About window and the
/// champions window's symbols.
class ClickableLabel : public QLabel {
    Q_OBJECT

  public:
    explicit ClickableLabel(QWidget* parent = nullptr);
    /// Set, the label is one of a group of radio buttons (its shown siblings that Tab reaches and
    /// that have checked set): arrow keys move the focus among them, and assistive technology reads
    /// this one as checked when it says so. Unset, the label is a push button.
    std::function<bool()> checked;
    /// Whether anything listens to its clicks: a label nobody clicks leaves Space and Enter to
    /// its window.
    bool listened() const;

  signals:
    void clicked();
    /// The mouse button went down or up over the label (a pressed look, a busy pointer).
    void pressed();
    void released();

  protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
};

/// Makes a checkable button (a flag of the About window, a picture of the chooser) one of a group
/// of radio buttons: Enter clicks it as Space does, the arrow keys go on to its window, which moves
/// the focus within the group and chooses nothing, and assistive technology reads it as a radio
/// button, checked while it is.
void makeRadioButton(QAbstractButton& button);

/// Gives a widget's text (and a frame drawn in the text colour) another colour.
void setTextColour(QWidget* widget, const QColor& colour);

} // namespace marvolen::ui
