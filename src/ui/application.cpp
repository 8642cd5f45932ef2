// Start-up and shutdown of the program.
#include "application.h"

#include "about_window.h"
#include "app/resources.h"
#include "help_window.h"
#include "highscore_window.h"
#include "ids/resource_ids.h"
#include "main_window.h"
#include "pics_window.h"
#include "pictures.h"
#include "statistics_window.h"
#include "ui_config.h"

#include <QApplication>
#include <QDeadlineTimer>
#include <QDir>
#include <QEventLoop>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>
#include <QTimer>
#include <QWindow>

namespace marvolen::ui {

namespace {
ErrPtnrOptions errorOptions(const QString& folder, const ApplicationOptions& options) {
    ErrPtnrOptions o;
    o.logFolder = folder;
    if (options.clock) {
        const Clock* clock = options.clock;
        o.clock = [clock] { return clock->now(); };
    }
    // Not owned: the options outlive the error window.
    if (options.desktop)
        o.desktop = std::shared_ptr<app::Desktop>(std::shared_ptr<void>(), options.desktop);
    o.endProcess = options.endProcess;
    return o;
}

QString dataFolderOf(const ApplicationOptions& options) {
    return options.dataFolder.isEmpty() ? programDataFolder() : options.dataFolder;
}

/// Where the private run folder may go, in order: the system's temporary folder, the user's
/// runtime folder, the user's cache folder. Qt reads the environment for them; an empty answer
/// (a temporary folder that does not exist) is passed over by TempFolder.
QStringList tempBasesOf(const ApplicationOptions& options) {
    if (!options.tempBase.isEmpty())
        return {options.tempBase};
    QStringList bases{QDir::tempPath()};
    const QFileInfo system(bases.front());
    // Asked only when needed: without a runtime folder set up, Qt would make one of its own.
    if (bases.front().isEmpty() || !system.isDir() || !system.isWritable())
        bases << QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation)
              << QStandardPaths::writableLocation(QStandardPaths::GenericCacheLocation);
    return bases;
}

std::unique_ptr<QSettings> settingsOf(const ApplicationOptions& options) {
    if (options.settingsFile.isEmpty())
        return std::make_unique<QSettings>(QStringLiteral("Marvolen"), QStringLiteral("Marvolen"));
    return std::make_unique<QSettings>(options.settingsFile, QSettings::IniFormat);
}
} // namespace

Application::Application(ApplicationOptions options)
    : m_options(std::move(options)), m_dataFolder(dataFolderOf(m_options)),
      m_reporter(errorOptions(m_dataFolder, m_options)), m_store(settingsOf(m_options)),
      m_settings(*m_store), m_language(m_reporter), m_temp(m_reporter, tempBasesOf(m_options)),
      m_qtPorts([this] { return m_frmMarvolen.get(); }) {
    // The answer End leaves no run folder behind with the language and tune files.
    m_reporter.setCleanup([this] { m_temp.remove(); });
    // Nothing here loads the audio module: the first sound or tune loads it and opens the sound
    // device, and the first tune loads the soundfont.
    m_audio = std::make_unique<audio::SoundLoader>(
        audio::SoundSetup{&m_reporter, &m_resources, m_options.audioDevice, m_options.soundFont,
                          // Said on standard error, not in the error log, which holds error
                          // protocols only; the loader says it once, and the game runs silent.
                          [](const QString& text) { qWarning("%s", qUtf8Printable(text)); }},
        m_options.soundModule);
    const Clock& clock = m_options.clock ? *m_options.clock : m_systemClock;
    m_services.reset(new Services{{m_reporter, m_settings, m_language, m_temp, m_random, clock},
                                  m_options.localeId.isEmpty()
                                      ? lang::localeIdentifier(QLocale::system())
                                      : m_options.localeId,
                                  m_dataFolder,
                                  m_options.dialogs ? *m_options.dialogs : m_qtPorts,
                                  m_options.textInput ? *m_options.textInput : m_qtPorts,
                                  *this,
                                  *this,
                                  m_options.desktop ? *m_options.desktop : m_qtPorts});
    m_services->installQtTranslations = [this](int offset) { m_qtTranslations.install(offset); };
    m_qtTranslations.follow([this] { return int(m_language.LanguageOffset()); });
}

void Application::PlayWAV(std::int16_t id) {
    m_audio->PlayWAV(id);
}

bool Application::soundOn() const {
    return m_frmMarvolen && m_frmMarvolen->session().soundOn();
}

Application::~Application() {
    if (m_frmInfo)
        delete m_frmInfo.data();
    m_frmMarvolen.reset();
}

void Application::Main() {
    Procedure p(m_reporter, QStringLiteral("Allgemein"), QStringLiteral("Main"));
    p.step(50030, [&] {
        // Without a private folder the file would land in the working folder or at the root:
        // the table is then read from memory and no file is written.
        const QString folder = m_temp.GetTempDir();
        m_language.setLanguageFilePath(folder.isEmpty() ? QString()
                                                        : folder + QStringLiteral("~tmp.lng"));
    });
    p.step(50040, [&] {
        if (m_language.LanguageFilePath().isEmpty())
            m_language.setTableInMemory(
                app::loadResource(QLatin1String(ResourceType::Custom), ResourceId::LanguageTable));
        else
            app::SaveResItemToDisk(m_reporter, ResourceId::LanguageTable,
                                   QLatin1String(ResourceType::Custom),
                                   m_language.LanguageFilePath());
    });
    p.step(50050, [&] {
        m_frmInfo = new AboutWindow(*m_services, *this);
        m_frmInfo->setAttribute(Qt::WA_DeleteOnClose);
        m_frmInfo->show();
    });
    p.step(50060, [&] {
        // The start window is painted before the main window's load keeps the program busy:
        // events run until the window manager has put it on screen, for at most a second.
        QCoreApplication::processEvents();
        const QDeadlineTimer deadline(1000);
        const auto waiting = [&] {
            const QWindow* start = m_frmInfo ? m_frmInfo->windowHandle() : nullptr;
            return start && start->isVisible() && !start->isExposed() && !deadline.hasExpired();
        };
        if (waiting()) {
            QEventLoop loop;
            QTimer look;
            QObject::connect(&look, &QTimer::timeout, &loop, [&] {
                if (!waiting())
                    loop.quit();
            });
            look.start(5);
            loop.exec();
        }
        QCoreApplication::processEvents();
    });
    p.step(50070, [&] {
        m_frmMarvolen = std::make_unique<MainWindow>(
            *m_services, *m_audio, static_cast<app::Windows&>(*this),
            [this](bool busy) {
                if (m_frmInfo)
                    m_frmInfo->setBusy(busy);
            },
            [this] {
                if (m_frmInfo)
                    m_frmInfo->showOk();
            });
    });
    // The pictures the main window shows first are decoded once the start window is on screen
    // and the main window loaded. The start window is painted once its window is exposed.
    m_afterStart.setInterval(10);
    QObject::connect(&m_afterStart, &QTimer::timeout, &m_afterStart, [this] {
        const QWindow* start = m_frmInfo ? m_frmInfo->windowHandle() : nullptr;
        if (start && start->isVisible() && !start->isExposed())
            return;
        m_afterStart.stop();
        warmPictures();
    });
    m_afterStart.start();
}

void Application::warmPictures() {
    // Decoded now, while the start window waits for OK, they are kept for the main window's
    // first layout. A setting that cannot be read has been reported by the main window's load.
    QStringList paths{QStringLiteral(":/res/PIC/panel")};
    try {
        const int board = m_settings.board();
        paths << app::resourcePath(QLatin1String(ResourceType::Bitmap), ResourceId::board(board))
              << QStringLiteral(":/res/PIC/hole%1").arg(board - 1);
    } catch (const Failure&) {
    }
    for (const QString& path : paths)
        if (QFile::exists(path))
            (void)ui::loadPicture(path);
}

bool Application::mainWindowVisible() const {
    return m_frmMarvolen && m_frmMarvolen->isVisible();
}

void Application::showMainWindow() {
    if (m_frmMarvolen)
        m_frmMarvolen->show();
    m_mainWindowShown = true;
}

void Application::startWindowClosedWithoutOk() {
    // The program must not run on with its main window hidden.
    if (!m_mainWindowShown)
        Shutdown();
}

void Application::showRules() {
    showRulesWindow(*m_services, m_frmMarvolen.get());
}

void Application::showHelp() {
    showHelpWindow(*m_services, m_frmMarvolen.get());
}

int Application::chooseMarble(int current) {
    return chooseMarblePicture(*m_services, current, m_frmMarvolen.get());
}

int Application::chooseBoard(int current) {
    return chooseBoardPicture(*m_services, current, m_frmMarvolen.get());
}

void Application::showChampions(game::ResultHandover& handover, int variant) {
    showChampionsWindow(*m_services, handover, variant, m_frmMarvolen.get());
}

void Application::openHomepage() {
    m_services->desktop.openUrl(QUrl(QString::fromLatin1(kHomepage)));
}

void Application::showStatistics() {
    app::GameSession& session = m_frmMarvolen->session();
    StatisticsWindow window(
        session.statistics(), m_services->dialogs,
        [&session]() -> StatisticsWindow::ClearResult {
            if (const std::optional<Failure> failure = session.clearStatistics())
                return failure->description();
            return session.statistics();
        },
        m_frmMarvolen.get());
    window.exec();
}

void Application::showAbout() {
    AboutWindow box(*m_services, *this, m_frmMarvolen.get());
    box.exec();
}

void Application::Shutdown() {
    if (m_shuttingDown)
        return;
    m_shuttingDown = true;
    // Every window goes, the last made first; a failure on the way is skipped.
    const QWidgetList windows = QApplication::topLevelWidgets();
    for (auto it = windows.crbegin(); it != windows.crend(); ++it) {
        try {
            if (*it != m_frmMarvolen.get())
                (*it)->close();
        } catch (...) {
        }
    }
    if (m_frmMarvolen) {
        m_frmMarvolen->unload();
        m_frmMarvolen->hide();
    }
    QCoreApplication::exit(0);
}

} // namespace marvolen::ui
