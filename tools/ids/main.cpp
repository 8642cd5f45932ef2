// Id generator: writes ids/text_ids.h, ids/sound_ids.h and ids/resource_ids.h into a folder.
#include "id_headers.h"

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

namespace {

std::string readFile(const std::filesystem::path& path, bool& ok) {
    std::ifstream in(path, std::ios::binary);
    ok = bool(in);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// A header is rewritten only when its text changed, so that a new text in the table does not
// make every file that includes the names compile again.
bool writeIfChanged(const std::filesystem::path& path, const std::string& text) {
    bool exists = false;
    if (readFile(path, exists) == text && exists)
        return true;
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << text;
    out.close();
    if (!out) {
        std::fprintf(stderr, "marvolen_gen_ids: cannot write %s\n", path.string().c_str());
        return false;
    }
    return true;
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: marvolen_gen_ids STRINGS_TXT OUTDIR\n");
        return 2;
    }
    bool ok = false;
    const std::string source = readFile(argv[1], ok);
    if (!ok) {
        std::fprintf(stderr, "marvolen_gen_ids: cannot read %s\n", argv[1]);
        return 1;
    }
    const gen::ids::TextNames texts = gen::ids::readTextNames(source);
    if (!texts.error.empty()) {
        std::fprintf(stderr, "%s: %s\n", argv[1], texts.error.c_str());
        return 1;
    }
    const std::filesystem::path dir = std::filesystem::path(argv[2]) / "ids";
    std::error_code error;
    std::filesystem::create_directories(dir, error);
    if (error) {
        std::fprintf(stderr, "marvolen_gen_ids: cannot make %s\n", dir.string().c_str());
        return 1;
    }
    const bool written = writeIfChanged(dir / "text_ids.h", gen::ids::textIdsHeader(texts.names)) &&
                         writeIfChanged(dir / "sound_ids.h", gen::ids::soundIdsHeader()) &&
                         writeIfChanged(dir / "resource_ids.h", gen::ids::resourceIdsHeader());
    return written ? 0 : 1;
}
