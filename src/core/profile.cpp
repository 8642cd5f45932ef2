// Profile files: a line-based scan that keeps every line it does not touch.
#include "profile.h"

#include <QFile>

#include <vector>

namespace marvolen::profile {
namespace {

bool isBlank(char c) {
    return c == ' ' || c == '\t';
}

QByteArrayView trimmed(QByteArrayView v) {
    qsizetype b = 0, e = v.size();
    while (b < e && isBlank(v[b]))
        ++b;
    while (e > b && (isBlank(v[e - 1]) || v[e - 1] == '\r'))
        --e;
    return v.sliced(b, e - b);
}

char lower(char c) {
    return (c >= 'A' && c <= 'Z') ? char(c + 32) : c;
}

bool sameName(QByteArrayView a, QByteArrayView b) {
    a = trimmed(a);
    b = trimmed(b);
    if (a.size() != b.size())
        return false;
    for (qsizetype i = 0; i < a.size(); ++i)
        if (lower(a[i]) != lower(b[i]))
            return false;
    return true;
}

std::vector<QByteArrayView> splitLines(QByteArrayView content) {
    std::vector<QByteArrayView> lines;
    qsizetype start = 0;
    while (start < content.size()) {
        qsizetype nl = content.indexOf('\n', start);
        qsizetype end = nl < 0 ? content.size() : nl;
        qsizetype textEnd = end;
        if (textEnd > start && content[textEnd - 1] == '\r')
            --textEnd;
        lines.push_back(content.sliced(start, textEnd - start));
        if (nl < 0)
            break;
        start = nl + 1;
    }
    return lines;
}

/// The section name of a header line, or nullopt when the line is no header.
std::optional<QByteArrayView> headerName(QByteArrayView line) {
    const QByteArrayView t = trimmed(line);
    if (t.isEmpty() || t[0] != '[')
        return std::nullopt;
    const qsizetype close = t.indexOf(']');
    return close < 0 ? t.sliced(1) : t.sliced(1, close - 1);
}

/// The key of a key line, or nullopt when the line has no "=".
std::optional<QByteArrayView> keyOf(QByteArrayView line) {
    const qsizetype eq = line.indexOf('=');
    if (eq < 0)
        return std::nullopt;
    return line.first(eq);
}

QByteArray cleanValue(QByteArrayView raw) {
    const qsizetype nul = raw.indexOf('\0');
    if (nul >= 0)
        raw = raw.first(nul);
    QByteArrayView v = trimmed(raw);
    if (v.size() >= 2 && (v[0] == '"' || v[0] == '\'') && v.back() == v[0])
        v = v.sliced(1, v.size() - 2);
    return v.first(std::min(v.size(), kMaxValue)).toByteArray();
}

} // namespace

std::optional<QByteArray> findValue(QByteArrayView content, QByteArrayView section,
                                    QByteArrayView key) {
    bool inSection = false;
    qsizetype start = 0;
    while (start < content.size()) {
        qsizetype nl = content.indexOf('\n', start);
        const qsizetype end = nl < 0 ? content.size() : nl;
        const QByteArrayView line = content.sliced(start, end - start);
        start = end + 1;
        if (const auto name = headerName(line)) {
            inSection = sameName(*name, section);
            continue;
        }
        if (!inSection)
            continue;
        if (const auto k = keyOf(line); k && sameName(*k, key))
            return cleanValue(line.sliced(k->size() + 1));
    }
    return std::nullopt;
}

std::optional<QByteArray> readFile(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    return file.readAll();
}

QByteArray readString(const QString& path, QByteArrayView section, QByteArrayView key,
                      QByteArrayView defaultValue, bool* found) {
    if (const auto content = readFile(path)) {
        if (auto value = findValue(*content, section, key)) {
            if (found)
                *found = true;
            return *value;
        }
    }
    if (found)
        *found = false;
    qsizetype e = defaultValue.size();
    while (e > 0 && defaultValue[e - 1] == ' ')
        --e;
    return defaultValue.first(std::min(e, kMaxValue)).toByteArray();
}

QByteArray applyWrite(QByteArrayView content, QByteArrayView section,
                      std::optional<QByteArrayView> key, std::optional<QByteArrayView> value) {
    const std::vector<QByteArrayView> lines = splitLines(content);
    // Where the section starts (its header) and ends (one past its last non-blank line).
    qsizetype header = -1, lastOfSection = -1, keyLine = -1;
    for (qsizetype i = 0; i < qsizetype(lines.size()); ++i) {
        if (const auto name = headerName(lines[i])) {
            if (header >= 0)
                break;
            if (sameName(*name, section)) {
                header = i;
                lastOfSection = i;
            }
            continue;
        }
        if (header < 0)
            continue;
        if (!trimmed(lines[i]).isEmpty())
            lastOfSection = i;
        if (key && keyLine < 0)
            if (const auto k = keyOf(lines[i]); k && sameName(*k, *key))
                keyLine = i;
    }

    QByteArray out;
    out.reserve(content.size() + 64);
    auto put = [&out](QByteArrayView line) {
        out.append(line);
        out.append("\r\n");
    };
    QByteArray newLine;
    if (key && value)
        newLine = trimmed(*key).toByteArray() + '=' + value->toByteArray();

    for (qsizetype i = 0; i < qsizetype(lines.size()); ++i) {
        const bool inSection = header >= 0 && i >= header && i <= lastOfSection;
        if (!key && inSection)
            continue; // the whole section goes
        if (i == keyLine) {
            if (value)
                put(newLine);
            continue;
        }
        put(lines[i]);
        if (key && value && keyLine < 0 && i == lastOfSection)
            put(newLine);
    }
    if (key && value && header < 0) {
        put('[' + section.toByteArray() + ']');
        put(newLine);
    }
    return out;
}

} // namespace marvolen::profile
