// What every part of the game works with: the reporter, the settings, the language, the run's
// temporary folder, the random numbers and the clock, all given from outside.
#pragma once

#include "core/date_time.h"
#include "core/failure.h"
#include "core/random.h"
#include "core/temp_folder.h"
#include "game/settings_store.h"
#include "lang/language.h"

namespace marvolen::app {

struct GameContext {
    Reporter& reporter;
    game::SettingsStore& settings;
    lang::Language& language;
    TempFolder& temp;
    Random& random;
    const Clock& clock;
};

} // namespace marvolen::app
