// A small language table for a window test, written as the game's own table file is.
#pragma once

#include "core/cp1252.h"
#include "lang/language.h"

#include <QDir>
#include <QFile>

#include <span>
#include <stdexcept>
#include <string>

namespace marvolen::test {

/// Writes the entries ("1102 = For more information see readme.htm!", blanks and tabs at the
/// end kept) under [lang] in Windows-1252 with CR LF into folder as ~tmp.lng, where the game
/// writes its table, and lets language read it.
inline void useLanguageTable(lang::Language& language, const QDir& folder,
                             std::span<const char* const> entries) {
    const QString path = folder.filePath(QStringLiteral("~tmp.lng"));
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        throw std::runtime_error("cannot write " + path.toStdString());
    file.write("[lang]\r\n");
    for (const char* entry : entries)
        file.write(cp1252::encode(QString::fromUtf8(entry)) + "\r\n");
    file.close();
    language.setLanguageFilePath(path);
}

} // namespace marvolen::test
