// What every window of the game shares: the reporter, settings, language, clock, random
// numbers, dialogs, sounds and the desktop, all given from outside so that tests can replace
// them.
#pragma once

#include "app/game_context.h"
#include "app/ports.h"

#include <QObject>
#include <QString>

class QTranslator;

#include <functional>
#include <memory>

namespace marvolen::ui {

struct Services : app::GameContext {
    /// The user's language identifier ("0407" for German in Germany), for the first start.
    QString localeId;
    /// Where the champions list and the logs live.
    QString dataFolder;
    /// Questions and messages, modal over the window the player works in.
    app::Dialogs& dialogs;
    /// The name prompt.
    app::TextInput& textInput;
    /// Sound effects; callers ask soundSwitch first.
    app::SoundPlayer& sounds;
    app::SoundSwitch& soundSwitch;
    /// Web pages and mail addresses.
    app::Desktop& desktop;
    /// Installs the translations for a language offset: Qt's own (the buttons of Qt's dialogs)
    /// and the game's own texts that the language table lacks.
    std::function<void(int languageOffset)> installQtTranslations = [](int) {};
};

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
