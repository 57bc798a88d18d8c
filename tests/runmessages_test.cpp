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
              "пределы допустимого диапазона.\r\nТочки, полученные до ошибки, сохранены.\r\n"
              "Члены ряда при таком |Х| слишком велики. Нажмите «Ввод данных» и возьмите "
              "меньший |Х| (сократите отрезок) или большую точность, чтобы ряд останавливался "
              "раньше, или ответьте «Нет»: формула 2((cos(x))^2-1) не переполняется.");
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

TEST(RunMessages, CommandLineWordsNameOptionsNotButtons) {
    const RunRecord record;
    std::vector<std::string> messages;
    for (RunReason reason :
         {RunReason::ZeroStep, RunReason::TooManyLines, RunReason::TooMuchText,
          RunReason::PrecisionNotPositive, RunReason::StepTooSmall, RunReason::TextLimitReached}) {
        messages.push_back(ReasonMessage(reason, record, {}, ReadIn::CommandLine));
    }
    for (const PrecisionWarning& warning :
         {PrecisionWarning{2, 0, 12, 13, 1e-3}, PrecisionWarning{2, 2, 1, 2, 0},
          PrecisionWarning{3, 1, 1, 13, 1e-3}}) {
        messages.push_back(WarningMessage(warning, 1e-5, 5, ReadIn::CommandLine));
    }
    for (FaultOperation operation :
         {FaultOperation::ReadingNumber, FaultOperation::Addition, FaultOperation::Multiplication,
          FaultOperation::Power, FaultOperation::Cosine}) {
        messages.push_back(FaultMessage(ArithmeticFault(FaultKind::Overflow, operation), true,
                                        ReadIn::CommandLine));
    }
    for (const std::string& message : messages) {
        SCOPED_TRACE(message);
        EXPECT_EQ(message.find("Нажмите"), std::string::npos);
        EXPECT_EQ(message.find("«Ввод данных»"), std::string::npos);
        EXPECT_EQ(message.find("ответьте"), std::string::npos);
        EXPECT_NE(message.find("апустите снова с "),
                  std::string::npos);  // "Запустите", "запустите"
        EXPECT_NE(message.find(" --"), std::string::npos);  // an option named
    }
    EXPECT_EQ(ReasonMessage(RunReason::ZeroStep, record, {}, ReadIn::CommandLine),
              "Шаг равен нулю: значение Х не будет меняться, и перебор не закончится.\r\n"
              "Запустите снова с --step, отличным от нуля.");
}

TEST(RunMessages, OverflowOfTheSeriesSaysWhatToChange) {
    for (FaultOperation operation :
         {FaultOperation::Multiplication, FaultOperation::Division, FaultOperation::Power}) {
        const std::string message =
            FaultMessage(ArithmeticFault(FaultKind::Overflow, operation), false);
        EXPECT_NE(message.find("меньший |Х|"), std::string::npos) << message;
        EXPECT_NE(message.find("большую точность"), std::string::npos) << message;
    }
}

TEST(RunMessages, NumbersTooLongForAMessageTakeTheirShortestExactForm) {
    const struct {
        double x;
        const char* shown;
    } rows[] = {{1e300, "при Х = 1e+300 "},
                {1.7e308, "при Х = 1.7e+308 "},
                {123456.5, "при Х = 123456.5 "},
                {0.1, "при Х = 0.1 "}};
    for (const auto& row : rows) {
        RunRecord record;
        record.AddClosedFormLine(row.x, -1);
        const std::string message = ReasonMessage(RunReason::StepTooSmall, record, {});
        EXPECT_NE(message.find(row.shown), std::string::npos) << message;
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
         "пределы допустимого диапазона.\r\nНажмите «Ввод данных» и введите число, меньшее по "
         "модулю."},
        {FaultKind::Overflow, FaultOperation::Addition, true,
         "Вычисление прервано.\r\nПереполнение при сложении: число вышло за пределы "
         "допустимого диапазона.\r\nТочки, полученные до ошибки, сохранены.\r\nХ вышел за "
         "пределы чисел. Нажмите «Ввод данных» и возьмите начало, конец и шаг меньше по модулю."},
        {FaultKind::DivisionByZero, FaultOperation::Division, true,
         "Вычисление прервано.\r\nДеление на ноль.\r\nТочки, полученные до ошибки, "
         "сохранены.\r\nНажмите «Ввод данных» и измените введённые значения."},
        {FaultKind::InvalidOperation, FaultOperation::Cosine, false,
         "Вычисление прервано.\r\nНедопустимая арифметическая операция при вычислении "
         "косинуса.\r\nНажмите «Ввод данных» и измените введённые значения."},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.message);
        EXPECT_EQ(FaultMessage(ArithmeticFault(row.kind, row.operation), row.kept), row.message);
    }
}

}  // namespace
