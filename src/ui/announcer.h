// Words for a screen reader about what just happened on the screen.
#pragma once

#include <QAccessible>
#include <QObject>
#include <QString>
#include <QStringList>

class QWidget;

namespace marvolen::ui {

/// Tells a screen reader what just happened ("Marbles: 30"), whichever element has the focus.
/// The words go out as a notification of a status bar of the window, neither of them drawn:
/// Orca speaks a notification as it shows, and one in a status bar without naming its role.
/// A changed name or description is no way: Qt sends them without the new text, and Orca
/// ignores name changes of table cells. The words of one pass of the event loop are told
/// together, as one sentence after another, so that none cuts another short.
class Announcer : public QObject {
    Q_OBJECT

  public:
    explicit Announcer(QWidget& window);
    ~Announcer() override;
    /// What happened; `last` puts it after everything else said in this pass (a new count
    /// after what changed it).
    void announce(const QString& text, bool last = false);
    /// The words told last (tests).
    QString told() const { return m_told; }
    QAccessible::Id statusBarId() const { return m_statusBar; }

  private:
    void tell();

    QWidget& m_window;
    QStringList m_events;
    QStringList m_last;
    QString m_told;
    bool m_tellPending = false;
    QAccessible::Id m_statusBar = 0;
    QAccessible::Id m_notification = 0;
};

/// The window's status bar that holds the notification, as its window's last child.
QAccessibleInterface* announcerStatusBar(const QWidget& window);

} // namespace marvolen::ui
