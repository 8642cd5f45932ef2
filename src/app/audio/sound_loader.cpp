// Loading the audio module with QLibrary, and the silent game without it.
#include "sound_loader.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QLibrary>

namespace marvolen::audio {

SoundLoader::SoundLoader(SoundSetup setup, QString modulePath)
    : m_setup(std::move(setup)), m_modulePath(std::move(modulePath)) {}

SoundLoader::~SoundLoader() {
    // The module's objects go while its code is still there; the library itself stays loaded.
    m_system.reset();
}

QStringList SoundLoader::defaultModulePaths() {
    const QDir programFolder(QCoreApplication::applicationDirPath());
    const QString name = QLatin1String(SoundModuleName) + QStringLiteral(".so");
    return {programFolder.filePath(name),
            QDir::cleanPath(programFolder.filePath(QStringLiteral(MARVOLEN_MODULE_FOLDER)) +
                            QLatin1Char('/') + name)};
}

bool SoundLoader::load() {
    if (m_tried)
        return m_system != nullptr;
    m_tried = true;
    QStringList candidates =
        m_modulePath.isEmpty() ? defaultModulePaths() : QStringList{m_modulePath};
    QString path = candidates.front();
    for (const QString& candidate : candidates)
        if (QFileInfo(candidate).isFile()) {
            path = candidate;
            break;
        }
    QString why;
    if (!QFileInfo(path).isFile()) {
        why = QCoreApplication::translate("Marvolen", "no such file");
    } else {
        m_library = std::make_unique<QLibrary>(path);
        const auto make =
            reinterpret_cast<MakeSoundSystem>(m_library->resolve(MakeSoundSystemName)); // loads it
        if (!make)
            why = m_library->errorString();
        else if (SoundSystem* system = make(SoundModuleVersion, &m_setup))
            m_system.reset(system);
        else
            why = QCoreApplication::translate("Marvolen", "a module of another version");
    }
    if (!m_system && m_setup.note)
        m_setup.note(QCoreApplication::translate("Marvolen",
                                                 "The sound module %1 could not be loaded (%2): "
                                                 "the game runs without sound effects and music.")
                         .arg(QDir::toNativeSeparators(path), why));
    return m_system != nullptr;
}

void SoundLoader::prepare() {
    if (load())
        m_system->openOutput();
}

MciReply SoundLoader::mciSendString(const QString& command) {
    return load() ? m_system->media().mciSendString(command) : m_silent.mciSendString(command);
}

void SoundLoader::PlayWAV(std::int16_t id) {
    if (load())
        m_system->PlayWAV(id);
}

} // namespace marvolen::audio
