// Fuzzes the language table lookup: any bytes as the table, looked up from memory and from the
// file as the game does. Both give the same text, never longer than a read may be, and nothing
// is reported.
#include "core/failure.h"
#include "core/profile.h"
#include "fuzz_check.h"
#include "lang/language.h"

#include <QFile>
#include <QTemporaryDir>

#include <cstddef>
#include <cstdint>
#include <vector>

using fuzz::check;
using namespace marvolen;

namespace {

/// The keys to ask for: the first five four-digit numbers that start a line, which the table
/// has, and one after the first, which it may lack.
std::vector<int> keysOf(QByteArrayView table) {
    std::vector<int> keys;
    for (qsizetype start = 0; start < table.size() && keys.size() < 5;) {
        const qsizetype nl = table.indexOf('\n', start);
        const QByteArrayView line = table.sliced(start, (nl < 0 ? table.size() : nl) - start);
        start = nl < 0 ? table.size() : nl + 1;
        int key = 0, digits = 0;
        for (; digits < line.size() && digits < 4 && line[digits] >= '0' && line[digits] <= '9';
             ++digits)
            key = key * 10 + (line[digits] - '0');
        if (digits == 4)
            keys.push_back(key);
    }
    keys.push_back(keys.empty() ? 1110 : keys.front() + 1);
    return keys;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const QByteArray table(reinterpret_cast<const char*>(data), qsizetype(size));
    static QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("~tmp.lng"));
    {
        // A new file each time: truncating the old one makes the file system write it to disk.
        QFile::remove(path);
        QFile file(path);
        check(file.open(QIODevice::WriteOnly));
        check(file.write(table) == table.size());
    }

    FixedReporter reporter;
    lang::Language fromMemory(reporter);
    fromMemory.setTableInMemory(table);
    lang::Language fromFile(reporter);
    fromFile.setLanguageFilePath(path);
    const std::vector<int> keys = keysOf(table);
    for (std::size_t i = 0; i < keys.size(); ++i) {
        const QString text = fromMemory.GetLang(keys[i]);
        check(text.size() <= profile::kMaxValue);
        // Every lookup reads the file anew; one of them is enough to compare the two ways.
        if (i == 0)
            check(fromFile.GetLang(keys[i]) == text);
    }
    check(reporter.count() == 0);
    return 0;
}
