// The two resource operations the sounds and the music need, behind an interface tests replace.
#pragma once

#include "core/failure.h"

#include <QByteArray>
#include <QString>

namespace marvolen::audio {

class ResourceAccess {
  public:
    virtual ~ResourceAccess() = default;
    /// The bytes of a resource; throws Failure 326 when there is none.
    virtual QByteArray load(const QString& type, int id) = 0;
    /// Writes a resource to a file, reporting its own failures (module "ModResFiles").
    virtual void SaveResItemToDisk(Reporter& reporter, int id, const QString& type,
                                   const QString& path) = 0;
};

} // namespace marvolen::audio
