// Settings store over QSettings.
#include "settings_store.h"

#include "core/failure.h"
#include "core/numbers.h"

#include <QFileInfo>

namespace marvolen::game {
namespace {
QString keyPath(const char* key) {
    return QStringLiteral("Optionen/") + QLatin1String(key);
}
} // namespace

int settingsFailureNumber(const QString& path, bool reading) {
    const QFileInfo file(path);
    if (file.isDir())
        return err::PathFileAccess;
    if (file.exists() && !(reading ? file.isReadable() : file.isWritable()))
        return err::PermissionDenied;
    if (reading)
        return err::PathFileAccess;
    // The file is replaced by a new one beside it, so its folder must take new files.
    QFileInfo folder(file.absolutePath());
    while (!folder.exists() && !folder.isRoot())
        folder = QFileInfo(folder.absolutePath());
    if (folder.isDir() && !folder.isWritable())
        return err::PermissionDenied;
    return err::PathFileAccess;
}

SettingsStore::SettingsStore(QSettings& store) : m_store(store) {
    // QSettings has read its file when it was made. A damaged file (FormatError) is read as far
    // as it goes and made whole by the next write, so only a file that could not be opened counts.
    if (m_store.status() == QSettings::AccessError)
        m_unreadFailure = settingsFailureNumber(m_store.fileName(), true);
}

void SettingsStore::reportUnreadableOnce() const {
    if (m_unreadFailure == 0)
        return;
    const int number = m_unreadFailure;
    m_unreadFailure = 0;
    throw Failure(number);
}

QString SettingsStore::rawText(const char* key) const {
    return m_store.value(keyPath(key)).toString();
}

std::int16_t SettingsStore::readInt16(const char* key, int defaultValue) const {
    reportUnreadableOnce();
    const QVariant v = m_store.value(keyPath(key));
    return numbers::readInt16(v.isValid() ? v.toString() : QString::number(defaultValue));
}

std::int32_t SettingsStore::startVal() const {
    reportUnreadableOnce();
    const QVariant v = m_store.value(keyPath("StartVal"));
    return numbers::readInt32(v.isValid() ? v.toString() : QStringLiteral("0"));
}

void SettingsStore::setPlaySound(std::int16_t soundOn) {
    write("PlaySound", numbers::withSignPlace(soundOn));
}

void SettingsStore::setOneMarbleWarning(std::int16_t on) {
    write("OneMarbleWarning", numbers::withSignPlace(on));
}

void SettingsStore::setSpracheWithSignPlace(int offset) {
    write("Sprache", numbers::withSignPlace(offset));
}

void SettingsStore::write(const char* key, const QString& text) {
    m_store.setValue(keyPath(key), text);
    m_store.sync();
    if (m_store.status() == QSettings::NoError)
        return;
    // QSettings keeps its first error for good, so after one failure every later write would
    // look failed, even once the player has mended the folder and answered Retry. A second
    // QSettings on the same file shares the changes not yet written and starts without an
    // error: it writes them again, and its status tells whether they reached the file now.
    QSettings probe(m_store.fileName(), m_store.format());
    probe.sync();
    if (probe.status() == QSettings::NoError)
        return;
    throw Failure(settingsFailureNumber(m_store.fileName(), false));
}

} // namespace marvolen::game
