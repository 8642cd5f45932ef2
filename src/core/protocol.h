// The error protocol: its text, the log it is appended to, and its print layout.
#pragma once

#include <QDateTime>
#include <QString>
#include <QStringList>

#include <array>

namespace marvolen {

/// What the protocol reports of the system.
struct SystemInfo {
    QString platform; ///< "Win32s", "Windows 9x", "Windows NT", a kernel name, or empty
    int major = 0;
    int minor = 0;
    int build = 0;
    QString servicePack;
};

/// The classic platform names by platform id; empty for any other id.
QString platformName(int platformId);

/// This machine's system info: the kernel as platform, its version as version and build, the
/// distribution as the service-pack text.
SystemInfo currentSystemInfo();

/// The labels and values of one failure, as the error window shows them.
struct ProtocolInput {
    QString progInfo;
    std::array<QString, 4> errorTitles;
    std::array<QString, 4> errorValues;
    QDateTime when;
    SystemInfo system;
};

/// The four caption labels of the error description, in order.
std::array<QString, 4> defaultErrorTitles();

/// The program-information line: base name, two blanks, "V" and the plain version numbers.
QString defaultProgInfo(const QString& baseName, int major, int minor, int revision);

/// BuildProtocol: the protocol text, every line ending in CR LF.
QString BuildProtocol(const ProtocolInput& input);

/// The log path: folder, a separator when it has none, base name, ".EPT" (or the extension).
QString protocolPath(const QString& folder, const QString& baseName, const QString& extension);

/// AppendProtocolLog: appends the protocol and one more CR LF to the log at path; throws
/// Failure when the log cannot be written.
void AppendProtocolLog(const QString& path, const QString& protocol);

/// The printed lines of a protocol: each protocol line cut into words after its blanks and
/// filled into lines of at most 73 columns, continuation lines starting with 20 blanks.
QStringList printLines(const QString& protocol);

} // namespace marvolen
