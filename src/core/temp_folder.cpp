// Private run folder and unique temporary files.
#include "temp_folder.h"

#include "text.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>

namespace marvolen {

TempFolder::TempFolder(Reporter& reporter, QStringList bases)
    : m_reporter(reporter), m_bases(std::move(bases)),
      m_counter(QRandomGenerator::global()->bounded(0x1000u, 0xF000u)) {
    ensureFolder();
}

TempFolder::TempFolder(Reporter& reporter, const QString& base)
    : TempFolder(reporter, QStringList{base}) {}

TempFolder::~TempFolder() = default;

bool TempFolder::ensureFolder() {
    if (m_dir && m_dir->isValid())
        return true;
    m_dir.reset();
    for (const QString& base : std::as_const(m_bases)) {
        if (base.isEmpty() || !QDir::isAbsolutePath(base) || !QFileInfo(base).isDir())
            continue;
        // QTemporaryDir creates its folder with mode 0700 already.
        auto dir =
            std::make_unique<QTemporaryDir>(QDir(base).filePath(QStringLiteral("marvolen-XXXXXX")));
        if (dir->isValid()) {
            m_dir = std::move(dir);
            return true;
        }
    }
    return false;
}

QString TempFolder::GetTempDir() {
    QString result;
    Procedure p(m_reporter, QStringLiteral("Allgemein"), QStringLiteral("GetTempDir"));
    p.step(50030, [&] {
        if (!ensureFolder())
            throw Failure(err::PathNotFound);
    });
    // After Ignore there is still no folder: the empty text, never a path of its own making.
    p.step(50040, [&] {
        if (m_dir)
            result = TrimNull(m_dir->path() + QLatin1Char('/'));
    });
    return result;
}

bool TempFolder::GetTempFile(const QString& folder, const QString& prefix, int unique,
                             QString& name) {
    bool result = false;
    Procedure p(m_reporter, QStringLiteral("ModResFiles"), QStringLiteral("GetTempFile"));
    QString dir = folder;
    p.step(50030, [&] {
        if (dir.isEmpty()) {
            if (!ensureFolder()) {
                p.leave(); // no temporary folder: false, name unchanged
                return;
            }
            dir = m_dir->path() + QLatin1Char('/');
        }
    });
    p.step(50040, [&] { name.clear(); });
    p.step(50050, [&] {
        if (!dir.endsWith(QLatin1Char('/')))
            dir += QLatin1Char('/');
        for (int attempt = 0; attempt < 0x10000; ++attempt) {
            const unsigned number = unique != 0 ? unsigned(unique) : (m_counter++ & 0xFFFFu);
            const QString candidate = dir + prefix.left(3) + QString::number(number, 16).toUpper() +
                                      QStringLiteral(".tmp");
            QFile file(candidate);
            if (file.open(QIODevice::WriteOnly | QIODevice::NewOnly)) {
                name = candidate;
                result = true;
                return;
            }
            if (unique != 0 || !QDir(dir).exists())
                return;
        }
    });
    // StripTerminator: the same cut at the first NUL as TrimNull.
    p.step(50060, [&] { name = TrimNull(name); });
    return result;
}

void TempFolder::remove() {
    if (m_dir && m_dir->isValid())
        m_dir->remove();
}

} // namespace marvolen
