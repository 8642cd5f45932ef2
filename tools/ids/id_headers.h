// The headers of named ids: the language table's string numbers by the names strings.txt gives
// them, the sound effects and the other resource ids. Plain C++, so that the game's libraries can
// be built after it without the generator needing any of them.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace gen::ids {

/// One string number of the language table with its name and its English text.
struct TextName {
    int number = 0;
    std::string name;
    std::string english;
};

/// The names of strings.txt in table order, or why they cannot be used ("line 12: ...").
struct TextNames {
    std::vector<TextName> names;
    std::string error;
};

/// Reads the "name nnn = Name" lines and the entries of strings.txt. Every string number must
/// have exactly one name, every name a number with entries, and no name may stand twice; a name
/// is a C++ identifier in PascalCase.
TextNames readTextNames(std::string_view source);

/// ids/text_ids.h: namespace marvolen::Text.
std::string textIdsHeader(const std::vector<TextName>& names);
/// ids/sound_ids.h: namespace marvolen::Sound.
std::string soundIdsHeader();
/// ids/resource_ids.h: namespaces marvolen::ResourceType and marvolen::ResourceId.
std::string resourceIdsHeader();

} // namespace gen::ids
