// The numbered-statement runner: each answer of the reporter and how the procedure goes on.
#include "core/failure.h"

#include <gtest/gtest.h>

#include <deque>

using namespace marvolen;

namespace {

/// Answers failures from a script and records what it was shown.
class ScriptedReporter : public Reporter {
  public:
    explicit ScriptedReporter(std::deque<Answer> answers) : m_answers(std::move(answers)) {}
    Answer onError(const ErrorInfo& info) override {
        seen.push_back(info);
        Answer a = m_answers.empty() ? Answer::Cancel : m_answers.front();
        if (!m_answers.empty())
            m_answers.pop_front();
        return a;
    }
    void endProgram() override { ++ends; }
    std::vector<ErrorInfo> seen;
    int ends = 0;

  private:
    std::deque<Answer> m_answers;
};

/// A function in the usual shape: result set by its statements, statement 50040 fails once or
/// always, depending on failures.
int threeSteps(Reporter& reporter, int failures, std::vector<int>& ran) {
    int result = 0;
    Procedure p(reporter, QStringLiteral("Allgemein"), QStringLiteral("Demo"));
    p.step(50030, [&] {
        ran.push_back(50030);
        result = 1;
    });
    p.step(50040, [&] {
        ran.push_back(50040);
        if (failures-- > 0)
            throw Failure(err::FileNotFound);
        result = 2;
    });
    p.step(50050, [&] {
        ran.push_back(50050);
        result += 10;
    });
    return result;
}

} // namespace

TEST(FailureAnswers, RetryRunsTheFailingStatementAgain) {
    ScriptedReporter reporter({Answer::Retry});
    std::vector<int> ran;
    EXPECT_EQ(threeSteps(reporter, 1, ran), 12);
    EXPECT_EQ(ran, (std::vector<int>{50030, 50040, 50040, 50050}));
    ASSERT_EQ(reporter.seen.size(), 1u);
    EXPECT_EQ(reporter.seen[0].number, 53);
    EXPECT_EQ(reporter.seen[0].description, QStringLiteral("File not found"));
    EXPECT_EQ(reporter.seen[0].module, QStringLiteral("Allgemein"));
    EXPECT_EQ(reporter.seen[0].procedure, QStringLiteral("Demo"));
    EXPECT_EQ(reporter.seen[0].line, 50040);
}

TEST(FailureAnswers, IgnoreGoesOnWithTheNextStatement) {
    ScriptedReporter reporter({Answer::Ignore});
    std::vector<int> ran;
    EXPECT_EQ(threeSteps(reporter, 1, ran), 11); // the failing assignment left result as it was
    EXPECT_EQ(ran, (std::vector<int>{50030, 50040, 50050}));
}

TEST(FailureAnswers, CancelLeavesAndReturnsWhatWasSetSoFar) {
    ScriptedReporter reporter({Answer::Cancel});
    std::vector<int> ran;
    EXPECT_EQ(threeSteps(reporter, 5, ran), 1);
    EXPECT_EQ(ran, (std::vector<int>{50030, 50040}));
    EXPECT_EQ(reporter.ends, 0);
}

TEST(FailureAnswers, EndEndsTheProgramAndRunsNothingMore) {
    ScriptedReporter reporter({Answer::End});
    std::vector<int> ran;
    threeSteps(reporter, 5, ran);
    EXPECT_EQ(reporter.ends, 1);
    EXPECT_EQ(ran, (std::vector<int>{50030, 50040}));
}

TEST(FailureAnswers, RetryReportsTheSameStatementAgainWhileItFails) {
    ScriptedReporter reporter({Answer::Retry, Answer::Retry, Answer::Cancel});
    std::vector<int> ran;
    threeSteps(reporter, 10, ran);
    ASSERT_EQ(reporter.seen.size(), 3u);
    for (const auto& info : reporter.seen)
        EXPECT_EQ(info.line, 50040);
}

TEST(FailureAnswers, StandardExceptionsBecomeFailures) {
    ScriptedReporter reporter({Answer::Ignore, Answer::Ignore});
    Procedure p(reporter, QStringLiteral("M"), QStringLiteral("P"));
    p.step(50030, [] { throw std::bad_alloc(); });
    p.step(50040, [] { throw std::out_of_range("x"); });
    ASSERT_EQ(reporter.seen.size(), 2u);
    EXPECT_EQ(reporter.seen[0].number, 7);
    EXPECT_EQ(reporter.seen[1].number, 51);
}

TEST(FailureAnswers, QuietStatementsAreNeverReported) {
    ScriptedReporter reporter({});
    Procedure p(reporter, QStringLiteral("M"), QStringLiteral("P"));
    int after = 0;
    p.quiet([] { throw Failure(err::NoSuchElement, QStringLiteral("0")); });
    p.step(50040, [&] { after = 1; });
    EXPECT_TRUE(reporter.seen.empty());
    EXPECT_EQ(after, 1);
}

TEST(FailureDescriptions, UseTheClassicTexts) {
    EXPECT_EQ(Failure(13).description(), QStringLiteral("Type mismatch"));
    EXPECT_EQ(Failure(6).description(), QStringLiteral("Overflow"));
    EXPECT_EQ(Failure(9).description(), QStringLiteral("Subscript out of range"));
    EXPECT_EQ(Failure(326, QStringLiteral("125")).description(),
              QStringLiteral("Resource with identifier '125' not found"));
    EXPECT_EQ(Failure(340, QStringLiteral("7")).description(),
              QStringLiteral("Control array element '7' doesn't exist"));
    EXPECT_EQ(Failure(76).description(), QStringLiteral("Path not found"));
}
