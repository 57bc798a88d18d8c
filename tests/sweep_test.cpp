#include "evaluation/sweep.h"

#include <cstdio>
#include <optional>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "evaluation/abscissas.h"
#include "evaluation/formulas.h"
#include "evaluation/tabulation.h"
#include "messages/runmessages.h"
#include "numtext/arithmeticfault.h"
#include "support/scripteddialogues.h"

namespace {

using Kind = DialogueCall::Kind;
using Replies = std::vector<std::optional<std::string>>;

const std::optional<std::string> kConfirm;  // OK on the default text

const DialogueCall kChoice = {Kind::YesNo,
                              "Вычислить S=-(2x)^2/2+(2x)^4/24+...+(-1)^n*(2x)^2n/(2n)! - Да\r\n"
                              "или 2((cos(x))^2-1) --- Нет",
                              "Выбор функции", ""};
const DialogueCall kStartPrompt = {Kind::Text, "Введите начальное значение \u0425",
                                   "Ввод начальных значений", "0.1"};
const DialogueCall kEndPrompt = {Kind::Text, "Введите конечное значение \u0425",
                                 "Ввод начальных значений", "1"};
const DialogueCall kStepPrompt = {Kind::Text, "Введите шаг", "Ввод начальных значений", ".1"};
const DialogueCall kPrecisionPrompt = {Kind::Text, "Введите точность вычисления функции",
                                       "Ввод начальных значений", ".000019753086"};

const char kClosedFormDefaultText[] =
    "(0.1;-0.02)\r\n(0.2;-0.079)\r\n(0.3;-0.175)\r\n(0.4;-0.303)\r\n(0.5;-0.46)\r\n"
    "(0.6;-0.638)\r\n(0.7;-0.83)\r\n(0.8;-1.029)\r\n(0.9;-1.227)\r\n(1.0;-1.416)\r\n";
const char kSeriesDefaultText[] =
    "(0.1;-0.019933422222)\r\n(0.2;-0.078939022222)\r\n(0.3;-0.174664383429)\r\n"
    "(0.4;-0.303293261206)\r\n(0.5;-0.459697696208)\r\n(0.6;-0.637642263991)\r\n"
    "(0.7;-0.830032974194)\r\n(0.8;-1.029199514123)\r\n(0.9;-1.227202052274)\r\n"
    "(1.0;-1.416146651702)\r\n";

// The dialogues a run opened, how it ended and what it recorded.
struct RunResult {
    std::vector<DialogueCall> calls;
    RunOutcome outcome;
    RunRecord record;
};

// One data-entry run on `state` with scripted answers, its outcome told as
// the front ends tell it.
RunResult RunWith(SweepState& state, Answer choice, Replies replies, const RunLimits& limits = {}) {
    ScriptedDialogues dialogues(choice, std::move(replies));
    RunRecord record;
    const RunOutcome outcome = RunDataEntry(state, dialogues, record, limits);
    TellOutcome(dialogues, outcome, record, limits);
    EXPECT_EQ(dialogues.unscriptedPrompts, 0);
    return {dialogues.calls, outcome, std::move(record)};
}

const RunOutcome kCompleted = {RunStatus::Completed, RunReason::None, std::nullopt};

RunOutcome Refused(RunReason reason) {
    return {RunStatus::Refused, reason, std::nullopt};
}

RunOutcome Stopped(RunReason reason) {
    return {RunStatus::Stopped, reason, std::nullopt};
}

std::string RunText(Answer choice, Replies replies) {
    SweepState state;
    RunWith(state, choice, std::move(replies));
    return state.CoordinatesText;
}

int LineCount(const std::string& text) {
    int count = 0;
    for (size_t at = text.find("\r\n"); at != std::string::npos; at = text.find("\r\n", at + 2)) {
        ++count;
    }
    return count;
}

// Runs expecting an arithmetic fault of `kind`; returns the dialogues shown.
ScriptedDialogues RunExpectingFault(SweepState& state, Answer choice, Replies replies,
                                    FaultKind kind) {
    ScriptedDialogues dialogues(choice, std::move(replies));
    RunRecord record;
    try {
        RunDataEntry(state, dialogues, record);
        ADD_FAILURE() << "no fault";
    } catch (const ArithmeticFault& fault) {
        EXPECT_EQ(fault.Kind(), kind);
    }
    return dialogues;
}

TEST(DataEntry, DefaultClosedFormRun) {
    SweepState state;
    const RunResult run = RunWith(state, Answer::No, {kConfirm, kConfirm, kConfirm});
    const std::vector<DialogueCall> expected = {kChoice, kStartPrompt, kEndPrompt, kStepPrompt};
    EXPECT_EQ(run.calls, expected);  // no precision prompt, no message
    EXPECT_EQ(run.outcome, kCompleted);
    EXPECT_EQ(state.CoordinatesText, kClosedFormDefaultText);
    EXPECT_EQ(state.StartX, 0.1);
    EXPECT_EQ(state.EndX, 1.0);
}

TEST(DataEntry, DefaultSeriesRun) {
    SweepState state;
    const RunResult run = RunWith(state, Answer::Yes, {kConfirm, kConfirm, kConfirm, kConfirm});
    const std::vector<DialogueCall> expected = {kChoice, kStartPrompt, kEndPrompt, kStepPrompt,
                                                kPrecisionPrompt};
    EXPECT_EQ(run.calls, expected);
    EXPECT_EQ(run.outcome, kCompleted);
    EXPECT_EQ(state.CoordinatesText, kSeriesDefaultText);
    EXPECT_EQ(state.Precision, 1.9753086e-05);  // the default text read back
    EXPECT_EQ(state.TermIndex, 6);              // the series at the last abscissa
}

TEST(DataEntry, ClosedFormKeepsTheEarlierPrecision) {
    SweepState state;
    state.Precision = 0.25;
    RunWith(state, Answer::No, {kConfirm, kConfirm, kConfirm});
    EXPECT_EQ(state.Precision, 0.25);
}

TEST(DataEntry, SecondRunKeepsOnlyItsOwnLines) {
    SweepState state;
    RunWith(state, Answer::Yes, {kConfirm, kConfirm, kConfirm, kConfirm});
    RunWith(state, Answer::No, {"2", "3", "1"});
    EXPECT_EQ(state.CoordinatesText, "(2.0;-1.654)\r\n(3.0;-0.04)\r\n");
}

TEST(DataEntry, CancelledPromptsReadAsZeroAndReachTheZeroStepRefusal) {
    for (Answer choice : {Answer::Yes, Answer::No}) {
        SweepState state;
        const RunResult run = RunWith(state, choice, {"", "", ""});
        ASSERT_EQ(run.calls.size(), 5u);  // the precision is never asked
        EXPECT_EQ(run.calls[3], kStepPrompt);
        EXPECT_EQ(run.outcome, Refused(RunReason::ZeroStep));
        EXPECT_EQ(run.calls[4].kind, Kind::Message);
        EXPECT_EQ(run.calls[4].title, "Недопустимые данные");
        EXPECT_EQ(run.calls[4].prompt,
                  "Шаг равен нулю: значение Х не будет меняться, и перебор не закончится.\r\n"
                  "Нажмите «Ввод данных» и введите шаг, отличный от нуля.");
        EXPECT_EQ(state.CoordinatesText, "");
    }
}

TEST(Sweep, UsesTheRunningSumOfSteps) {
    SweepState state;
    RunWith(state, Answer::No, {"0", "1", ".1"});
    EXPECT_EQ(LineCount(state.CoordinatesText), 11);
    // Bit identity is the point: ten additions of 0.1 stop at 0.9999999999999999,
    // and the first abscissa past the bound is 1.0999999999999999, not 1.1.
    EXPECT_EQ(state.CurrentX, 1.0999999999999999);
    EXPECT_NE(state.CurrentX, 0.0 + 11 * 0.1);
}

TEST(Sweep, RunningSumDecidesTheLineCount) {
    // Six additions of 0.1 reach 0.6 exactly, though 6 * 0.1 lies past it;
    // twenty pass 2, though 20 * 0.1 is exactly 2.
    EXPECT_EQ(LineCount(RunText(Answer::No, {"0", "0.6", "0.1"})), 7);
    EXPECT_EQ(LineCount(RunText(Answer::No, {"0", "2", "0.1"})), 20);
}

TEST(Sweep, DownwardIncludesBound) {
    EXPECT_EQ(RunText(Answer::No, {"1", "0", "-0.25"}),
              "(1.0;-1.416)\r\n(0.75;-0.929)\r\n(0.5;-0.46)\r\n(0.25;-0.122)\r\n(0.0;0)\r\n");
    EXPECT_EQ(RunText(Answer::No, {"-0.5", "-0.5", "-1"}), "(-0.5;-0.46)\r\n");
}

TEST(Sweep, RangeAgainstTheStepGivesNoLine) {
    const Replies rows[] = {{"2", "1", "0.5"}, {"1", "2", "-1"}, {"2", "1", "0"}};
    for (const Replies& replies : rows) {
        SweepState state;
        state.CoordinatesText = "(9.0;-1)\r\n";
        const RunResult run = RunWith(state, Answer::No, replies);
        EXPECT_EQ(state.CoordinatesText, "");
        EXPECT_EQ(run.calls.size(), 4u);  // no refusal either
    }
}

TEST(Sweep, SeriesRunThatOverflowsKeepsEarlierLinesAndAsksNothingMore) {
    SweepState state;
    const ScriptedDialogues dialogues =
        RunExpectingFault(state, Answer::Yes, {"1", "300", "99", kConfirm}, FaultKind::Overflow);
    EXPECT_EQ(state.CoordinatesText, "(1.0;-1.416146651702)\r\n");
    EXPECT_EQ(dialogues.calls.size(), 5u);
    EXPECT_EQ(dialogues.calls.back(), kPrecisionPrompt);
}

TEST(Sweep, StepAdditionThatOverflowsIsAFault) {
    SweepState state;
    RunExpectingFault(state, Answer::No, {"1e308", "1.5e308", "1e308"}, FaultKind::Overflow);
    EXPECT_EQ(LineCount(state.CoordinatesText), 1);
}

TEST(Sweep, NumberBeyondTheRangeEndsTheRunAtOnce) {
    SweepState state;
    state.CoordinatesText = "(9.0;-1)\r\n";
    const ScriptedDialogues dialogues =
        RunExpectingFault(state, Answer::No, {"1e400", "1", "1"}, FaultKind::Overflow);
    EXPECT_EQ(dialogues.calls.size(), 2u);
    EXPECT_EQ(state.CoordinatesText, "");
}

TEST(Sweep, ZeroStepIsRefused) {
    for (const Replies& replies : {Replies{"1", "1", "0"}, Replies{"0", "5", "-0"}}) {
        SweepState state;
        const RunResult run = RunWith(state, Answer::No, replies);
        EXPECT_EQ(run.outcome, Refused(RunReason::ZeroStep));
        EXPECT_EQ(run.calls.size(), 5u);
        EXPECT_EQ(state.CoordinatesText, "");
    }
}

// Every refusal comes before any line, in one message that says why and
// what to do.
TEST(Sweep, RefusalsTellWhyBeforeAnyLine) {
    const char* tooManyLines =
        "Слишком много точек: с таким шагом на этом отрезке получится больше "
        "1\u00a0000\u00a0000 строк, а допустимо не более 1\u00a0000\u00a0000.\r\n"
        "Нажмите «Ввод данных» и увеличьте шаг или сократите отрезок.";
    const char* precisionNotPositive =
        "Точность должна быть больше нуля: иначе члены ряда никогда не станут "
        "достаточно малыми.\r\nНажмите «Ввод данных» и введите положительную "
        "точность.";
    struct Case {
        Answer choice;
        Replies replies;
        RunReason reason;
        size_t messageAt;  // the refusal's place among the dialogues
        const char* message;
    };
    const Case cases[] = {
        // Refused before the precision prompt.
        {Answer::Yes, {"0", "1e9", "1e-3"}, RunReason::TooManyLines, 4, tooManyLines},
        {Answer::Yes, {"1", "1000001", "1"}, RunReason::TooManyLines, 4, tooManyLines},
        {Answer::Yes, {"-5e5", "5e5", "0.5"}, RunReason::TooManyLines, 4, tooManyLines},
        {Answer::Yes, {"-1e308", "1e308", "1e302"}, RunReason::TooManyLines, 4, tooManyLines},
        // 999,000 lines of about 320 characters: over 300 MB of text.
        {Answer::No,
         {"1e300", "1.999e300", "1e294"},
         RunReason::TooMuchText,
         4,
         "Слишком длинный текст координат: с таким шагом на этом отрезке он займёт больше "
         "64\u00a0МиБ. Допустимо не более 1\u00a0000\u00a0000 строк и не более "
         "64\u00a0МиБ текста.\r\nНажмите «Ввод данных» и увеличьте шаг или сократите "
         "отрезок."},
    };
    std::vector<Case> all(std::begin(cases), std::end(cases));
    for (const char* precision : {"0", "-1", "", "abc", "1e-400"}) {
        all.push_back({Answer::Yes,
                       {kConfirm, kConfirm, kConfirm, precision},
                       RunReason::PrecisionNotPositive,
                       5,
                       precisionNotPositive});
    }
    for (const Case& c : all) {
        SCOPED_TRACE(testing::Message()
                     << c.replies.size() << " replies, reason " << static_cast<int>(c.reason));
        SweepState state;
        const RunResult run = RunWith(state, c.choice, c.replies);
        EXPECT_EQ(run.outcome, Refused(c.reason));
        ASSERT_EQ(run.calls.size(), c.messageAt + 1);
        EXPECT_EQ(run.calls[c.messageAt].kind, Kind::Message);
        EXPECT_EQ(run.calls[c.messageAt].title, "Недопустимые данные");
        EXPECT_EQ(run.calls[c.messageAt].prompt, c.message);
        EXPECT_EQ(state.CoordinatesText, "");
    }
}

TEST(Sweep, AMillionLinesIsAccepted) {
    const std::string text = RunText(Answer::No, {"1", "1000000", "1"});
    EXPECT_EQ(LineCount(text), 1'000'000);
    EXPECT_EQ(text.substr(text.size() - 20), "(1000000.0;-0.245)\r\n");
}

TEST(Sweep, StepThatStopsMovingTheAbscissaEndsTheRun) {
    // From 2^53 on, adding 1 rounds back to the same real.
    SweepState state;
    const RunResult run = RunWith(state, Answer::No, {"9007199254740990", "9007199254741000", "1"});
    EXPECT_EQ(run.outcome, Stopped(RunReason::StepTooSmall));
    EXPECT_EQ(LineCount(state.CoordinatesText), 3);
    EXPECT_EQ(state.CoordinatesText.find("(9007199254740990.0;"), 0u);
    ASSERT_EQ(run.calls.size(), 5u);
    EXPECT_EQ(run.calls[4].title, "Вычисление остановлено");
    EXPECT_EQ(run.calls[4].prompt,
              "Шаг слишком мал: при Х = 9007199254740992.0 прибавление шага уже не меняет Х, "
              "и перебор не закончится.\r\nПолучено точек: 3; они сохранены.\r\n"
              "Нажмите «Ввод данных» и увеличьте шаг.");
}

TEST(Sweep, OrdinaryMillionLineRunsAreNotRefusedForSize) {
    // Both kinds, negative abscissas with nine decimals below 1e6. The
    // refused precision proves the range passed its checks without a sweep.
    for (Answer choice : {Answer::Yes, Answer::No}) {
        SweepState state;
        const RunResult run =
            RunWith(state, choice, {"-999999.123456789", "999999.5", "1.999999", "0"});
        EXPECT_EQ(run.outcome.reason,
                  choice == Answer::Yes ? RunReason::PrecisionNotPositive : RunReason::None);
    }
}

TEST(Sweep, LineThatWouldPassTheTextLimitStopsTheSweep) {
    // Four lines, foreseen as at most 4 * (12 + 15 + 5) = 128 bytes; far from
    // zero the series values are wider than that foresees.
    const Replies replies = {"28.123456789", "30", "0.5", "1"};
    const std::string whole = RunText(Answer::Yes, replies);
    const RunLimits limits = {kMaxCoordinateLines, 128};
    ASSERT_GT(whole.size(), limits.textBytes);

    SweepState state;
    const RunResult run = RunWith(state, Answer::Yes, replies, limits);
    EXPECT_EQ(run.outcome.status, RunStatus::Stopped);
    EXPECT_EQ(run.outcome.reason, RunReason::TextLimitReached);
    EXPECT_TRUE(run.outcome.warning.has_value());  // far from zero, and told after the stop
    // The longest run of whole lines that fits is kept.
    size_t kept = 0;
    for (size_t end = whole.find("\r\n"); end + 2 <= limits.textBytes;
         end = whole.find("\r\n", end + 2)) {
        kept = end + 2;
    }
    ASSERT_GT(kept, 0u);
    EXPECT_EQ(state.CoordinatesText, whole.substr(0, kept));
    ASSERT_EQ(run.calls.size(), 7u);
    EXPECT_EQ(run.calls[6].title, "Точность не гарантирована");
    EXPECT_EQ(run.calls[5].title, "Вычисление остановлено");
    EXPECT_EQ(run.calls[5].prompt,
              "Текст координат достиг предела в 128\u00a0байт: значения ряда оказались длиннее "
              "ожидаемого.\r\nПолучено точек: " +
                  std::to_string(LineCount(state.CoordinatesText)) +
                  "; они сохранены.\r\nНажмите «Ввод данных» и увеличьте шаг или сократите "
                  "отрезок.");
}

TEST(CoordinateLine, HeaderExample) {
    SweepState state;
    state.CoordinatesText = "(0.0;0)\r\n";
    state.CurrentX = 0.1;
    state.Sum = -0.01993342215875815;
    AppendCoordinateLine(state, FormulaChoice::ClosedForm);
    AppendCoordinateLine(state, FormulaChoice::Series);
    EXPECT_EQ(state.CoordinatesText, "(0.0;0)\r\n(0.1;-0.02)\r\n(0.1;-0.019933422159)\r\n");
}

TEST(PrecisionWarning, DefaultRunsHaveNone) {
    for (Answer choice : {Answer::Yes, Answer::No}) {
        SweepState state;
        const RunResult run = RunWith(state, choice, {kConfirm, kConfirm, kConfirm, kConfirm});
        EXPECT_FALSE(run.outcome.warning.has_value());
        EXPECT_NE(run.calls.back().kind, Kind::Message);
    }
}

TEST(PrecisionWarning, TellsWhereRoundingDefeatsThePrecision) {
    SweepState state;
    const RunResult run = RunWith(state, Answer::Yes, {"10", "16", "1", kConfirm});
    EXPECT_EQ(LineCount(state.CoordinatesText), 7);  // the lines stay as computed
    EXPECT_EQ(run.outcome.status, RunStatus::Completed);
    ASSERT_TRUE(run.outcome.warning.has_value());
    const PrecisionWarning& warning = *run.outcome.warning;
    // 10 and 11 are proved within 1.9753e-05; from 12 on the rounding bound passes it.
    EXPECT_EQ(warning.count, 5);
    EXPECT_EQ(warning.stillGrowing, 0);
    EXPECT_EQ(warning.firstX, 12.0);
    EXPECT_EQ(warning.lastX, 16.0);
    const SeriesResult at16 = SeriesValue(16, state.Precision);
    EXPECT_EQ(warning.largestBound,
              at16.RoundingBound + *TruncationBound(16, at16.TermIndex, at16.Term));
    ASSERT_EQ(run.calls.size(), 6u);
    EXPECT_EQ(run.calls[5].title, "Точность не гарантирована");
    char largest[16];
    std::snprintf(largest, sizeof largest, "%.1e", warning.largestBound);
    EXPECT_EQ(run.calls[5].prompt,
              "Точность 1.9753086e-05 не гарантирована в 5 точках из 7, при Х от 12.0 до "
              "16.0.\r\nОшибка округления ряда вместе с отброшенными членами может её "
              "превышать; наибольшая оценка — " +
                  std::string(largest) +
                  ". При больших |Х| члены ряда очень велики и при сложении почти уничтожают "
                  "друг друга, поэтому от их ошибок округления сумма не избавляется.\r\n"
                  "Значения оставлены как вычислены. Надёжные значения даёт формула "
                  "2((cos(x))^2-1): нажмите «Ввод данных» и ответьте «Нет».");
}

TEST(PrecisionWarning, RecordKeepsTheCountTheWarningTells) {
    SweepState state;
    RunRecord record;
    ScriptedDialogues dialogues(Answer::Yes, {"0", "16", "0.05", "1e-9"});
    const RunOutcome outcome = RunDataEntry(state, dialogues, record);
    ASSERT_TRUE(outcome.warning.has_value());
    size_t recounted = 0;
    for (size_t i = 0; i < record.LineCount(); ++i) {
        recounted +=
            IsGuaranteed(record.X()[i], record.Series()[i], record.recipe.precision) ? 0 : 1;
    }
    EXPECT_EQ(record.NotGuaranteedCount(), recounted);
    EXPECT_EQ(static_cast<std::int64_t>(recounted), outcome.warning->count);
    // A new run starts the count again.
    ScriptedDialogues again(Answer::Yes, {"0", "1", "0.1", kConfirm});
    RunDataEntry(state, again, record);
    EXPECT_EQ(record.NotGuaranteedCount(), 0u);
}

TEST(PrecisionWarning, TellsWhereTheTermsStillGrewAtTheStop) {
    // |T_1| = 2x^2 is within 1000 at 5 and 6, where the terms still grow.
    SweepState state;
    const RunResult run = RunWith(state, Answer::Yes, {"5", "6", "1", "1000"});
    ASSERT_TRUE(run.outcome.warning.has_value());
    EXPECT_EQ(run.outcome.warning->count, 2);
    EXPECT_EQ(run.outcome.warning->stillGrowing, 2);
    EXPECT_EQ(run.calls.back().prompt,
              "Точность 1000 не гарантирована в 2 точках из 2, при Х от 5.0 до 6.0.\r\n"
              "Ряд остановлен, пока его члены ещё росли: точность больше этих членов, и "
              "отброшенная часть ряда ничем не ограничена.\r\nЗначения оставлены как "
              "вычислены. Нажмите «Ввод данных» и задайте меньшую точность.");
}

TEST(PrecisionWarning, CountsEachCauseWhereBothAreFound) {
    // At 2 the series stops on its growing first term; at 20 rounding defeats 10.
    SweepState state;
    const RunResult run = RunWith(state, Answer::Yes, {"2", "20", "18", "10"});
    ASSERT_TRUE(run.outcome.warning.has_value());
    EXPECT_EQ(run.outcome.warning->count, 2);
    EXPECT_EQ(run.outcome.warning->stillGrowing, 1);
    const std::string& prompt = run.calls.back().prompt;
    EXPECT_NE(prompt.find("\r\nВ 1 из них ошибка округления ряда"), std::string::npos) << prompt;
    EXPECT_NE(prompt.find("\r\nВ 1 из них ряд остановлен"), std::string::npos) << prompt;
    EXPECT_TRUE(
        prompt.ends_with("задайте меньшую точность или ответьте «Нет»: надёжные "
                         "значения даёт формула 2((cos(x))^2-1)."))
        << prompt;
}

TEST(PrecisionWarning, NamesASinglePoint) {
    SweepState state;
    const RunResult run = RunWith(state, Answer::Yes, {"13", "13", "1", kConfirm});
    ASSERT_TRUE(run.outcome.warning.has_value());
    EXPECT_EQ(run.outcome.warning->count, 1);
    EXPECT_NE(run.calls.back().prompt.find(" в 1 точке из 1, при Х = 13.0."), std::string::npos)
        << run.calls.back().prompt;
}

TEST(PrecisionWarning, FaultIsShownInsteadOfTheWarning) {
    // From 14 on the bound passes the precision; near 33 a power overflows.
    SweepState state;
    const ScriptedDialogues dialogues =
        RunExpectingFault(state, Answer::Yes, {"14", "300", "1", kConfirm}, FaultKind::Overflow);
    EXPECT_EQ(dialogues.calls.back(), kPrecisionPrompt);
    EXPECT_GT(LineCount(state.CoordinatesText), 10);
}

TEST(SweepAbscissas, HeaderExamples) {
    const auto visited = [](double start, double bound, double step) {
        std::vector<double> xs;
        for (SweepAbscissas walk(start, bound, step); walk.InRange() && xs.size() < 100;) {
            xs.push_back(walk.Current());
            if (walk.Advance() != SweepAbscissas::Step::Moved) {
                break;
            }
        }
        return xs;
    };
    const std::vector<double> tenths = visited(0.1, 1, 0.1);
    ASSERT_EQ(tenths.size(), 10u);
    // Bit identity is the point: the running sum, not 0.1 + k * 0.1.
    EXPECT_EQ(tenths[2], 0.30000000000000004);
    EXPECT_EQ(tenths[9], 0.9999999999999999);
    EXPECT_EQ(visited(1, 0, -0.5), (std::vector<double>{1, 0.5, 0}));
    EXPECT_TRUE(visited(2, 1, 0.5).empty());
}

TEST(SweepAbscissas, StuckAndOverflowedStepsLeaveXWhereItWas) {
    SweepAbscissas stuck(9007199254740992.0, 1e17, 1);
    EXPECT_EQ(stuck.Advance(), SweepAbscissas::Step::Stuck);
    EXPECT_EQ(stuck.Current(), 9007199254740992.0);
    SweepAbscissas overflowing(1.5e308, 1.7e308, 1e308);
    EXPECT_EQ(overflowing.Advance(), SweepAbscissas::Step::Overflowed);
    EXPECT_EQ(overflowing.Current(), 1.5e308);
}

TEST(SweepForesight, HeaderExamples) {
    const SweepExtent quarters = SweepForesight(0, 1, 0.25, 100);
    EXPECT_EQ(quarters.lines, 5);
    EXPECT_EQ(quarters.widestX, 1.0);
    const SweepExtent capped = SweepForesight(0, 1e9, 1, 100);
    EXPECT_EQ(capped.lines, 101);
    EXPECT_EQ(capped.widestX, 100.0);
}

TEST(RunRecord, HoldsEveryLineAsTheTextPrintsIt) {
    for (Answer choice : {Answer::Yes, Answer::No}) {
        SweepState state;
        const RunResult run = RunWith(state, choice, {"-3", "2", "0.37", "1e-9"});
        const RunRecord& record = run.record;
        EXPECT_EQ(record.recipe.start, -3.0);
        EXPECT_EQ(record.recipe.bound, 2.0);
        EXPECT_EQ(record.recipe.step, 0.37);
        EXPECT_EQ(record.recipe.precision, choice == Answer::Yes ? 1e-9 : 0.0);
        std::string text;
        for (size_t i = 0; i < record.LineCount(); ++i) {
            text.append("(");
            AppendAbscissaText(text, record.X()[i]);
            text.append(";");
            AppendValueText(text, record.Y()[i], record.recipe.choice);
            text.append(")\r\n");
        }
        EXPECT_EQ(text, state.CoordinatesText);
        EXPECT_EQ(record.Series().size(), choice == Answer::Yes ? record.LineCount() : 0u);
    }
}

TEST(RunRecord, SeriesLinesKeepWhatTheSeriesWentThrough) {
    SweepState state;
    const RunResult run = RunWith(state, Answer::Yes, {"0.5", "2.5", "1", "1e-6"});
    ASSERT_EQ(run.record.LineCount(), 3u);
    for (size_t i = 0; i < 3; ++i) {
        const double x = run.record.X()[i];
        const SeriesResult value = SeriesValue(x, 1e-6);
        const SeriesDetail& detail = run.record.Series()[i];
        SCOPED_TRACE(x);
        // Bit identity is the point: the record holds the sweep's own results.
        EXPECT_EQ(run.record.Y()[i], value.Sum);
        EXPECT_EQ(detail.TermIndex, value.TermIndex);
        EXPECT_EQ(detail.Term, value.Term);
        EXPECT_EQ(detail.RoundingBound, value.RoundingBound);
        EXPECT_EQ(detail.MagnitudeSum, value.MagnitudeSum);
    }
}

TEST(RunRecord, RefusedRunKeepsNoLineOfAnEarlierRun) {
    SweepState state;
    RunRecord record;
    ScriptedDialogues first(Answer::No, {kConfirm, kConfirm, kConfirm});
    RunDataEntry(state, first, record);
    ASSERT_EQ(record.LineCount(), 10u);
    ScriptedDialogues refused(Answer::No, {"1", "2", "0"});
    EXPECT_EQ(RunDataEntry(state, refused, record).status, RunStatus::Refused);
    EXPECT_EQ(record.LineCount(), 0u);
    EXPECT_EQ(state.CoordinatesText, "");
}

TEST(RunRecord, FaultKeepsTheLinesMadeBefore) {
    SweepState state;
    RunRecord record;
    ScriptedDialogues dialogues(Answer::Yes, {"1", "300", "99", kConfirm});
    EXPECT_THROW(RunDataEntry(state, dialogues, record), ArithmeticFault);
    ASSERT_EQ(record.LineCount(), 1u);
    EXPECT_EQ(record.X()[0], 1.0);
}

// The run keeps how its last data entry ended, and nothing from an earlier
// one once a fault ends a run.
TEST(EnterRun, KeepsHowTheLastRunEnded) {
    Tabulation run;
    EXPECT_FALSE(run.outcome.has_value());
    ScriptedDialogues refused(Answer::No, {"1", "2", "0"});
    EXPECT_EQ(EnterRun(run, refused).reason, RunReason::ZeroStep);
    ASSERT_TRUE(run.outcome.has_value());
    EXPECT_EQ(run.outcome->status, RunStatus::Refused);

    ScriptedDialogues completed(Answer::No, {kConfirm, kConfirm, kConfirm});
    EXPECT_EQ(EnterRun(run, completed).status, RunStatus::Completed);
    EXPECT_EQ(run.Text(), kClosedFormDefaultText);
    EXPECT_EQ(run.record.LineCount(), 10u);

    ScriptedDialogues faulting(Answer::Yes, {"1", "300", "99", kConfirm});
    EXPECT_THROW(EnterRun(run, faulting), ArithmeticFault);
    EXPECT_FALSE(run.outcome.has_value());
    EXPECT_EQ(run.record.LineCount(), 1u);
    EXPECT_EQ(run.Text().find("(1"), 0u);
}

}  // namespace

namespace {

// How often a run of `lines` lines tells that it is slow, when slow means `after`.
int SlowTellings(int lines, std::chrono::steady_clock::duration after) {
    SweepState state;
    ScriptedDialogues dialogues(Answer::No, {"1", std::to_string(lines), "1"});
    RunRecord record;
    int told = 0;
    RunDataEntry(state, dialogues, record, {}, {after, [&told] { ++told; }});
    EXPECT_EQ(record.LineCount(), static_cast<size_t>(lines));
    return told;
}

TEST(DataEntry, SlowSweepIsToldOnceAndAQuickOneNever) {
    using std::chrono::hours;
    using std::chrono::nanoseconds;
    constexpr int kLook = static_cast<int>(SlowSweepNotice::kLinesPerLook);
    EXPECT_EQ(SlowTellings(10 * kLook, nanoseconds(0)), 1) << "once, however long";
    EXPECT_EQ(SlowTellings(kLook, nanoseconds(0)), 1) << "looked at by the last line";
    EXPECT_EQ(SlowTellings(kLook - 1, nanoseconds(0)), 0) << "too few lines to look";
    EXPECT_EQ(SlowTellings(10 * kLook, hours(1)), 0);
    // Telling nobody is allowed.
    SweepState state;
    ScriptedDialogues dialogues(Answer::No, {"1", "5000", "1"});
    RunRecord record;
    EXPECT_EQ(RunDataEntry(state, dialogues, record, {}, {nanoseconds(0), {}}).status,
              RunStatus::Completed);
}

}  // namespace
