// The services a single window needs, in a temporary folder: settings, a language, a reporter
// that answers Cancel, a seeded random generator, a clock that stands still and ports that
// record what the window asked of the platform.
#pragma once

#include "app/ports.h"
#include "core/date_time.h"
#include "core/failure.h"
#include "core/random.h"
#include "core/temp_folder.h"
#include "game/settings_store.h"
#include "lang/language.h"
#include "ui/services.h"

#include <QList>
#include <QSettings>
#include <QTemporaryDir>
#include <QUrl>

#include <cstdint>
#include <deque>
#include <optional>
#include <vector>

namespace marvolen::test {

class FixedClock : public Clock {
  public:
    QDateTime now() const override { return QDateTime(QDate(2024, 5, 1), QTime(12, 0)); }
    std::chrono::milliseconds steady() const override { return std::chrono::hours(1); }
};

/// The windows' ports: answers questions and prompts as scripted and records every question,
/// message, prompt, sound and address.
class WindowPorts : public app::Dialogs,
                    public app::TextInput,
                    public app::SoundPlayer,
                    public app::SoundSwitch,
                    public app::Desktop {
  public:
    /// Unscripted questions are answered No.
    bool askYesNo(const QString& title, const QString& text) override {
        questions.push_back(title + "|" + text);
        const bool yes = !answers.empty() && answers.front();
        if (!answers.empty())
            answers.pop_front();
        return yes;
    }
    bool askYesNoDefaultNo(const QString& title, const QString& text) override {
        return askYesNo(title, text);
    }
    void inform(const QString&, const QString& text) override { told.push_back(text); }
    /// Unscripted prompts are cancelled.
    QString askText(const QString& title, const QString& prompt) override {
        prompts.push_back(title + "|" + prompt);
        std::optional<QString> name;
        if (!names.empty()) {
            name = names.front();
            names.pop_front();
        }
        return name.value_or(QString());
    }
    void PlayWAV(std::int16_t id) override { played.push_back(id); }
    bool soundOn() const override { return effectsOn; }
    void openUrl(const QUrl& url) override { opened.push_back(url); }

    std::deque<bool> answers;                 ///< Yes/No answers, in order
    std::vector<QString> questions;           ///< "title|text" of every question
    std::vector<QString> told;                ///< the text of every message
    std::deque<std::optional<QString>> names; ///< typed names, in order; nullopt is Cancel
    std::vector<QString> prompts;             ///< "title|prompt" of every name prompt
    std::vector<int> played;                  ///< the sound effects played
    bool effectsOn = true;                    ///< what soundOn answers
    QList<QUrl> opened;                       ///< the addresses opened
};

struct ServicesFixture {
    explicit ServicesFixture(std::uint64_t seed = 7, const QString& localeId = {})
        : random(seed), services{{reporter, settings, language, temp, random, clock},
                                 localeId,
                                 QString(),
                                 ports,
                                 ports,
                                 ports,
                                 ports,
                                 ports} {}

    QTemporaryDir dir;
    QSettings store{dir.filePath("Marvolen.conf"), QSettings::IniFormat};
    game::SettingsStore settings{store};
    FixedReporter reporter;
    lang::Language language{reporter};
    TempFolder temp{reporter, dir.path()};
    Random random;
    FixedClock clock;
    WindowPorts ports;
    ui::Services services;
};

} // namespace marvolen::test
