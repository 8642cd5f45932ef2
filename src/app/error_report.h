// The error report behind the error window ErrPtnr: the protocol of a failure, its log, and the
// protocol saved, mailed, or taken to the maker's web page.
#pragma once

#include "app/ports.h"
#include "core/failure.h"
#include "core/protocol.h"

#include <QDateTime>
#include <QString>
#include <QStringList>

#include <array>
#include <functional>

namespace marvolen::app {

/// The title of the error report's questions and messages.
inline constexpr char kErrorReportTitle[] = "Marvolen";

/// Where the error report keeps its files and what it reports beyond the failure itself.
struct ErrorReportSetup {
    /// Folder of the protocol log (".EPT") and the saved protocol (".ERR"); programDataFolder()
    /// when empty.
    QString folder;
    /// The program file's base name: names both files.
    QString baseName = QStringLiteral("marvolen");
    /// The program-information line while SetProgInfo has set none (base name and version).
    QString defaultProgInfo;
    /// The date and time of the protocol's date line; the system's clock when empty.
    std::function<QDateTime()> clock;
    /// The system lines of the protocol.
    SystemInfo system;
    /// The maker's support address, mailed by button EMail, and home page, opened by WWW.
    QString supportMail;
    QString homepage;
};

/// What the error report asks of the platform.
struct ErrorReportPorts {
    PlainDialogs& dialogs;
    Desktop& desktop;
    Clipboard& clipboard;
};

/// The failure the error window shows, its protocol (BuildProtocol) and what the protocol
/// buttons do with it. The window shows what this holds and asks; this asks the player only
/// whether to overwrite a saved protocol.
class ErrorReport {
  public:
    ErrorReport(ErrorReportSetup setup, ErrorReportPorts ports);

    /// OnError's share: info becomes the failure reported, the program-information line takes
    /// its default while empty, and the protocol is appended to the log (AppendProtocolLog).
    /// Returns a note for the player when the log could not be written, else the empty text.
    QString reportFailure(const ErrorInfo& info);
    /// A failure reported while another is shown: its protocol only goes to the log, and the
    /// failure reported stays. Returns the note as reportFailure does.
    QString logOnly(const ErrorInfo& info);

    /// SetProgInfo: the program-information line.
    void SetProgInfo(const QString& text) { m_progInfo = text; }
    const QString& progInfo() const { return m_progInfo; }
    /// The values of the error description (lblError 0 to 3): number and description in
    /// parentheses, module, procedure, the failing statement's number.
    const std::array<QString, 4>& errorValues() const { return m_values; }

    /// BuildProtocol of the failure reported, at the clock's time.
    QString protocol() const;
    /// The protocol as printed: wrapped after 73 columns (printLines), each TAB then set to the
    /// next eighth column as a line printer sets it.
    QStringList printedLines() const;

    /// Protocol button 1: writes the protocol to the ".ERR" file, asking first whether to
    /// overwrite one that exists, and tells where it went (or why it could not).
    void saveProtocol();
    /// Protocol button 2: tells how to paste, puts the protocol on the clipboard and opens a
    /// mail to the support address.
    void mailProtocol();
    /// Protocol button 3: puts the protocol on the clipboard and opens the home page.
    void openHomepage();

    /// The protocol log (".EPT") and the saved protocol (".ERR").
    QString logPath() const;
    QString savePath() const;

  private:
    QString protocolOf(const std::array<QString, 4>& values) const;
    QString appendToLog(const QString& protocol) const;

    ErrorReportSetup m_setup;
    ErrorReportPorts m_ports;
    QString m_progInfo;
    std::array<QString, 4> m_values;
};

} // namespace marvolen::app
