// Day-count date-times.
#include "date_time.h"

#include <QTimeZone>

namespace marvolen {

double toDays(const QDateTime& when) {
    static const QDate epoch(1899, 12, 30);
    const QDate date = when.date();
    const QTime time = when.time();
    const int seconds = time.hour() * 3600 + time.minute() * 60 + time.second();
    return double(epoch.daysTo(date)) + seconds / 86400.0;
}

} // namespace marvolen
