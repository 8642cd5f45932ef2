// The error report behind the error window ErrPtnr: the protocol of a failure, its log, and the
// protocol saved, mailed, or taken to the maker's web page.
#include "app/error_report.h"

#include "core/atomic_file.h"
#include "core/data_folder.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QUrl>

namespace marvolen::app {
namespace {

const QString kCrLf = QStringLiteral("\r\n");

QString title() {
    return QString::fromLatin1(kErrorReportTitle);
}

const QStringList kMailLines = {
    QStringLiteral("Es wird jetzt Ihr Standard-Email-Programm aufgerufen. Die Fehlerbeschreibung "
                   "sowie das Fehlerprotokoll"),
    QStringLiteral("wurden zu Ihrer Bequemlichkeit in die Zwischenablage kopiert."),
    QString(),
    QStringLiteral("Bitte fügen Sie den Inhalt der Zwischenablage in Ihre Email ein, indem Sie in "
                   "Ihrem Email-Programm"),
    QStringLiteral("die Tasten [Strg] und [Einfg] gleichzeitig betätigen. Alternativ können Sie "
                   "den Inhalt in die EMail"),
    QStringLiteral(
        "einfügen, indem Sie den Befehl 'Einfügen' aus dem Menü 'Bearbeiten' ausführen."),
    QString(),
    QString(),
    QStringLiteral("Your email application will be started. The error description will be copied "
                   "to the clipboard."),
    QString(),
    QStringLiteral("Please insert the contents of the clipboard into the message body by using "
                   "Ctrl + V or "),
    QStringLiteral("use the menu or toolbar command of your email program. ")};

std::array<QString, 4> valuesOf(const ErrorInfo& info) {
    return {QString::number(info.number) + QStringLiteral(" (") + info.description +
                QLatin1Char(')'),
            info.module, info.procedure, QString::number(info.line)};
}

// A line as a line printer sets it: each TAB moves on to the next eighth column.
QString expandTabs(const QString& line) {
    QString out;
    for (QChar c : line) {
        if (c == QLatin1Char('\t'))
            out += QString(8 - out.size() % 8, QLatin1Char(' '));
        else
            out += c;
    }
    return out;
}

} // namespace

ErrorReport::ErrorReport(ErrorReportSetup setup, ErrorReportPorts ports)
    : m_setup(std::move(setup)), m_ports(ports) {
    // An empty folder would put the log at the file system's root.
    if (m_setup.folder.isEmpty())
        m_setup.folder = programDataFolder();
    if (!m_setup.clock)
        m_setup.clock = [] { return QDateTime::currentDateTime(); };
}

QString ErrorReport::reportFailure(const ErrorInfo& info) {
    m_values = valuesOf(info);
    if (m_progInfo.isEmpty())
        m_progInfo = m_setup.defaultProgInfo;
    return appendToLog(protocol());
}

QString ErrorReport::logOnly(const ErrorInfo& info) {
    return appendToLog(protocolOf(valuesOf(info)));
}

QString ErrorReport::protocol() const {
    return protocolOf(m_values);
}

QString ErrorReport::protocolOf(const std::array<QString, 4>& values) const {
    ProtocolInput input;
    input.progInfo = m_progInfo;
    input.errorTitles = defaultErrorTitles();
    input.errorValues = values;
    input.when = m_setup.clock();
    input.system = m_setup.system;
    return BuildProtocol(input);
}

QStringList ErrorReport::printedLines() const {
    QStringList lines = printLines(protocol());
    for (QString& line : lines)
        line = expandTabs(line);
    return lines;
}

QString ErrorReport::logPath() const {
    return protocolPath(m_setup.folder, m_setup.baseName, QStringLiteral(".EPT"));
}

QString ErrorReport::savePath() const {
    return protocolPath(m_setup.folder, m_setup.baseName, QStringLiteral(".ERR"));
}

QString ErrorReport::appendToLog(const QString& protocol) const {
    // The log is the report's own business: a log that cannot be written must not keep the
    // player from the window and its answers, so the failure is only told.
    try {
        AppendProtocolLog(logPath(), protocol);
    } catch (const Failure& failure) {
        return QCoreApplication::translate(
                   "Marvolen", "The error protocol could not be written to file '%1' (%2).")
            .arg(QDir::toNativeSeparators(logPath()), failure.description());
    }
    return {};
}

void ErrorReport::saveProtocol() {
    const QString text = protocol();
    const QString path = savePath();
    if (QFileInfo::exists(path) &&
        !m_ports.dialogs.confirm(title(), QStringLiteral("Vorhandene Datei '") + path +
                                              QStringLiteral("' überschreiben?") + kCrLf +
                                              QStringLiteral("Overwrite file '") + path +
                                              QStringLiteral("' ?")))
        return;

    try {
        replaceFileAtomically(path, (text + kCrLf).toUtf8());
    } catch (const Failure& failure) {
        m_ports.dialogs.warn(
            title(), QCoreApplication::translate(
                         "Marvolen", "The error protocol could not be written to file '%1'!")
                             .arg(path) +
                         kCrLf + failure.description());
        return;
    }
    m_ports.dialogs.tell(title(), QStringLiteral("Das Fehlerprotokoll wurde in die Datei '") +
                                      path + QStringLiteral("' geschrieben!") + kCrLf +
                                      QStringLiteral("Error protocoll was written to file '") +
                                      path + QStringLiteral("'!"));
}

void ErrorReport::mailProtocol() {
    const QString text = protocol();
    m_ports.dialogs.tell(title(), kMailLines.join(kCrLf));
    m_ports.clipboard.putText(text);
    m_ports.desktop.openUrl(QUrl(QStringLiteral("mailto:") + m_setup.supportMail));
}

void ErrorReport::openHomepage() {
    m_ports.clipboard.putText(protocol());
    m_ports.desktop.openUrl(QUrl(m_setup.homepage));
}

} // namespace marvolen::app
