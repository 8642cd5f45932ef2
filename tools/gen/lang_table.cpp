// Writes the language table "CUSTOM" 1000 from resources/lang/strings.txt in the game's format.
#include "generators.h"

#include "core/cp1252.h"
#include "ids/resource_ids.h"

#include <QFile>
#include <QStringDecoder>

#include <cstdio>
#include <cstdlib>
#include <iterator>
#include <map>
#include <set>
#include <utility>
#include <vector>

namespace gen {
namespace {

// The languages in the order their lines stand under one string number.
constexpr int kLanguageDigits[] = {0, 1, 2, 3, 6};

// The profile reader returns at most this many characters of a value.
constexpr qsizetype kMaxTextLength = 254;

struct TableEntry {
    int number = 0;
    int digit = 0;
    QString text;
    int sourceLine = 0;
};

[[noreturn]] void fail(const QString& where, const QString& message) {
    std::fprintf(stderr, "language table: %s: %s\n", qPrintable(where), qPrintable(message));
    std::exit(1);
}

int languageRank(int digit) {
    for (int i = 0; i < int(std::size(kLanguageDigits)); ++i)
        if (kLanguageDigits[i] == digit)
            return i;
    return -1;
}

// "\s" is a blank kept at the end of a text, "\\" a backslash; nothing else is escaped.
QString unescape(QStringView raw, const QString& where) {
    QString text;
    for (qsizetype i = 0; i < raw.size(); ++i) {
        if (raw[i] != u'\\') {
            text.append(raw[i]);
            continue;
        }
        if (i + 1 == raw.size())
            fail(where, QStringLiteral("a backslash ends the line"));
        const QChar next = raw[++i];
        if (next == u's')
            text.append(u' ');
        else if (next == u'\\')
            text.append(u'\\');
        else
            fail(where, QStringLiteral("unknown escape \\%1").arg(next));
    }
    return text;
}

// Refuses every text the lookup would not give back exactly as written: the reader trims
// blanks and tabs (a final blank is written on purpose and trimmed on purpose, so only a
// leading one is refused), drops enclosing quotation marks and cuts long values.
void checkText(const QString& text, const QString& where) {
    QStringView value = text;
    while (value.endsWith(u' '))
        value.chop(1);
    if (value.isEmpty())
        fail(where, QStringLiteral("empty text"));
    if (value.front() == u' ')
        fail(where, QStringLiteral("text starts with a blank"));
    if (value.contains(u'\t'))
        fail(where, QStringLiteral("text contains a tab"));
    if (value.size() >= 2 && (value.front() == u'"' || value.front() == u'\'') &&
        value.back() == value.front())
        fail(where, QStringLiteral("text is enclosed in quotation marks"));
    if (value.size() > kMaxTextLength)
        fail(where, QStringLiteral("text longer than %1 characters").arg(kMaxTextLength));
    if (!marvolen::cp1252::representable(text))
        fail(where, QStringLiteral("text has a character outside Windows-1252"));
}

std::vector<TableEntry> readSource(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        fail(path, QStringLiteral("cannot read: ") + file.errorString());
    QStringDecoder utf8(QStringDecoder::Utf8);
    const QString content = utf8.decode(file.readAll());
    if (utf8.hasError())
        fail(path, QStringLiteral("not UTF-8"));

    std::vector<TableEntry> entries;
    const QStringList lines = content.split(u'\n');
    for (int i = 0; i < lines.size(); ++i) {
        QStringView line = lines[i];
        if (line.endsWith(u'\r'))
            line.chop(1);
        if (line.isEmpty() || line.startsWith(u'#'))
            continue;
        // The code's names of the strings, read by the id generator; not part of the table.
        if (line.startsWith(QLatin1String("name ")))
            continue;
        const QString where = QStringLiteral("%1:%2").arg(path).arg(i + 1);
        // Whitespace at a line end is invisible and easily lost; blanks that matter are "\s".
        if (line.back().isSpace())
            fail(where, QStringLiteral("blank or tab at the line end (write \\s)"));
        if (line.size() < 8 || line.mid(4, 3) != QLatin1String(" = "))
            fail(where, QStringLiteral("expected \"dddd = text\""));
        const QStringView key = line.left(4);
        for (QChar c : key)
            if (c < u'0' || c > u'9')
                fail(where, QStringLiteral("the key is not four digits"));
        TableEntry entry;
        entry.digit = key[0].digitValue();
        entry.number = key.mid(1).toInt();
        entry.text = unescape(line.mid(7), where);
        entry.sourceLine = i + 1;
        if (languageRank(entry.digit) < 0)
            fail(where, QStringLiteral("no language has the digit %1").arg(entry.digit));
        checkText(entry.text, where);
        entries.push_back(std::move(entry));
    }
    return entries;
}

// Lines stand by number, then by language; a key may repeat only on the very next line (the
// lookup then finds the first). Every number has all five languages.
void checkOrder(const std::vector<TableEntry>& entries, const QString& path) {
    if (entries.empty())
        fail(path, QStringLiteral("no entries"));
    std::map<int, std::set<int>> languages;
    for (std::size_t i = 0; i < entries.size(); ++i) {
        const TableEntry& e = entries[i];
        languages[e.number].insert(e.digit);
        if (i == 0)
            continue;
        const TableEntry& before = entries[i - 1];
        const auto rank = [](const TableEntry& x) {
            return std::pair(x.number, languageRank(x.digit));
        };
        if (rank(e) < rank(before))
            fail(QStringLiteral("%1:%2").arg(path).arg(e.sourceLine),
                 QStringLiteral("out of order"));
    }
    for (const auto& [number, digits] : languages)
        if (digits.size() != std::size(kLanguageDigits))
            fail(path, QStringLiteral("string %1 lacks a language").arg(number));
}

// German, English and Italian lines end with a TAB before the line end, Spanish and French
// lines do not: the table's layout, which the reader trims away.
bool endsWithTab(int digit) {
    return digit == 0 || digit == 1 || digit == 3;
}

QByteArray tableBytes(const std::vector<TableEntry>& entries) {
    QByteArray bytes = "[lang]\r\n";
    for (const TableEntry& e : entries) {
        bytes += QByteArray::number(e.digit);
        bytes += QByteArray::number(e.number).rightJustified(3, '0');
        bytes += " = ";
        bytes += marvolen::cp1252::encode(e.text);
        if (endsWithTab(e.digit))
            bytes += '\t';
        bytes += "\r\n";
    }
    // The resource ends with one NUL byte, and the file is written with it.
    bytes += '\0';
    return bytes;
}

} // namespace

void writeLanguageTable(const QDir& out, Entries& entries) {
    const QString source = QStringLiteral(MARVOLEN_SOURCE_DIR "/resources/lang/strings.txt");
    const std::vector<TableEntry> table = readSource(source);
    checkOrder(table, source);

    const QString fileName = QStringLiteral("custom_1000.lng");
    QFile file(out.filePath(fileName));
    const QByteArray bytes = tableBytes(table);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) ||
        file.write(bytes) != bytes.size() || !file.flush())
        fail(file.fileName(), QStringLiteral("cannot write: ") + file.errorString());
    entries.emplace_back(QStringLiteral("%1/%2")
                             .arg(QLatin1String(marvolen::ResourceType::Custom))
                             .arg(marvolen::ResourceId::LanguageTable),
                         fileName);
}

} // namespace gen
