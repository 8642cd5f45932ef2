// Loading the audio module with QLibrary, and the silent game without it.
#include "sound_loader.h"

#include "core/module_file.h"

#include <QCoreApplication>
#include <QDir>

namespace marvolen::audio {

SoundLoader::SoundLoader(SoundSetup setup, QString modulePath)
    : m_setup(std::move(setup)), m_modulePath(std::move(modulePath)) {}

SoundLoader::~SoundLoader() {
    // The module's objects go while its code is still there; the library itself stays loaded.
    m_system.reset();
}

QStringList SoundLoader::defaultModulePaths() {
    return modulePaths(QLatin1String(SoundModuleName) + QStringLiteral(".so"),
                       QStringLiteral(MARVOLEN_MODULE_FOLDER));
}

bool SoundLoader::load() {
    if (m_tried)
        return m_system != nullptr;
    m_tried = true;
    OpenedModule module = makeFromModule(
        m_modulePath.isEmpty() ? defaultModulePaths() : QStringList{m_modulePath},
        MakeSoundSystemName, m_system, [this](QFunctionPointer factory) {
            return reinterpret_cast<MakeSoundSystem>(factory)(SoundModuleVersion, &m_setup);
        });
    m_library = std::move(module.library);
    if (!m_system && m_setup.note)
        m_setup.note(QCoreApplication::translate("Marvolen",
                                                 "The sound module %1 could not be loaded (%2): "
                                                 "the game runs without sound effects and music.")
                         .arg(QDir::toNativeSeparators(module.path), module.why));
    return m_system != nullptr;
}

MciReply SoundLoader::mciSendString(const QString& command) {
    return load() ? m_system->media().mciSendString(command) : m_silent.mciSendString(command);
}

void SoundLoader::PlayWAV(std::int16_t id) {
    if (load())
        m_system->PlayWAV(id);
}

} // namespace marvolen::audio
