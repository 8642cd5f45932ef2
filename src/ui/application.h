// The program: start-up (Main) and Shutdown, and everything the windows share.
#pragma once

#include "about_window.h"
#include "app/audio/sound_loader.h"
#include "app/game_session.h"
#include "app/resources.h"
#include "core/date_time.h"
#include "core/random.h"
#include "core/temp_folder.h"
#include "err_ptnr.h"
#include "game/settings_store.h"
#include "lang/language.h"
#include "qt_ports.h"
#include "services.h"

#include <QPointer>
#include <QSettings>
#include <QString>
#include <QTimer>

#include <memory>

namespace marvolen::ui {

class MainWindow;

/// Where the program keeps its files and what it takes from the desktop. The defaults are the
/// real ones; tests give folders, a settings file, a locale, a clock and silent audio.
struct ApplicationOptions {
    /// The only base folder of the private run folder; when empty, the system's temporary
    /// folder, then the user's runtime folder, then the user's cache folder.
    QString tempBase;
    QString dataFolder;   ///< the program's folder, or the user's data folder, when empty
    QString settingsFile; ///< the user's native settings store when empty
    QString localeId;     ///< from the system locale when empty
    const Clock* clock = nullptr;
    audio::AudioOutput::Device audioDevice = audio::AudioOutput::Device::System;
    QString soundFont = QString::fromLatin1(audio::DefaultSoundFont);
    /// The audio module; when empty, next to the program, then where it is installed.
    QString soundModule;
    /// Replacements for tests of the windows' questions and messages, the name prompt and the
    /// desktop (the error window's too); Qt's dialogs and the desktop's programs when null.
    app::Dialogs* dialogs = nullptr;
    app::TextInput* textInput = nullptr;
    app::Desktop* desktop = nullptr;
    /// Ends the process for the answer End in the error window; std::_Exit(0) when empty.
    std::function<void()> endProcess;
};

class Application : private app::Windows,
                    private app::SoundPlayer,
                    private app::SoundSwitch,
                    private MainWindowHost {
  public:
    explicit Application(ApplicationOptions options = {});
    ~Application() override;

    /// Main: writes the language file, shows the start window, loads the main window hidden.
    void Main();
    /// Shutdown: unloads every window from the last to the first and ends the program.
    void Shutdown();

    Services& services() { return *m_services; }
    MainWindow* mainWindow() const { return m_frmMarvolen.get(); }
    AboutWindow* startWindow() const { return m_frmInfo.data(); }
    ErrPtnrReporter& reporter() { return m_reporter; }

    /// MainWindowShown: the start window's OK has shown the main window.
    bool mainWindowShown() const override { return m_mainWindowShown; }

  private:
    // MainWindowHost: what the start window and the About box need
    bool mainWindowVisible() const override;
    void showMainWindow() override;
    void startWindowClosedWithoutOk() override;
    // Windows: what the main window's commands open
    void showRules() override;
    void showHelp() override;
    int chooseMarble(int current) override;
    int chooseBoard(int current) override;
    void showChampions(game::ResultHandover& handover, int variant) override;
    void showAbout() override;
    void showStatistics() override;
    void openHomepage() override;
    void quit() override { Shutdown(); }
    // SoundPlayer and SoundSwitch: the effects the windows play, while the session has them on
    void PlayWAV(std::int16_t id) override;
    bool soundOn() const override;
    /// Decodes the pictures of the main window's first layout into the picture cache.
    void warmPictures();

    ApplicationOptions m_options;
    QString m_dataFolder;
    ErrPtnrReporter m_reporter;
    std::unique_ptr<QSettings> m_store;
    game::SettingsStore m_settings;
    lang::Language m_language;
    TempFolder m_temp;
    Random m_random;
    SystemClock m_systemClock;
    app::AppResources m_resources;
    std::unique_ptr<audio::SoundLoader> m_audio;
    QtTranslations m_qtTranslations;
    QtPorts m_qtPorts;
    std::unique_ptr<Services> m_services;
    QPointer<AboutWindow> m_frmInfo;
    std::unique_ptr<MainWindow> m_frmMarvolen;
    QTimer m_afterStart;
    bool m_mainWindowShown = false;
    bool m_shuttingDown = false;
};

} // namespace marvolen::ui
