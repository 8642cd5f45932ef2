// Run-time failures with the classic error numbers, and the numbered-statement runner that
// reports them and follows the player's answer (retry, ignore, cancel, end).
#pragma once

#include <QString>

#include <exception>
#include <functional>
#include <utility>

namespace marvolen {

/// A run-time failure: the error number and its description, as the player sees them.
class Failure : public std::exception {
  public:
    /// Failure `number` with its standard description; `detail` fills the '…' of 326 and 340.
    explicit Failure(int number, const QString& detail = {});
    Failure(int number, QString description, bool /*custom*/)
        : m_number(number), m_description(std::move(description)) {}

    int number() const { return m_number; }
    const QString& description() const { return m_description; }
    const char* what() const noexcept override { return "Marvolen run-time failure"; }

  private:
    int m_number;
    QString m_description;
};

/// The standard description of an error number ("Type mismatch" for 13).
QString errorDescription(int number, const QString& detail = {});

/// Error numbers used across the game.
namespace err {
constexpr int InvalidCall = 5;
constexpr int Overflow = 6;
constexpr int OutOfMemory = 7;
constexpr int SubscriptOutOfRange = 9;
constexpr int TypeMismatch = 13;
constexpr int BadFileName = 52;
constexpr int FileNotFound = 53;
constexpr int DeviceIO = 57;
constexpr int DiskFull = 61;
constexpr int PermissionDenied = 70;
constexpr int PathFileAccess = 75;
constexpr int PathNotFound = 76;
constexpr int ResourceNotFound = 326;
constexpr int NoSuchElement = 340;
constexpr int InvalidPicture = 481;
} // namespace err

/// The answer to a reported failure; the numbers are those the error window returns.
enum class Answer { Retry = 0, Ignore = 1, Cancel = 2, End = 3 };

/// Everything the error window shows about one failure.
struct ErrorInfo {
    int number = 0;
    QString description;
    QString module;
    QString procedure;
    int line = 0;
};

/// Receives failures and says how the failing procedure goes on. The error window implements
/// it; tests script it.
class Reporter {
  public:
    virtual ~Reporter() = default;
    virtual Answer onError(const ErrorInfo& info) = 0;
    /// Ends the program at once, without any unload handler. Returns only in tests, where the
    /// procedure then stops as after Cancel.
    virtual void endProgram();
};

/// A reporter that answers every failure with the same answer (default: Cancel) and counts them.
class FixedReporter : public Reporter {
  public:
    explicit FixedReporter(Answer answer = Answer::Cancel) : m_answer(answer) {}
    Answer onError(const ErrorInfo& info) override {
        m_last = info;
        ++m_count;
        return m_answer;
    }
    void endProgram() override { ++m_ends; }
    int count() const { return m_count; }
    int ends() const { return m_ends; }
    const ErrorInfo& last() const { return m_last; }

  private:
    Answer m_answer;
    ErrorInfo m_last;
    int m_count = 0;
    int m_ends = 0;
};

/// One running procedure: its statements are numbered 50000, 50010, … and each runs through
/// step(). A failing statement is reported with module, procedure and number; Retry runs it
/// again, Ignore goes on with the next, Cancel and End leave the procedure: every later step()
/// is then skipped and returns false, so a function returns what it had set so far.
class Procedure {
  public:
    Procedure(Reporter& reporter, QString module, QString procedure)
        : m_reporter(&reporter), m_module(std::move(module)), m_procedure(std::move(procedure)) {}

    /// Runs one statement. Returns false once the procedure has been left.
    bool step(int line, const std::function<void()>& statement);

    /// Runs one statement with failures ignored and unreported.
    bool quiet(const std::function<void()>& statement);

    /// True while the procedure has not been left.
    bool running() const { return !m_left; }
    /// Leaves the procedure without a failure (a plain Exit).
    void leave() { m_left = true; }

    Reporter& reporter() const { return *m_reporter; }

  private:
    Reporter* m_reporter;
    QString m_module;
    QString m_procedure;
    bool m_left = false;
};

/// Runs a statement and converts any standard exception into a Failure.
void runAsFailure(const std::function<void()>& statement);

} // namespace marvolen
