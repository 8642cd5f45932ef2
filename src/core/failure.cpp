// Error descriptions and the numbered-statement runner.
#include "failure.h"

#include <cstdlib>
#include <new>

namespace marvolen {

QString errorDescription(int number, const QString& detail) {
    switch (number) {
    case 5:
        return QStringLiteral("Invalid procedure call or argument");
    case 6:
        return QStringLiteral("Overflow");
    case 7:
        return QStringLiteral("Out of memory");
    case 9:
        return QStringLiteral("Subscript out of range");
    case 13:
        return QStringLiteral("Type mismatch");
    case 52:
        return QStringLiteral("Bad file name or number");
    case 53:
        return QStringLiteral("File not found");
    case 57:
        return QStringLiteral("Device I/O error");
    case 61:
        return QStringLiteral("Disk full");
    case 70:
        return QStringLiteral("Permission denied");
    case 75:
        return QStringLiteral("Path/File access error");
    case 76:
        return QStringLiteral("Path not found");
    case 326:
        return QStringLiteral("Resource with identifier '%1' not found").arg(detail);
    case 340:
        return QStringLiteral("Control array element '%1' doesn't exist").arg(detail);
    case 481:
        return QStringLiteral("Invalid picture");
    default:
        return QStringLiteral("Application-defined or object-defined error");
    }
}

Failure::Failure(int number, const QString& detail)
    : m_number(number), m_description(errorDescription(number, detail)) {}

void Reporter::endProgram() {
    std::_Exit(0);
}

void runAsFailure(const std::function<void()>& statement) {
    try {
        statement();
    } catch (const Failure&) {
        throw;
    } catch (const std::bad_alloc&) {
        throw Failure(err::OutOfMemory);
    } catch (const std::exception&) {
        throw Failure(51, QStringLiteral("Internal error"), true);
    }
}

bool Procedure::step(int line, const std::function<void()>& statement) {
    while (!m_left) {
        try {
            runAsFailure(statement);
            return true;
        } catch (const Failure& failure) {
            const ErrorInfo info{failure.number(), failure.description(), m_module, m_procedure,
                                 line};
            switch (m_reporter->onError(info)) {
            case Answer::Retry:
                continue;
            case Answer::Ignore:
                return true;
            case Answer::Cancel:
                m_left = true;
                break;
            case Answer::End:
                m_left = true;
                m_reporter->endProgram();
                break;
            }
        }
    }
    return false;
}

bool Procedure::quiet(const std::function<void()>& statement) {
    if (m_left)
        return false;
    try {
        runAsFailure(statement);
    } catch (const Failure&) {
    }
    return true;
}

} // namespace marvolen
