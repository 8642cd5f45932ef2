// Settings store over QSettings.
#include "settings_store.h"

#include "core/numbers.h"

namespace marvolen::game {
namespace {
QString keyPath(const char* key) {
    return QStringLiteral("Optionen/") + QLatin1String(key);
}
} // namespace

QString SettingsStore::rawText(const char* key) const {
    return m_store.value(keyPath(key)).toString();
}

std::int16_t SettingsStore::readInt16(const char* key, int defaultValue) const {
    const QVariant v = m_store.value(keyPath(key));
    return numbers::readInt16(v.isValid() ? v.toString() : QString::number(defaultValue));
}

std::int32_t SettingsStore::startVal() const {
    const QVariant v = m_store.value(keyPath("StartVal"));
    return numbers::readInt32(v.isValid() ? v.toString() : QStringLiteral("0"));
}

void SettingsStore::setPlaySound(std::int16_t soundOn) {
    write("PlaySound", numbers::withSignPlace(soundOn));
}

void SettingsStore::setSpracheWithSignPlace(int offset) {
    write("Sprache", numbers::withSignPlace(offset));
}

void SettingsStore::write(const char* key, const QString& text) {
    m_store.setValue(keyPath(key), text);
    m_store.sync();
}

} // namespace marvolen::game
