// The platform's side of the ports on the desktop: message boxes, the input dialog and the
// desktop's programs.
#pragma once

#include "app/ports.h"

#include <functional>

class QWidget;

namespace marvolen::ui {

/// Qt's message boxes, QInputDialog and QDesktopServices. Each dialog is modal over the window
/// the player works in: the modal window in front, else the window given, which may be none.
class QtPorts : public app::Dialogs,
                public app::PlainDialogs,
                public app::TextInput,
                public app::Desktop {
  public:
    /// window: the window the dialogs belong to while no modal window is in front; asked at
    /// each dialog, so that it may come into being later than the ports.
    explicit QtPorts(std::function<QWidget*()> window = {});

    // Dialogs
    bool askYesNo(const QString& title, const QString& text) override;
    bool askYesNoDefaultNo(const QString& title, const QString& text) override;
    void inform(const QString& title, const QString& text) override;
    void informAloud(const QString& title, const QString& text, const QString& heard) override;
    // PlainDialogs
    bool confirm(const QString& title, const QString& text) override;
    void tell(const QString& title, const QString& text) override;
    void warn(const QString& title, const QString& text) override;
    // TextInput
    QString askText(const QString& title, const QString& prompt) override;
    // Desktop
    void openUrl(const QUrl& url) override;

  private:
    QWidget* dialogParent() const;

    std::function<QWidget*()> m_window;
};

} // namespace marvolen::ui
