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
    /// Installs the translations for a language offset: Qt's own (the buttons of Qt's dialogs)
    /// and the game's own texts that the language table lacks.
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

/// The resource path of the game's own translations for a language offset (".qm", built from
/// resources/translations/marvolen_<language>.ts); empty for an offset of no language.
QString gameTranslationPath(int languageOffset);

/// The translations of the current language: Qt's own (the buttons of Qt's dialogs) and the
/// game's own texts that the language table lacks, those written as
/// QCoreApplication::translate("Marvolen", "English text"). One translator of its own serves
/// every language, so that a change of language replaces the texts instead of stacking a
/// second translator beneath the first.
class QtTranslations : public QObject {
    Q_OBJECT

  public:
    explicit QtTranslations(QObject* parent = nullptr);
    /// Takes its translator out of the application again.
    ~QtTranslations() override;

    /// Installs the translations for a language offset in place of those installed before;
    /// nothing when that offset is installed already or there is no application object yet.
    void install(int languageOffset);
    /// From now on every lookup takes the offset the function gives at that moment, so that
    /// a language chosen anywhere (the About window's flags too) reaches every text shown
    /// after it; installs the translator when there is an application object.
    void follow(std::function<int()> currentOffset);
    /// The offset installed last; -1 before the first.
    int installedOffset() const { return m_installed; }

    class Translator;

  private:
    void installTranslator();

    std::unique_ptr<Translator> m_translator;
    std::function<int()> m_follow;
    int m_installed = -1;
};

} // namespace marvolen::ui
