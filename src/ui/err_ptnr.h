// The error window: shows a run-time failure that its error report logged, and asks how to go on.
#pragma once

#include "app/error_report.h"
#include "app/ports.h"
#include "core/data_folder.h"
#include "core/failure.h"
#include "core/protocol.h"
#include "protocol_print.h"

#include <QDateTime>
#include <QDialog>
#include <QString>

#include <array>
#include <functional>
#include <memory>

class QGroupBox;
class QLabel;
class QPushButton;

namespace marvolen::ui {

class PrintLoader;

/// Where the error window keeps its files and what it reports beyond the failure itself.
struct ErrPtnrOptions {
    /// Folder of the protocol log (".EPT") and the saved protocol (".ERR"); programDataFolder()
    /// when empty.
    QString logFolder;
    /// The program file's base name: names both files and opens the program-information line.
    QString baseName = QStringLiteral("marvolen");
    /// The date and time of the protocol's date line.
    std::function<QDateTime()> clock = [] { return QDateTime::currentDateTime(); };
    /// The system lines of the protocol.
    SystemInfo system = currentSystemInfo();
    /// The print module, loaded when the protocol is first printed; when empty, the one next to
    /// the program or in its installed folder.
    std::shared_ptr<PrintLoader> printing;
    /// Its questions and messages; message boxes over the window when empty.
    std::shared_ptr<app::PlainDialogs> dialogs;
    /// Opens the mail program and the web page; the desktop's own programs when empty.
    std::shared_ptr<app::Desktop> desktop;
    /// The printer choice; the print module's print dialog when empty.
    std::shared_ptr<PrinterChoice> printerChoice;
    /// Ends the process for the answer End; std::_Exit(0) when empty. Tests record the end.
    std::function<void()> endProcess;
};

/// The error window `ErrPtnr`. It is the program's Reporter: onError hands the failure to its
/// error report, which logs it, then shows it, waits for an answer and returns it. Save, EMail
/// and WWW are the report's work; printing, which needs Qt's painter, stays on this side.
class ErrPtnr : public QDialog, public Reporter {
    Q_OBJECT

  public:
    explicit ErrPtnr(ErrPtnrOptions options, QWidget* parent = nullptr);
    ~ErrPtnr() override;

    /// OnError: shows the failure modally and returns the answer. A failure reported while the
    /// window is already shown is only logged and answered Cancel at once.
    Answer onError(const ErrorInfo& info) override;

    /// SetProgInfo: the program-information line; OnError fills in a default while it is empty.
    void SetProgInfo(const QString& text);

    /// ChosenAction: the answer pressed last; 0 until the first answer, kept between failures.
    qint16 chosenAction() const { return m_chosenAction; }

    /// The protocol log (".EPT").
    QString logPath() const { return m_report->logPath(); }

    /// ArrangeFrames: stacks the frames from the top, sizes the window to them, centres it.
    void ArrangeFrames();

    /// The failure shown, its protocol and what the protocol buttons do with it.
    const app::ErrorReport& report() const { return *m_report; }

  protected:
    void reject() override;

  private:
    void buildWindow();
    void answer(int index);
    /// Shows the note that the log could not be written, or none when note is empty, and
    /// arranges the frames around it.
    void showLogNote(const QString& note);

    ErrPtnrOptions m_options;
    std::unique_ptr<app::Clipboard> m_clipboard;
    std::unique_ptr<app::ErrorReport> m_report;
    qint16 m_chosenAction = 0;
    bool m_showing = false;

    QGroupBox* m_framComment = nullptr;
    QLabel* m_lblComment = nullptr;
    QLabel* m_lblLogNote = nullptr;
    QGroupBox* m_framFehler = nullptr;
    std::array<QLabel*, 4> m_lblErrTitel{};
    std::array<QLabel*, 4> m_lblError{};
    QGroupBox* m_framProgInfo = nullptr;
    QLabel* m_lblProgInfo = nullptr;
    QGroupBox* m_framProtocol = nullptr;
    std::array<QPushButton*, 4> m_cmdProtocol{};
    QGroupBox* m_framContinue = nullptr;
    std::array<QPushButton*, 4> m_cmdContinue{};
};

/// The program's reporter: makes the error window on the first failure and keeps it.
class ErrPtnrReporter : public Reporter {
  public:
    explicit ErrPtnrReporter(ErrPtnrOptions options);
    ~ErrPtnrReporter() override;

    Answer onError(const ErrorInfo& info) override;
    /// The answer End: runs the cleanup, then ends the process at once, without any unload
    /// handler.
    void endProgram() override;
    /// What must not outlive the run when it ends at once, such as the private run folder.
    void setCleanup(std::function<void()> cleanup) { m_cleanup = std::move(cleanup); }
    void SetProgInfo(const QString& text);
    /// The window once a failure has made it; null before.
    ErrPtnr* window() const { return m_window.get(); }

  private:
    ErrPtnrOptions m_options;
    std::function<void()> m_cleanup;
    QString m_progInfo;
    std::unique_ptr<ErrPtnr> m_window;
};

} // namespace marvolen::ui
