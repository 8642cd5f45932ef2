// The services a single window needs, in a temporary folder: settings, a language, a reporter
// that answers Cancel, a seeded random generator and a clock that stands still.
#pragma once

#include "core/date_time.h"
#include "core/failure.h"
#include "core/random.h"
#include "core/temp_folder.h"
#include "game/settings_store.h"
#include "lang/language.h"
#include "ui/services.h"

#include <QSettings>
#include <QTemporaryDir>

#include <cstdint>

namespace marvolen::test {

class FixedClock : public Clock {
  public:
    QDateTime now() const override { return QDateTime(QDate(2024, 5, 1), QTime(12, 0)); }
    std::chrono::milliseconds steady() const override { return std::chrono::hours(1); }
};

struct ServicesFixture {
    explicit ServicesFixture(std::uint64_t seed = 7, const QString& localeId = {})
        : random(seed), services{{reporter, settings, language, temp, random, clock},
                                 localeId,
                                 QString()} {}

    QTemporaryDir dir;
    QSettings store{dir.filePath("Marvolen.conf"), QSettings::IniFormat};
    game::SettingsStore settings{store};
    FixedReporter reporter;
    lang::Language language{reporter};
    TempFolder temp{reporter, dir.path()};
    Random random;
    FixedClock clock;
    ui::Services services;
};

} // namespace marvolen::test
