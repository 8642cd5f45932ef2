// The help window: the game's own help document in the current language, in place of a help
// file opened by the platform.
#pragma once

#include "ui/services.h"

#include <QDialog>

class QTextBrowser;
class QUrl;

namespace marvolen::ui {

/// The resource path of the help document of a language digit (0, 1, 2, 3 or 6).
QString helpResourcePath(int languageDigit);

/// The language digit whose document stands for a language offset: its own digit when that
/// document exists, else English (1); -1 when neither exists.
int helpDocumentDigit(int languageOffset);

/// Shows the help in a window that stays open beside the game.
class HelpWindow : public QDialog {
    Q_OBJECT

  public:
    explicit HelpWindow(Services& services, QWidget* parent = nullptr);

    /// Shows the document and the title of the current language; a document already shown
    /// in that language keeps its place.
    void Sprache();

    /// The language digit of the document shown, -1 when none could be shown.
    int shownDigit() const { return m_shownDigit; }
    QTextBrowser* browser() const { return m_browser; }
    Services& services() const { return m_services; }

  protected:
    void changeEvent(QEvent* event) override;

  private:
    /// Jumps to anchors within the document; web and mail addresses go to the desktop.
    void followLink(const QUrl& url);

    Services& m_services;
    QTextBrowser* m_browser = nullptr;
    int m_shownDigit = -1;
    int m_shownOffset = -1;
};

/// The Help command: shows the help window of parent, made at the first call and kept as one of
/// parent's windows (without a parent, until it is closed); later calls raise it and show it in
/// the current language.
void showHelpWindow(Services& services, QWidget* parent);

} // namespace marvolen::ui
