// NUL cuts.
#include "text.h"

namespace marvolen {

QString TrimNull(const QString& s) {
    const qsizetype p = s.indexOf(QChar(u'\0'));
    return p < 0 ? s : s.left(p);
}

QString LPSTRToVBString(const QString& s) {
    const qsizetype p = s.indexOf(QChar(u'\0'));
    return p < 0 ? QString() : s.left(p);
}

} // namespace marvolen
