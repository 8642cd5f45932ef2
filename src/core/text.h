// Small text helpers of the classic runtime: cutting at a NUL.
#pragma once

#include <QString>

namespace marvolen {

/// s up to (not including) its first NUL; s unchanged when it holds none.
QString TrimNull(const QString& s);

/// s up to its first NUL; the empty text when s holds no NUL (a buffer that was never
/// terminated is treated as empty).
QString LPSTRToVBString(const QString& s);

} // namespace marvolen
