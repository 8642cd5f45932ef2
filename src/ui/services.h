// What every window of the game shares: the reporter, settings, language, clock, random
// numbers, sounds and the desktop, all given from outside so that tests can replace them.
#pragma once

#include "app/game_context.h"

#include <QObject>
#include <QString>
#include <QUrl>

class QTranslator;
class QWidget;

#include <cstdint>
#include <functional>
#include <memory>

namespace marvolen::ui {

struct Services : app::GameContext {
    /// The user's language identifier ("0407" for German in Germany), for the first start.
    QString localeId;
    /// Where the champions list and the logs live.
    QString dataFolder;
    /// Plays a sound effect (PlayWAV); callers test soundOn first.
    std::function<void(std::int16_t)> playWav = [](std::int16_t) {};
    /// Opens a web page or mail address with the desktop's program; the result is ignored.
    std::function<void(const QUrl&)> openUrl = [](const QUrl&) {};
    /// SoundOn, the sound-effects switch, as the game session keeps it.
    std::function<bool()> soundOn = [] { return true; };
    /// Installs Qt's own translations (the buttons of Qt's dialogs) for a language offset.
    std::function<void(int languageOffset)> installQtTranslations = [](int) {};
    /// A Yes/No question with the question icon; true on Yes. Message boxes when empty.
    std::function<bool(QWidget* parent, const QString& title, const QString& text)> askYesNo = {};
    /// A message with the information icon and an OK button. A message box when empty.
    std::function<void(QWidget* parent, const QString& title, const QString& text)> inform = {};
    /// A text-input dialog with OK and Cancel and an empty field; Cancel gives the empty text.
    /// QInputDialog when empty.
    std::function<QString(QWidget* parent, const QString& title, const QString& prompt)> askText =
        {};
};

/// Asks with services.askYesNo, or a real message box.
bool askYesNo(Services& services, QWidget* parent, const QString& title, const QString& text);
/// Asks for a text with services.askText, or a real input dialog.
QString askText(Services& services, QWidget* parent, const QString& title, const QString& prompt);
/// Tells with services.inform, or a real message box.
void inform(Services& services, QWidget* parent, const QString& title, const QString& text);

/// Qt's own translations (the buttons of Qt's dialogs) for the current language. It keeps the
/// one translator it installed, so that a change of language replaces it instead of stacking a
/// second one beneath it.
class QtTranslations : public QObject {
    Q_OBJECT

  public:
    explicit QtTranslations(QObject* parent = nullptr);
    /// Takes its translator out of the application again.
    ~QtTranslations() override;

    /// Installs Qt's translations for a language offset in place of those installed before;
    /// nothing when that offset is installed already or there is no application object yet.
    void install(int languageOffset);
    /// The offset installed last; -1 before the first.
    int installedOffset() const { return m_installed; }

  private:
    std::unique_ptr<QTranslator> m_translator;
    int m_installed = -1;
};

} // namespace marvolen::ui
