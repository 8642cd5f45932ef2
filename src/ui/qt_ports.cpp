// The platform's side of the ports on the desktop: message boxes, the input dialog and the
// desktop's programs.
#include "qt_ports.h"

#include <QApplication>
#include <QDesktopServices>
#include <QGridLayout>
#include <QInputDialog>
#include <QMessageBox>
#include <QScreen>

#include <algorithm>

namespace marvolen::ui {

namespace {

// Labels show line breaks as "\n"; the texts keep the CR LF the protocol and messages use.
QString forDisplay(const QString& text) {
    return QString(text).replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
}

/// A plain-text box whose lines are kept whole, up to nine tenths of the screen's width.
QMessageBox::StandardButton showPlainBox(QWidget* parent, QMessageBox::Icon icon,
                                         const QString& title, const QString& text,
                                         QMessageBox::StandardButtons buttons) {
    QMessageBox box(icon, title, forDisplay(text), buttons, parent);
    box.setTextFormat(Qt::PlainText);
    const QStringList lines = forDisplay(text).split(QLatin1Char('\n'));
    int widest = 0;
    for (const QString& line : lines)
        widest = std::max(widest, box.fontMetrics().horizontalAdvance(line));
    const QScreen* screen =
        parent && parent->screen() ? parent->screen() : QGuiApplication::primaryScreen();
    const int limit = screen ? screen->availableGeometry().width() * 9 / 10 : 1000;
    if (auto* grid = qobject_cast<QGridLayout*>(box.layout()))
        grid->addItem(new QSpacerItem(std::min(widest + 40, limit), 0, QSizePolicy::Minimum,
                                      QSizePolicy::Minimum),
                      grid->rowCount(), 0, 1, grid->columnCount());
    return QMessageBox::StandardButton(box.exec());
}

} // namespace

QtPorts::QtPorts(std::function<QWidget*()> window) : m_window(std::move(window)) {}

QWidget* QtPorts::dialogParent() const {
    // A window made modal over the given one (the champions window, a chooser) is where the
    // player is; before it is shown, its dialogs belong to the window beneath.
    if (QWidget* modal = QApplication::activeModalWidget())
        return modal;
    return m_window ? m_window() : nullptr;
}

bool QtPorts::askYesNo(const QString& title, const QString& text) {
    return QMessageBox::question(dialogParent(), title, text, QMessageBox::Yes | QMessageBox::No) ==
           QMessageBox::Yes;
}

bool QtPorts::askYesNoDefaultNo(const QString& title, const QString& text) {
    return QMessageBox::question(dialogParent(), title, text, QMessageBox::Yes | QMessageBox::No,
                                 QMessageBox::No) == QMessageBox::Yes;
}

void QtPorts::inform(const QString& title, const QString& text) {
    QMessageBox::information(dialogParent(), title, text);
}

void QtPorts::informAloud(const QString& title, const QString& text, const QString& heard) {
    QMessageBox box(QMessageBox::Information, title, text, QMessageBox::Ok, dialogParent());
    box.setAccessibleName(title + QStringLiteral(": ") + heard);
    box.exec();
}

bool QtPorts::confirm(const QString& title, const QString& text) {
    return showPlainBox(dialogParent(), QMessageBox::NoIcon, title, text,
                        QMessageBox::Yes | QMessageBox::No) == QMessageBox::Yes;
}

void QtPorts::tell(const QString& title, const QString& text) {
    showPlainBox(dialogParent(), QMessageBox::NoIcon, title, text, QMessageBox::Ok);
}

void QtPorts::warn(const QString& title, const QString& text) {
    showPlainBox(dialogParent(), QMessageBox::Warning, title, text, QMessageBox::Ok);
}

QString QtPorts::askText(const QString& title, const QString& prompt) {
    bool ok = false;
    const QString text =
        QInputDialog::getText(dialogParent(), title, prompt, QLineEdit::Normal, QString(), &ok);
    return ok ? text : QString();
}

void QtPorts::openUrl(const QUrl& url) {
    QDesktopServices::openUrl(url);
}

} // namespace marvolen::ui
