// Resource generator: writes every resource and the resource list, or the contact sheet.
#include "generators.h"
#include "icons.h"

#include <QFile>
#include <QGuiApplication>
#include <QTextStream>

#include <cstdio>
#include <cstdlib>

void gen::writeFile(const QString& path, const QByteArray& bytes) {
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate) || f.write(bytes) != bytes.size()) {
        std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
        std::exit(1);
    }
}

int main(int argc, char** argv) {
    // The generator draws text and pictures without a screen.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() == 3 && args[1] == QLatin1String("--contact-sheet")) {
        QDir out(args[2]);
        gen::writePictureSheet(out);
        gen::renderAudio(out);
        std::printf("Contact sheet written to %s\n", qPrintable(out.absolutePath()));
        return 0;
    }
    if (args.size() == 3 && args[1] == QLatin1String("--icons"))
        return gen::writeIcons(QDir(args[2])) ? 0 : 1;
    if (args.size() != 2) {
        std::fprintf(stderr,
                     "usage: marvolen_gen OUTDIR | --contact-sheet OUTDIR | --icons OUTDIR\n");
        return 2;
    }
    QDir out(args[1]);
    out.mkpath(QStringLiteral("."));
    gen::Entries entries;
    gen::writePictures(out, entries);
    gen::writeSounds(out, entries);
    gen::writeTunes(out, entries);
    gen::writeLanguageTable(out, entries);
    gen::writeHelpDocs(out, entries);
    gen::writeTheme(out, entries);

    QFile qrc(out.filePath(QStringLiteral("marvolen.qrc")));
    if (!qrc.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
        std::fprintf(stderr, "cannot write %s\n", qPrintable(qrc.fileName()));
        return 1;
    }
    QTextStream s(&qrc);
    s << "<!DOCTYPE RCC><RCC version=\"1.0\">\n<qresource prefix=\"/res\">\n";
    for (const auto& [alias, file] : entries)
        s << "  <file alias=\"" << alias << "\">" << file << "</file>\n";
    s << "</qresource>\n</RCC>\n";
    return 0;
}
