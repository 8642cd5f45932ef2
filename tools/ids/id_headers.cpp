// Reads the string names of strings.txt and writes the three headers of named ids.
#include "id_headers.h"

#include <map>
#include <set>

namespace gen::ids {
namespace {

// What the code calls a sound effect (resource "WAV" id), and what the player hears.
struct SoundName {
    int id;
    const char* name;
    const char* what;
};

constexpr SoundName kSounds[] = {
    {101, "JumpGlass", "A jump: glass on glass, bright with a short ring."},
    {102, "Click",
     "A small crisp clack: one of the five jump sounds, and the click of the command buttons, "
     "the flags, the champions window's variants and the chooser's pictures."},
    {103, "JumpStone", "A jump: stone on stone, lower and duller."},
    {104, "JumpRinging", "A jump: a ringing glass marble that bounces twice."},
    {105, "JumpWood", "A jump: a marble dropped into a wooden hole."},
    {106, "Start", "A rising chime: a game starts; a new board picture is applied."},
    {107, "RollIn",
     "Marbles rolling in: marble pictures are loaded; a new board picture (after Start); a "
     "variant is chosen."},
    {109, "GameOver", "A descending motif: no legal jump is left."},
    {113, "FanfareBrass", "A result enters the champions list: brass \"ta-ta-ta-taa\"."},
    {114, "FanfareBells", "A result enters the champions list: a run of bells."},
    {115, "FanfareCall", "A result enters the champions list: a brass call over a drum."},
};

// Names the headers use themselves.
const std::set<std::string_view> kReserved = {"All", "Entry"};

bool isDigits(std::string_view s) {
    if (s.empty())
        return false;
    for (char c : s)
        if (c < '0' || c > '9')
            return false;
    return true;
}

bool isPascalCase(std::string_view s) {
    if (s.empty() || s[0] < 'A' || s[0] > 'Z')
        return false;
    for (char c : s)
        if (!((c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9')))
            return false;
    return true;
}

// "\s" is a blank, "\\" a backslash, as the table generator reads them; the final blanks that the
// lookup trims are dropped, so the comment shows the text as the game shows it.
std::string displayText(std::string_view raw) {
    std::string text;
    for (std::size_t i = 0; i < raw.size(); ++i) {
        if (raw[i] == '\\' && i + 1 < raw.size()) {
            text += raw[i + 1] == 's' ? ' ' : raw[i + 1];
            ++i;
        } else {
            text += raw[i];
        }
    }
    while (!text.empty() && text.back() == ' ')
        text.pop_back();
    return text;
}

// A "///" comment, broken at blanks to keep within 100 columns.
std::string docComment(const std::string& text) {
    constexpr std::size_t kWidth = 100 - 4;
    std::string comment;
    std::string_view rest = text;
    while (!rest.empty()) {
        std::size_t cut = rest.size();
        if (cut > kWidth) {
            cut = rest.rfind(' ', kWidth);
            if (cut == std::string_view::npos || cut == 0)
                cut = rest.find(' ');
            if (cut == std::string_view::npos)
                cut = rest.size();
        }
        comment += "/// " + std::string(rest.substr(0, cut)) + "\n";
        rest.remove_prefix(cut);
        while (!rest.empty() && rest.front() == ' ')
            rest.remove_prefix(1);
    }
    return comment;
}

std::string lineError(int line, const std::string& message) {
    return "line " + std::to_string(line) + ": " + message;
}

} // namespace

TextNames readTextNames(std::string_view source) {
    struct NameLine {
        std::string name;
        int line;
    };
    std::map<int, NameLine> byNumber;
    std::map<std::string, int> lineOfName;
    std::map<int, std::string> english;
    std::set<int> numbers;

    int lineNumber = 0;
    while (!source.empty()) {
        const std::size_t end = source.find('\n');
        std::string_view line = source.substr(0, end);
        source = end == std::string_view::npos ? std::string_view() : source.substr(end + 1);
        ++lineNumber;
        if (!line.empty() && line.back() == '\r')
            line.remove_suffix(1);
        if (line.empty() || line.front() == '#')
            continue;
        if (line.starts_with("name ")) {
            // "name nnn = Name"
            const std::string_view number = line.substr(5, 3);
            if (line.size() < 12 || !isDigits(number) || line.substr(8, 3) != " = ")
                return {{}, lineError(lineNumber, "expected \"name nnn = Name\"")};
            const std::string name(line.substr(11));
            if (!isPascalCase(name))
                return {{}, lineError(lineNumber, "\"" + name + "\" is not a name in PascalCase")};
            if (kReserved.count(name))
                return {{}, lineError(lineNumber, "\"" + name + "\" is taken by the header")};
            const int n = std::stoi(std::string(number));
            if (byNumber.count(n))
                return {{},
                        lineError(lineNumber, "string " + std::string(number) +
                                                  " already has the name " + byNumber[n].name)};
            if (lineOfName.count(name))
                return {{},
                        lineError(lineNumber, "the name " + name + " stands on line " +
                                                  std::to_string(lineOfName[name]) + " too")};
            byNumber[n] = {name, lineNumber};
            lineOfName[name] = lineNumber;
            continue;
        }
        if (line.size() < 7 || !isDigits(line.substr(0, 4)) || line.substr(4, 3) != " = ")
            return {{}, lineError(lineNumber, "neither an entry nor a name")};
        const int n = std::stoi(std::string(line.substr(1, 3)));
        numbers.insert(n);
        // The first English entry is the one the lookup finds.
        if (line.front() == '1' && !english.count(n))
            english[n] = displayText(line.substr(7));
    }

    TextNames result;
    for (const auto& [n, name] : byNumber)
        if (!numbers.count(n))
            return {{}, lineError(name.line, "string " + std::to_string(n) + " has no entries")};
    for (int n : numbers) {
        const auto named = byNumber.find(n);
        if (named == byNumber.end())
            return {{}, "string " + std::to_string(n) + " has no name line"};
        result.names.push_back({n, named->second.name, english[n]});
    }
    return result;
}

std::string textIdsHeader(const std::vector<TextName>& names) {
    std::string h =
        "// The language table's string numbers by name: language.text(Text::QuitQuestion).\n"
        "// Written by marvolen_gen_ids from resources/lang/strings.txt; the names are kept "
        "there.\n"
        "#pragma once\n\n"
        "namespace marvolen::Text {\n\n";
    for (const TextName& t : names) {
        if (!t.english.empty())
            h += docComment("\"" + t.english + "\"");
        h += "inline constexpr int " + t.name + " = " + std::to_string(t.number) + ";\n";
    }
    h += "\n/// A string number and its name.\n"
         "struct Entry {\n"
         "    int id;\n"
         "    const char* name;\n"
         "};\n\n"
         "/// Every string number of the table with its name, in table order.\n"
         "inline constexpr Entry All[] = {\n";
    for (const TextName& t : names)
        h += "    {" + std::to_string(t.number) + ", \"" + t.name + "\"},\n";
    h += "};\n\n} // namespace marvolen::Text\n";
    return h;
}

std::string soundIdsHeader() {
    std::string h = "// The sound effects (resources \"WAV\") by name: playWav(Sound::Click).\n"
                    "// Written by marvolen_gen_ids.\n"
                    "#pragma once\n\n"
                    "namespace marvolen::Sound {\n\n";
    for (const SoundName& s : kSounds)
        h += docComment(s.what) + "inline constexpr int " + s.name + " = " + std::to_string(s.id) +
             ";\n";
    h += "\n/// A legal jump plays one of FirstJump to LastJump, drawn at random.\n"
         "inline constexpr int FirstJump = JumpGlass;\n"
         "inline constexpr int LastJump = JumpWood;\n\n"
         "/// A new champion hears fanfare(r) for r drawn from 1 to Fanfares.\n"
         "inline constexpr int Fanfares = 3;\n"
         "constexpr int fanfare(int r) { return FanfareBrass - 1 + r; }\n\n"
         "/// A sound effect's id and its name.\n"
         "struct Entry {\n"
         "    int id;\n"
         "    const char* name;\n"
         "};\n\n"
         "/// Every sound effect the game carries, by id.\n"
         "inline constexpr Entry All[] = {\n";
    for (const SoundName& s : kSounds)
        h += "    {" + std::to_string(s.id) + ", \"" + s.name + "\"},\n";
    h += "};\n\n} // namespace marvolen::Sound\n";
    return h;
}

std::string resourceIdsHeader() {
    return R"(// The resources the game carries, by type and id: resourcePath(ResourceType::Icon,
// ResourceId::marble(n)). Sound effects are in ids/sound_ids.h, texts in ids/text_ids.h.
// Written by marvolen_gen_ids.
#pragma once

namespace marvolen::ResourceType {

/// The marble pictures, 32 x 32.
inline constexpr char Icon[] = "ICON";
/// The board pictures, 600 x 600.
inline constexpr char Bitmap[] = "BITMAP";
/// The sound effects (ids in namespace Sound).
inline constexpr char Wave[] = "WAV";
/// The tunes, Standard MIDI Files.
inline constexpr char Midi[] = "MIDI";
/// The language table.
inline constexpr char Custom[] = "CUSTOM";

} // namespace marvolen::ResourceType

namespace marvolen::ResourceId {

/// Marble pictures 1 to MarblePictures: icon resources 101 to 125.
inline constexpr int MarblePictures = 25;
constexpr int marble(int picture) { return 100 + picture; }

/// Board pictures 1 to BoardPictures: bitmap resources 121 to 129.
inline constexpr int BoardPictures = 9;
constexpr int board(int picture) { return 120 + picture; }

/// The tunes: MIDI resources FirstTune to LastTune, one drawn at random each time.
inline constexpr int FirstTune = 101;
inline constexpr int LastTune = 106;

/// The language table: CUSTOM resource 1000.
inline constexpr int LanguageTable = 1000;

} // namespace marvolen::ResourceId
)";
}

} // namespace gen::ids
