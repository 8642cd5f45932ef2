// The clickable label, the dialogs' radio buttons and what assistive technology reads of them.
#include "shared_widgets.h"

#include "theme.h"

#include <QAbstractButton>
#include <QAccessibleWidget>
#include <QKeyEvent>
#include <QMetaMethod>
#include <QMouseEvent>
#include <QPainter>

namespace marvolen::ui {
namespace {

bool isActivationKey(int key) {
    return key == Qt::Key_Space || key == Qt::Key_Return || key == Qt::Key_Enter;
}

/// A clickable label is a push button, or a radio button of its group, that a press activates
/// as a click does.
class ClickableLabelAccessible : public QAccessibleWidget {
  public:
    explicit ClickableLabelAccessible(ClickableLabel* label) : QAccessibleWidget(label) {}
    QAccessible::Role role() const override {
        return label()->checked ? QAccessible::RadioButton : QAccessible::Button;
    }
    QAccessible::State state() const override {
        QAccessible::State state = QAccessibleWidget::state();
        if (label()->checked) {
            state.checkable = true;
            state.checked = label()->checked();
        }
        return state;
    }
    QStringList actionNames() const override {
        return QStringList{pressAction()} + QAccessibleWidget::actionNames();
    }
    void doAction(const QString& name) override {
        if (name == pressAction() && label()->listened())
            emit label()->clicked();
        else
            QAccessibleWidget::doAction(name);
    }

  private:
    ClickableLabel* label() const { return static_cast<ClickableLabel*>(widget()); }
};

/// Marks a button that makeRadioButton made a radio button.
constexpr char kRadioButton[] = "marvolenRadioButton";

/// A checkable button of a dialog's group: a radio button that a press clicks.
class RadioButtonAccessible : public QAccessibleWidget {
  public:
    explicit RadioButtonAccessible(QAbstractButton* button)
        : QAccessibleWidget(button, QAccessible::RadioButton) {}
    QAccessible::State state() const override {
        QAccessible::State state = QAccessibleWidget::state();
        state.checkable = true;
        state.checked = button()->isChecked();
        return state;
    }
    QStringList actionNames() const override {
        return QStringList{pressAction()} + QAccessibleWidget::actionNames();
    }
    void doAction(const QString& name) override {
        if (name == pressAction())
            button()->click();
        else
            QAccessibleWidget::doAction(name);
    }

  private:
    QAbstractButton* button() const { return static_cast<QAbstractButton*>(widget()); }
};

/// The keys of a radio button: a button takes Space itself but not Enter, and would move the
/// focus along the Tab order on the arrow keys instead of within its group.
class RadioButtonKeys : public QObject {
  public:
    explicit RadioButtonKeys(QAbstractButton& button) : QObject(&button) {}

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() != QEvent::KeyPress)
            return false;
        auto* key = static_cast<QKeyEvent*>(event);
        if ((key->modifiers() & ~Qt::KeypadModifier) != Qt::NoModifier)
            return false;
        switch (key->key()) {
        case Qt::Key_Return:
        case Qt::Key_Enter:
            static_cast<QAbstractButton*>(watched)->click();
            return true;
        case Qt::Key_Left:
        case Qt::Key_Right:
        case Qt::Key_Up:
        case Qt::Key_Down:
            // Ignored, the key travels on to the parents and so to the window.
            key->ignore();
            return true;
        default:
            return false;
        }
    }
};

/// Asked before Qt's own widget interfaces, as it answers to the class's own name.
QAccessibleInterface* sharedAccessible(const QString& className, QObject* object) {
    if (auto* button = qobject_cast<QAbstractButton*>(object);
        button && button->property(kRadioButton).toBool())
        return new RadioButtonAccessible(button);
    if (className == QLatin1String(ClickableLabel::staticMetaObject.className()))
        if (auto* label = qobject_cast<ClickableLabel*>(object))
            return new ClickableLabelAccessible(label);
    return nullptr;
}

void installSharedAccessible() {
    static const bool installed = [] {
        QAccessible::installFactory(sharedAccessible);
        return true;
    }();
    Q_UNUSED(installed);
}

} // namespace

ClickableLabel::ClickableLabel(QWidget* parent) : QLabel(parent) {
    setCursor(Qt::PointingHandCursor);
    setFocusPolicy(Qt::TabFocus);
    installSharedAccessible();
}

void ClickableLabel::paintEvent(QPaintEvent* event) {
    QLabel::paintEvent(event);
    if (!hasFocus())
        return;
    QPainter p(this);
    p.setPen(QPen(theme::kCyan, 1, Qt::DotLine));
    p.drawRect(rect().adjusted(0, 0, -1, -1));
}

bool ClickableLabel::listened() const {
    return isSignalConnected(QMetaMethod::fromSignal(&ClickableLabel::clicked));
}

void ClickableLabel::mousePressEvent(QMouseEvent* event) {
    event->accept();
    emit pressed();
}

void ClickableLabel::mouseReleaseEvent(QMouseEvent* event) {
    event->accept();
    emit released();
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()))
        emit clicked();
}

void ClickableLabel::keyPressEvent(QKeyEvent* event) {
    if (isActivationKey(event->key()) && listened()) {
        emit clicked();
        return;
    }
    const int key = event->key();
    const int step = key == Qt::Key_Left || key == Qt::Key_Up      ? -1
                     : key == Qt::Key_Right || key == Qt::Key_Down ? 1
                                                                   : 0;
    if (checked && step != 0 && parentWidget()) {
        // The next shown member of the group in that direction, round at the ends.
        QList<ClickableLabel*> group;
        for (ClickableLabel* member :
             parentWidget()->findChildren<ClickableLabel*>(Qt::FindDirectChildrenOnly))
            if (member->checked && (member == this || (member->isVisibleTo(parentWidget()) &&
                                                       member->focusPolicy() & Qt::TabFocus)))
                group.append(member);
        const auto here = group.indexOf(this);
        if (group.size() > 1 && here >= 0)
            group.at((here + step + group.size()) % group.size())->setFocus(Qt::TabFocusReason);
        return;
    }
    QLabel::keyPressEvent(event);
}

void makeRadioButton(QAbstractButton& button) {
    installSharedAccessible();
    button.setProperty(kRadioButton, true);
    button.installEventFilter(new RadioButtonKeys(button));
}

void setTextColour(QWidget* widget, const QColor& colour) {
    QPalette pal = widget->palette();
    pal.setColor(QPalette::WindowText, colour);
    widget->setPalette(pal);
}

} // namespace marvolen::ui
