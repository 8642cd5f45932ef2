// Music modes, tune choice and the watcher over the media service's command strings.
#include "music_logic.h"

#include "core/numbers.h"
#include "ids/resource_ids.h"

#include <QFile>

namespace marvolen::audio {

namespace {
const QString FrmMarvolen = QStringLiteral("frmMarvolen");
} // namespace

MusicLogic::MusicLogic(MusicHost& host, MediaCommands& media, TempFolder& temp, Random& random,
                       Reporter& reporter, ResourceAccess& resources)
    : m_host(host), m_media(media), m_temp(temp), m_random(random), m_reporter(reporter),
      m_resources(resources) {}

void MusicLogic::StartMusic() {
    std::int16_t tune;
    do {
        tune = m_random.Zufallszahl(ResourceId::FirstTune, ResourceId::LastTune);
    } while (tune == m_lastTune);
    m_lastTune = tune;
    const QString openTune = m_midiFilePath;
    m_temp.GetTempFile(QString(), QStringLiteral("~rs"), 0, m_midiFilePath);
    if (!m_midiFilePath.isEmpty() && !m_tuneFiles.contains(m_midiFilePath))
        m_tuneFiles.append(m_midiFilePath);
    m_resources.SaveResItemToDisk(m_reporter, tune, QStringLiteral("midi"), m_midiFilePath);
    const MciReply opened = m_media.mciSendString(QStringLiteral("open sequencer!") +
                                                  m_midiFilePath + QStringLiteral(" alias midi"));
    if (opened.error != 0)
        forgetRefusedTune(openTune);
    m_media.mciSendString(QStringLiteral("play midi"));
    m_host.processPendingEvents();
    if (m_musicLoop)
        m_host.setWatcherEnabled(true);
}

void MusicLogic::setMode(int index) {
    switch (index) {
    case MusicMode::Off:
        if (m_musicOn) {
            closeTune();
            m_host.setWatcherEnabled(false);
        }
        m_musicOn = false;
        m_musicLoop = false;
        break;
    case MusicMode::Once:
        m_musicOn = true;
        m_musicLoop = false;
        StartMusic();
        break;
    case MusicMode::Loop:
        m_musicOn = true;
        m_musicLoop = true;
        StartMusic();
        break;
    default:
        break;
    }
}

void MusicLogic::Timer2_Timer() {
    Procedure p(m_reporter, FrmMarvolen, QStringLiteral("Timer2_Timer"));
    QString lengthText(128, QLatin1Char(' '));
    QString positionText(128, QLatin1Char(' '));
    p.step(50030,
           [&] { lengthText = m_media.mciSendString(QStringLiteral("status midi length")).text; });
    p.step(50040, [&] {
        positionText = m_media.mciSendString(QStringLiteral("status midi position")).text;
    });
    std::int64_t length = 0;
    std::int64_t position = 0;
    p.step(50050, [&] {
        length = numbers::leadingNumber(lengthText);
        position = numbers::leadingNumber(positionText);
    });
    p.step(50060, [&] {
        if (length > position)
            p.leave(); // still playing
    });
    p.step(50070, [&] { closeTune(); });
    p.step(50080, [&] {
        if (!m_musicLoop)
            m_host.setWatcherEnabled(false);
        else
            StartMusic();
    });
}

void MusicLogic::closeOnUnload() {
    if (m_musicOn) {
        m_media.mciSendString(QStringLiteral("close midi"));
        m_host.setWatcherEnabled(false);
    }
    // Failures ignored: a file already gone is no reason for a message at the end.
    if (!m_midiFilePath.isEmpty() && !m_tuneFiles.contains(m_midiFilePath))
        m_tuneFiles.append(m_midiFilePath);
    deleteTuneFiles();
}

void MusicLogic::forgetRefusedTune(const QString& openTune) {
    // The service holds no refused file, so it goes at once: while a window edge is dragged
    // every resize starts a tune, and their files would pile up until the open tune closes.
    if (!m_midiFilePath.isEmpty() && m_midiFilePath != openTune) {
        m_tuneFiles.removeAll(m_midiFilePath);
        QFile::remove(m_midiFilePath);
    }
    m_midiFilePath = openTune;
}

void MusicLogic::closeTune() {
    m_media.mciSendString(QStringLiteral("close midi"));
    deleteTuneFiles();
}

void MusicLogic::deleteTuneFiles() {
    for (const QString& path : std::as_const(m_tuneFiles))
        QFile::remove(path);
    m_tuneFiles.clear();
}

} // namespace marvolen::audio
