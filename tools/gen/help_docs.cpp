// Copies the help documents "HELP" 0, 1, 2, 3 and 6 from resources/help/, drawing the variant
// overview into each from the board patterns themselves.
#include "generators.h"

#include "game/variants.h"

#include <QFile>
#include <QRegularExpression>
#include <QStringDecoder>

#include <cstdio>
#include <cstdlib>

namespace gen {
namespace {

struct HelpLanguage {
    int digit;
    const char* code;
};

// The language digits of the game and the file name suffix of each document.
constexpr HelpLanguage kHelpLanguages[] = {{0, "de"}, {1, "en"}, {2, "es"}, {3, "it"}, {6, "fr"}};

constexpr int kOverviewColumns = 5;

[[noreturn]] void fail(const QString& where, const QString& message) {
    std::fprintf(stderr, "help documents: %s: %s\n", qPrintable(where), qPrintable(message));
    std::exit(1);
}

// One variant as seven lines of marbles; places without a hole stay faint, so that the shape
// reads at a glance.
QString variantGrid(int number) {
    const QByteArray layout = marvolen::game::layoutOf(number);
    QString grid;
    for (int row = 0; row < 7; ++row) {
        if (row > 0)
            grid += u'\n';
        for (int column = 0; column < 7; ++column) {
            if (column > 0)
                grid += u' ';
            grid += layout[row * 7 + column] == '1'
                        ? QStringLiteral("●")
                        : QStringLiteral("<span style=\"color: #606060;\">·</span>");
        }
    }
    return grid;
}

// The twenty variants in the order of the panel's thumbnails: five columns, four rows,
// numbered from 1 as their tooltips count them.
QString variantOverview(const QString& holesWord) {
    QString html = QStringLiteral(
        "<table width=\"100%\" cellpadding=\"4\" cellspacing=\"6\" class=\"box\">\n");
    for (int v = 0; v < marvolen::game::kVariants; ++v) {
        if (v % kOverviewColumns == 0)
            html += QStringLiteral("<tr>\n");
        html += QStringLiteral("<td align=\"center\"><b>%1</b><pre>%2</pre>%3 %4</td>\n")
                    .arg(v + 1)
                    .arg(variantGrid(v))
                    .arg(marvolen::game::variant(v).startCount)
                    .arg(holesWord.toHtmlEscaped());
        if (v % kOverviewColumns == kOverviewColumns - 1)
            html += QStringLiteral("</tr>\n");
    }
    html += QStringLiteral("</table>\n");
    return html;
}

QString readDocument(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        fail(path, QStringLiteral("cannot read: ") + file.errorString());
    QStringDecoder utf8(QStringDecoder::Utf8);
    const QString text = utf8.decode(file.readAll());
    if (utf8.hasError())
        fail(path, QStringLiteral("not UTF-8"));
    return text;
}

// The document names its word for "holes" in the marker, so the generated table speaks the
// document's language.
QString withVariantOverview(const QString& document, const QString& path) {
    static const QRegularExpression marker(
        QStringLiteral("<!--variant-overview holes=\"([^\"]+)\"-->"));
    const QRegularExpressionMatch match = marker.match(document);
    if (!match.hasMatch())
        fail(path, QStringLiteral("no variant-overview marker"));
    QString result = document;
    result.replace(match.capturedStart(), match.capturedLength(),
                   variantOverview(match.captured(1)));
    return result;
}

// Every document carries the one stylesheet in its head, so the languages look alike.
QString withStylesheet(const QString& document, const QString& path) {
    static const QString marker = QStringLiteral("<!--stylesheet-->");
    if (!document.contains(marker))
        fail(path, QStringLiteral("no stylesheet marker"));
    const QString css =
        readDocument(QStringLiteral(MARVOLEN_SOURCE_DIR "/resources/help/help.css"));
    QString result = document;
    return result.replace(marker, QStringLiteral("<style>\n") + css + QStringLiteral("</style>"));
}

} // namespace

void writeHelpDocs(const QDir& out, Entries& entries) {
    for (const HelpLanguage& language : kHelpLanguages) {
        const QString fileName = QStringLiteral("help_%1.html").arg(QLatin1String(language.code));
        const QString source = QStringLiteral(MARVOLEN_SOURCE_DIR "/resources/help/") + fileName;
        const QByteArray bytes =
            withStylesheet(withVariantOverview(readDocument(source), source), source).toUtf8();
        QFile file(out.filePath(fileName));
        if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) ||
            file.write(bytes) != bytes.size() || !file.flush())
            fail(file.fileName(), QStringLiteral("cannot write: ") + file.errorString());
        entries.emplace_back(QStringLiteral("HELP/%1").arg(language.digit), fileName);
    }
}

} // namespace gen
