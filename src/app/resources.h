// The resources the game carries, by type and id, and copying one to a file.
#pragma once

#include "app/audio/resource_access.h"
#include "core/failure.h"

#include <QByteArray>
#include <QString>

namespace marvolen::app {

/// The resource path of a type and id; types compare case-insensitively ("midi" is "MIDI").
QString resourcePath(const QString& type, int id);

/// True when the resource exists.
bool hasResource(const QString& type, int id);

/// The bytes of a resource; throws Failure 326 when there is none.
QByteArray loadResource(const QString& type, int id);

/// SaveResItemToDisk: writes the resource's bytes to path, replacing the file. A missing
/// resource, an empty path or an unwritable folder is reported and nothing is written.
void SaveResItemToDisk(Reporter& reporter, int id, const QString& type, const QString& path);

/// The game's own embedded resources, as the sounds and the music ask for them.
class AppResources final : public audio::ResourceAccess {
  public:
    QByteArray load(const QString& type, int id) override { return loadResource(type, id); }
    void SaveResItemToDisk(Reporter& reporter, int id, const QString& type,
                           const QString& path) override {
        app::SaveResItemToDisk(reporter, id, type, path);
    }
};

} // namespace marvolen::app
