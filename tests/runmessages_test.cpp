#include "messages/runmessages.h"

#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "numtext/arithmeticfault.h"
#include "support/scripteddialogues.h"

namespace {

TEST(RunMessages, HeaderExamples) {
    ScriptedDialogues dialogues(Answer::No, {});
    TellOutcome(dialogues, {RunStatus::Refused, RunReason::ZeroStep, std::nullopt}, RunRecord{});
    ASSERT_EQ(dialogues.calls.size(), 1u);
    EXPECT_EQ(dialogues.calls[0].title, "Недопустимые данные");
    EXPECT_EQ(dialogues.calls[0].prompt,
              "Шаг равен нулю: значение Х не будет меняться, и перебор не закончится.\r\n"
              "Нажмите «Ввод данных» и введите шаг, отличный от нуля.");
    EXPECT_EQ(FaultMessage(ArithmeticFault(FaultKind::Overflow, FaultOperation::Power), true),
              "Вычисление прервано.\r\nПереполнение при возведении в степень: число вышло за "
              "пределы допустимого диапазона.\r\nТочки, полученные до ошибки, сохранены.");
}

TEST(RunMessages, CompletedRunWithoutWarningSaysNothing) {
    ScriptedDialogues dialogues(Answer::No, {});
    TellOutcome(dialogues, {}, RunRecord{});
    EXPECT_TRUE(dialogues.calls.empty());
    EXPECT_EQ(ReasonMessage(RunReason::None, RunRecord{}, {}), "");
}

TEST(RunMessages, StopComesBeforeTheWarningEachUnderItsTitle) {
    const RunOutcome outcome = {RunStatus::Stopped, RunReason::StepTooSmall,
                                PrecisionWarning{1, 0, 13, 13, 7.5e-4}};
    ScriptedDialogues dialogues(Answer::Yes, {});
    TellOutcome(dialogues, outcome, RunRecord{});
    ASSERT_EQ(dialogues.calls.size(), 2u);
    EXPECT_EQ(dialogues.calls[0].title, "Вычисление остановлено");
    EXPECT_EQ(dialogues.calls[1].title, "Точность не гарантирована");
}

TEST(RunMessages, EveryReasonEndsWithWhatToDoNext) {
    const RunRecord record;
    for (RunReason reason :
         {RunReason::ZeroStep, RunReason::TooManyLines, RunReason::TooMuchText,
          RunReason::PrecisionNotPositive, RunReason::StepTooSmall, RunReason::TextLimitReached}) {
        const std::string message = ReasonMessage(reason, record, {});
        SCOPED_TRACE(message);
        EXPECT_NE(message.rfind("\r\nНажмите «Ввод данных» и "), std::string::npos);
        EXPECT_EQ(message.back(), '.');
    }
}

TEST(RunMessages, FaultsNameTheirOperation) {
    const struct {
        FaultKind kind;
        FaultOperation operation;
        bool kept;
        const char* message;
    } rows[] = {
        {FaultKind::Overflow, FaultOperation::ReadingNumber, false,
         "Вычисление прервано.\r\nПереполнение при чтении введённого числа: число вышло за "
         "пределы допустимого диапазона."},
        {FaultKind::DivisionByZero, FaultOperation::Division, true,
         "Вычисление прервано.\r\nДеление на ноль.\r\nТочки, полученные до ошибки, сохранены."},
        {FaultKind::InvalidOperation, FaultOperation::Cosine, false,
         "Вычисление прервано.\r\nНедопустимая арифметическая операция при вычислении "
         "косинуса."},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.message);
        EXPECT_EQ(FaultMessage(ArithmeticFault(row.kind, row.operation), row.kept), row.message);
    }
}

}  // namespace
