// Words for a screen reader about what just happened on the screen.
#include "announcer.h"

#include <QAccessibleInterface>
#include <QPointer>
#include <QWidget>
#include <QWindow>

namespace marvolen::ui {
namespace {

/// What both of the announcer's elements share: no object, no children of their own that
/// the pointer could find, no place on the screen.
class UndrawnAccessible : public QAccessibleInterface {
  public:
    explicit UndrawnAccessible(QWidget& window) : m_window(&window) {}
    bool isValid() const override { return !m_window.isNull(); }
    QObject* object() const override { return nullptr; }
    QWindow* window() const override { return m_window ? m_window->windowHandle() : nullptr; }
    QAccessibleInterface* childAt(int, int) const override { return nullptr; }
    void setText(QAccessible::Text, const QString&) override {}
    QRect rect() const override { return {}; }

  protected:
    QPointer<QWidget> m_window;
};

class NotificationAccessible : public UndrawnAccessible {
  public:
    NotificationAccessible(QWidget& window, const Announcer& announcer, QAccessible::Id bar)
        : UndrawnAccessible(window), m_announcer(announcer), m_bar(bar) {}
    QAccessibleInterface* parent() const override {
        return QAccessible::accessibleInterface(m_bar);
    }
    QAccessibleInterface* child(int) const override { return nullptr; }
    int childCount() const override { return 0; }
    int indexOfChild(const QAccessibleInterface*) const override { return -1; }
    QString text(QAccessible::Text t) const override {
        return t == QAccessible::Name ? m_announcer.told() : QString();
    }
    QAccessible::Role role() const override { return QAccessible::Notification; }
    QAccessible::State state() const override {
        QAccessible::State state;
        state.invisible = m_announcer.told().isEmpty();
        return state;
    }

  private:
    const Announcer& m_announcer;
    QAccessible::Id m_bar;
};

class StatusBarAccessible : public UndrawnAccessible {
  public:
    explicit StatusBarAccessible(QWidget& window) : UndrawnAccessible(window) {}
    void setNotification(QAccessible::Id id) { m_notification = id; }
    QAccessibleInterface* parent() const override {
        return QAccessible::queryAccessibleInterface(m_window.data());
    }
    QAccessibleInterface* child(int index) const override {
        return index == 0 ? QAccessible::accessibleInterface(m_notification) : nullptr;
    }
    int childCount() const override { return 1; }
    int indexOfChild(const QAccessibleInterface* child) const override {
        return child && child == QAccessible::accessibleInterface(m_notification) ? 0 : -1;
    }
    QString text(QAccessible::Text) const override { return {}; }
    QAccessible::Role role() const override { return QAccessible::StatusBar; }
    QAccessible::State state() const override { return {}; }

  private:
    QAccessible::Id m_notification = 0;
};

} // namespace

Announcer::Announcer(QWidget& window) : QObject(&window), m_window(window) {
    setObjectName(QStringLiteral("announcer"));
    auto* bar = new StatusBarAccessible(window);
    m_statusBar = QAccessible::registerAccessibleInterface(bar);
    m_notification = QAccessible::registerAccessibleInterface(
        new NotificationAccessible(window, *this, m_statusBar));
    bar->setNotification(m_notification);
}

Announcer::~Announcer() {
    QAccessible::deleteAccessibleInterface(m_notification);
    QAccessible::deleteAccessibleInterface(m_statusBar);
}

void Announcer::announce(const QString& text, bool last) {
    if (text.isEmpty())
        return;
    (last ? m_last : m_events).append(text);
    if (!m_tellPending) {
        m_tellPending = true;
        QMetaObject::invokeMethod(
            this, [this] { tell(); }, Qt::QueuedConnection);
    }
}

void Announcer::tell() {
    m_tellPending = false;
    m_told = (m_events + m_last).join(QStringLiteral(". "));
    m_events.clear();
    m_last.clear();
    // Shown anew for every announcement: the showing is what a screen reader speaks.
    QAccessibleEvent event(QAccessible::accessibleInterface(m_notification),
                           QAccessible::ObjectShow);
    QAccessible::updateAccessibility(&event);
}

QAccessibleInterface* announcerStatusBar(const QWidget& window) {
    const auto* announcer =
        window.findChild<Announcer*>(QStringLiteral("announcer"), Qt::FindDirectChildrenOnly);
    return announcer ? QAccessible::accessibleInterface(announcer->statusBarId()) : nullptr;
}

} // namespace marvolen::ui
