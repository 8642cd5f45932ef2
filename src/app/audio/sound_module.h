// The audio module's face: the one function the program looks up in it, and what it returns.
#pragma once

#include "audio_output.h"
#include "media_service.h"
#include "resource_access.h"

#include "core/failure.h"

#include <QString>

#include <cstdint>
#include <functional>

namespace marvolen::audio {

/// Everything that sounds, as the program sees it once the module is loaded.
class SoundSystem {
  public:
    virtual ~SoundSystem() = default;
    /// The media service of the background music.
    virtual MediaCommands& media() = 0;
    /// PlayWAV: starts a sound effect at once.
    virtual void PlayWAV(std::int16_t id) = 0;
};

/// What the module is made with; everything it points to outlives it.
struct SoundSetup {
    Reporter* reporter = nullptr;
    ResourceAccess* resources = nullptr;
    AudioOutput::Device device = AudioOutput::Device::System;
    QString soundFont;
    /// Says once what the game does without (a missing soundfont); not an error report.
    std::function<void(const QString&)> note;
};

/// Raised whenever SoundSystem or SoundSetup change, so that a module of another build is
/// refused rather than misread.
inline constexpr int SoundModuleVersion = 3;
/// The module's file name without the suffix of the platform's shared libraries.
inline constexpr char SoundModuleName[] = "marvolen_sound";
/// The module's one exported function: extern "C", so that its name is plain.
inline constexpr char MakeSoundSystemName[] = "marvolen_make_sound_system";
/// Null for a version the module does not speak. The caller owns the result.
using MakeSoundSystem = SoundSystem* (*)(int version, const SoundSetup* setup);

} // namespace marvolen::audio
