// Every settings key of the game, its default and the exact text it is written as.
#pragma once

#include <QSettings>
#include <QString>

#include <cstdint>

namespace marvolen::game {

/// The player's choices in section "Optionen" of a store given from outside. Reads go to the
/// store every time; a stored text that is no number throws Failure 13, one out of range 6.
class SettingsStore {
  public:
    explicit SettingsStore(QSettings& store) : m_store(store) {}

    std::int16_t board() const { return readInt16("Board", 1); }
    std::int16_t kugel() const { return readInt16("Kugel", 3); }
    std::int16_t layout() const { return readInt16("Layout", 4); }
    std::int16_t playSound() const { return readInt16("PlaySound", -1); }
    std::int16_t playMusic() const { return readInt16("PlayMusic", 1); }
    std::int16_t sprache() const { return readInt16("Sprache", 0); }
    std::int32_t startVal() const;

    void setBoard(int picture) { write("Board", QString::number(picture)); }
    void setKugel(int picture) { write("Kugel", QString::number(picture)); }
    void setLayout(int variant) { write("Layout", QString::number(variant)); }
    /// "-1" on, " 0" off.
    void setPlaySound(std::int16_t soundOn);
    void setPlayMusic(int mode) { write("PlayMusic", QString::number(mode)); }
    /// The main window's flag click writes " 1000".
    void setSpracheWithSignPlace(int offset);
    /// The About window writes "1000".
    void setSprachePlain(int offset) { write("Sprache", QString::number(offset)); }
    void setStartVal(std::int32_t count) { write("StartVal", QString::number(count)); }

    /// The raw stored text, or nothing (tests and diagnostics).
    QString rawText(const char* key) const;

  private:
    std::int16_t readInt16(const char* key, int defaultValue) const;
    void write(const char* key, const QString& text);

    QSettings& m_store;
};

} // namespace marvolen::game
