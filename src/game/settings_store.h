// Every settings key of the game, its default and the exact text it is written as.
#pragma once

#include <QSettings>
#include <QString>

#include <cstdint>

namespace marvolen::game {

/// The player's choices in section "Optionen" of a store given from outside. Reads go to the
/// store every time; a stored text that is no number throws Failure 13, one out of range 6.
///
/// A store whose file could not be read when it was opened (a folder in its place, no
/// permission) holds nothing, so every read gives the default; the first read throws Failure 70
/// or 75 once, so that the procedure reading it reports it, and later reads give the defaults
/// without a word. Every write reaches the file at once; one that does not throws Failure 70
/// (Permission denied) or 75 (Path/File access error) in the writing procedure's statement.
/// The value then stays in the store for the rest of the run.
class SettingsStore {
  public:
    explicit SettingsStore(QSettings& store);

    std::int16_t board() const { return readInt16("Board", 1); }
    std::int16_t kugel() const { return readInt16("Kugel", 3); }
    std::int16_t layout() const { return readInt16("Layout", 4); }
    std::int16_t playSound() const { return readInt16("PlaySound", -1); }
    std::int16_t playMusic() const { return readInt16("PlayMusic", 1); }
    std::int16_t sprache() const { return readInt16("Sprache", 0); }
    /// Whether the marble count warns that a single marble is out of reach: -1 on, 0 off.
    std::int16_t oneMarbleWarning() const { return readInt16("OneMarbleWarning", 0); }
    std::int32_t startVal() const;

    void setBoard(int picture) { write("Board", QString::number(picture)); }
    void setKugel(int picture) { write("Kugel", QString::number(picture)); }
    void setLayout(int variant) { write("Layout", QString::number(variant)); }
    /// "-1" on, " 0" off.
    void setPlaySound(std::int16_t soundOn);
    /// "-1" on, " 0" off, as PlaySound.
    void setOneMarbleWarning(std::int16_t on);
    void setPlayMusic(int mode) { write("PlayMusic", QString::number(mode)); }
    /// The main window's flag click writes " 1000".
    void setSpracheWithSignPlace(int offset);
    /// The About window writes "1000".
    void setSprachePlain(int offset) { write("Sprache", QString::number(offset)); }
    void setStartVal(std::int32_t count) { write("StartVal", QString::number(count)); }

    /// The raw stored text, or nothing (tests and diagnostics). Never throws.
    QString rawText(const char* key) const;

  private:
    std::int16_t readInt16(const char* key, int defaultValue) const;
    /// Throws the failure of opening the store, the first time only.
    void reportUnreadableOnce() const;
    void write(const char* key, const QString& text);

    QSettings& m_store;
    /// The error number of a store that could not be read, until a read has reported it.
    mutable int m_unreadFailure = 0;
};

/// The error number for a settings file at path that could not be read (reading) or written:
/// 70 where permissions forbid it, 75 where a folder has its name or a file stands where one of
/// its folders should be, and for anything else.
int settingsFailureNumber(const QString& path, bool reading);

} // namespace marvolen::game
