// Fuzzes the champions-list values: any stored text decodes, any entry round-trips, and any
// bytes as a highscore file load ten entries in order.
#include "core/failure.h"
#include "fuzz_check.h"
#include "scores/champions_list.h"
#include "scores/entry.h"
#include "scores/highscore_file.h"
#include "scores/scramble.h"

#include <QFile>
#include <QTemporaryDir>

#include <algorithm>
#include <cstddef>
#include <cstdint>

using fuzz::check;
using namespace marvolen;
using namespace marvolen::scores;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const QByteArrayView input(reinterpret_cast<const char*>(data), qsizetype(size));

    // Any text as a stored value: decodes to at most one byte per stored hex digit.
    const QByteArray decoded = ConvBack(input);
    check(decoded.size() <= std::max<qsizetype>(input.size() - 2, 0) / 2 + 1);
    (void)rowTexts(decoded);
    (void)qualifies(input.first(std::min<qsizetype>(10, input.size())), decoded);

    // Any text short enough for a two-digit length comes back, with the title and another key.
    const QByteArrayView entry = input.first(std::min<qsizetype>(49, input.size()));
    check(ConvBack(Conv(entry)) == entry);
    const QByteArrayView key =
        input.sliced(entry.size()).first(std::min<qsizetype>(8, input.size() - entry.size()));
    check(ConvBack(Conv(entry, key), key) == entry);

    // Any bytes as the highscore file: ten entries, sorted, and nothing reported.
    static QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("Marvolen.hsc"));
    {
        QFile file(path);
        check(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(input.data(), input.size());
    }
    FixedReporter reporter;
    static const QLocale locale(QLocale::German, QLocale::Germany);
    HighscoreFile highscores(reporter, path, locale);
    highscores.setVariant(size > 0 ? data[0] % 20 : 0);
    check(highscores.GetHS());
    check(highscores.list().size() == ChampionsList::kRanks);
    const auto& entries = highscores.list().entries();
    check(std::is_sorted(entries.begin(), entries.end(), highscores.list().order()));
    check(reporter.count() == 0);
    return 0;
}
