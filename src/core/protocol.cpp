// Error protocol text and print wrapping.
#include "protocol.h"

#include "failure.h"
#include "numbers.h"
#include "text.h"

#include <QFile>
#include <QSysInfo>

namespace marvolen {

QString platformName(int platformId) {
    switch (platformId) {
    case 0:
        return QStringLiteral("Win32s");
    case 1:
        return QStringLiteral("Windows 9x");
    case 2:
        return QStringLiteral("Windows NT");
    default:
        return {};
    }
}

SystemInfo currentSystemInfo() {
    SystemInfo info;
    info.platform = QSysInfo::kernelType();
    const QStringList parts = QSysInfo::kernelVersion().split(QLatin1Char('.'));
    auto part = [&parts](int i) {
        return i < parts.size() ? int(numbers::leadingNumber(parts[i])) : 0;
    };
    info.major = part(0);
    info.minor = part(1);
    info.build = part(2) & 0xFFFF;
    info.servicePack = LPSTRToVBString(QSysInfo::prettyProductName() + QChar(u'\0'));
    return info;
}

std::array<QString, 4> defaultErrorTitles() {
    return {QStringLiteral("Fehler-Nr / error :"), QStringLiteral("Modul:"),
            QStringLiteral("Prozedur / procedure:"), QStringLiteral("Zeile / Line:")};
}

QString defaultProgInfo(const QString& baseName, int major, int minor, int revision) {
    return QStringLiteral("%1  V%2.%3.%4").arg(baseName).arg(major).arg(minor).arg(revision);
}

QString BuildProtocol(const ProtocolInput& in) {
    const QString crlf = QStringLiteral("\r\n");
    const QString s = QString(70, QLatin1Char('-'));
    const QString indent = QString(10, QLatin1Char(' '));
    const QString tab = QStringLiteral("\t");
    QString t;
    t += s + crlf;
    t += QStringLiteral("F E H L E R P R O T O K O L L  /  E R R O R   P R O T O C O L L") + crlf;
    t += s + crlf;
    t += QStringLiteral("PROGRAMM-INFO:") + crlf;
    t += indent + in.progInfo + crlf;
    t += s + crlf;
    t += QStringLiteral("FEHLERBESCHREIBUNG / ERROR DESCRIPTION:") + crlf;
    for (int i = 0; i < 4; ++i)
        t += indent + in.errorTitles[i] + tab + in.errorValues[i] + crlf;
    t += indent + QStringLiteral("Datum/Uhrzeit (Date/Time):") + tab +
         in.when.toString(QStringLiteral("MM-dd-yyyy")) + QStringLiteral(" / ") +
         in.when.toString(QStringLiteral("HH:mm:ss")) + crlf;
    t += s + crlf;
    t += QStringLiteral("SYSTEMINFO:") + crlf;
    t += indent + QStringLiteral("Plattform/Environment:") + tab + in.system.platform + crlf;
    t += indent + QStringLiteral("Version:") + tab + QString::number(in.system.major) +
         QLatin1Char('.') + QString::number(in.system.minor) + crlf;
    t += indent + QStringLiteral("Build:") + tab + QString::number(in.system.build & 0xFFFF) +
         QStringLiteral("   ") + LPSTRToVBString(in.system.servicePack + QChar(u'\0')) + crlf;
    t += s + crlf;
    return t;
}

QString protocolPath(const QString& folder, const QString& baseName, const QString& extension) {
    QString path = folder;
    if (!path.endsWith(QLatin1Char('/')))
        path += QLatin1Char('/');
    return path + baseName + extension;
}

void AppendProtocolLog(const QString& path, const QString& protocol) {
    QFile file(path);
    if (!file.open(QIODevice::Append | QIODevice::WriteOnly))
        throw Failure(file.error() == QFileDevice::PermissionsError ? err::PermissionDenied
                                                                    : err::PathFileAccess);
    const QByteArray bytes = (protocol + QStringLiteral("\r\n")).toUtf8();
    if (file.write(bytes) != bytes.size() || !file.flush())
        throw Failure(err::DeviceIO);
}

QStringList printLines(const QString& protocol) {
    QStringList out;
    const QStringList lines = (protocol + QStringLiteral("\r\n")).split(QStringLiteral("\r\n"));
    // The split leaves one empty piece after the final line end; it is no line.
    for (qsizetype li = 0; li + 1 < lines.size(); ++li) {
        const QString line = lines[li] + QLatin1Char(' ');
        QString output;
        qsizetype column = 0;
        qsizetype start = 0;
        while (start < line.size()) {
            const qsizetype blank = line.indexOf(QLatin1Char(' '), start);
            const qsizetype end = blank < 0 ? line.size() : blank + 1;
            const QString word = line.mid(start, end - start);
            start = end;
            column += word.size();
            if (column > 73) {
                if (!output.isEmpty()) {
                    out << output;
                    output = QString(20, QLatin1Char(' '));
                }
                column = word.size();
            }
            output += word;
        }
        if (!output.isEmpty())
            out << output;
    }
    return out;
}

} // namespace marvolen
