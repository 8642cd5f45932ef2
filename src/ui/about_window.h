// The About window frmInfo: the start window with the language flags, later the About box.
#pragma once

#include "ui/services.h"

#include <QDialog>

#include <functional>
#include <map>

class QLabel;
class QPushButton;
class QToolButton;

namespace marvolen::ui {

/// What the start window and the About box need of the program that owns the main window.
class MainWindowHost {
  public:
    virtual ~MainWindowHost() = default;
    virtual bool mainWindowVisible() const = 0;
    /// MainWindowShown: the start window's OK has shown the main window.
    virtual bool mainWindowShown() const = 0;
    /// Shows the main window the first time; mainWindowShown() is true afterwards.
    virtual void showMainWindow() = 0;
    /// The start window was closed other than by OK, which must end the program.
    virtual void startWindowClosedWithoutOk() = 0;
};

/// The start window (MainWindowShown false at load: flags shown, OK hidden until the main window
/// has loaded) and the About box opened from the menu (OK shown, no flags).
class AboutWindow : public QDialog {
    Q_OBJECT

  public:
    AboutWindow(Services& services, MainWindowHost& host, QWidget* parent = nullptr);

    /// The resource paths of the pictures the window shows.
    static QStringList pictureFiles();

    /// The hourglass over the window while the main window loads behind it.
    void setBusy(bool busy);
    /// Makes OK visible once the main window has loaded.
    void showOk();

    // The window's handlers; public so that the program and tests can run them directly.
    /// The first choice of the language and the StartVal count, then Sprache.
    void Form_Activate();
    /// Re-applies the texts that depend on the language.
    void Sprache();
    /// The choice by flag; index is 0, 1, 2, 3 or 6.
    void imgLang_Click(int index);
    /// Shows the main window the first time, then unloads this window.
    void OK_Click();
    void lblHomepage_Click();
    void lblHomepage_MouseDown();
    void lblHomepage_MouseUp();

  public slots:
    /// Escape and the close button end here.
    void reject() override;

  protected:
    bool event(QEvent* e) override;
    void keyPressEvent(QKeyEvent* e) override;
    void showEvent(QShowEvent* e) override;

  private:
    void buildElements();
    void Form_Load();
    /// Runs Form_Activate when the window is shown and becomes active, once per showing.
    void activateOnce();
    /// Marks the flag of the current language.
    void markCurrentFlag();

    Services& m_services;
    MainWindowHost& m_host;
    /// Loaded as the start window (MainWindowShown false at load).
    bool m_startWindow = false;
    /// Form_Activate has run since the window was last shown.
    bool m_activated = false;

    QLabel* m_picSmall = nullptr;
    QLabel* m_picLarge = nullptr;
    QLabel* m_label0 = nullptr;
    QLabel* m_label3 = nullptr;
    QLabel* m_lblHomepage = nullptr;
    std::map<int, QToolButton*> m_imgLang;
    QWidget* m_flagRow = nullptr;
    QPushButton* m_ok = nullptr;
};

} // namespace marvolen::ui
