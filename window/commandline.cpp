#include "window/commandline.h"

#include <array>
#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <optional>
#include <string>
#include <string_view>

#include <QCommandLineOption>
#include <QCommandLineParser>
#include <QCoreApplication>
#include <QStringList>

#include "evaluation/sweep.h"
#include "evaluation/table.h"
#include "numtext/arithmeticfault.h"
#include "window/runmessages.h"

namespace {

enum ExitStatus { kCompleted = 0, kRefusedOrStopped = 1, kWrongUsage = 2, kArithmeticFault = 3 };

constexpr char kHelp[] =
    "Использование:\n"
    "  tabulator                   открыть окно программы\n"
    "  tabulator --print (--series | --closed-form) [--start T] [--end T] [--step T]\n"
    "            [--precision T] [--csv]\n"
    "  tabulator --help | --version\n"
    "\n"
    "Табулирует функцию y = 2((cos x)^2 - 1) = cos 2x - 1 без окна: выводит те же\n"
    "строки «(x;y)», что окно получило бы при тех же ответах.\n"
    "\n"
    "Параметры:\n"
    "  --print          вычислить и вывести таблицу в стандартный вывод\n"
    "  --series         по степенному ряду (ответ «Да»)\n"
    "  --closed-form    по формуле 2((cos(x))^2-1) (ответ «Нет»)\n"
    "  --start T        начальное значение Х (по умолчанию 0.1)\n"
    "  --end T          конечное значение Х (по умолчанию 1)\n"
    "  --step T         шаг (по умолчанию .1)\n"
    "  --precision T    точность ряда, только с --series (по умолчанию .000019753086)\n"
    "  --csv            вывести таблицу в CSV (поля через «;»), а не строки «(x;y)»\n"
    "  -h, --help       показать эту справку\n"
    "  -v, --version    показать версию\n"
    "\n"
    "Числа читаются так же, как в окне ввода: десятичный разделитель — точка,\n"
    "«0,1» читается как 0. Значение может начинаться с «-»: --start -1.\n"
    "\n"
    "Коды завершения: 0 — вычислено (в том числе с предупреждением о точности),\n"
    "1 — данные отклонены или перебор остановлен, 2 — неверные параметры,\n"
    "3 — арифметическая ошибка.\n";

// A message in the window's words, for a terminal: the title, then the text,
// CR LF turned into LF.
void PrintMessage(std::string_view title, std::string_view text) {
    std::string shown(title);
    shown += '\n';
    for (char c : text) {
        if (c != '\r') {
            shown += c;
        }
    }
    shown += '\n';
    std::fwrite(shown.data(), 1, shown.size(), stderr);
}

void PrintUsageError(const std::string& problem) {
    const std::string text = "tabulator: " + problem + "\nСправка: tabulator --help\n";
    std::fwrite(text.data(), 1, text.size(), stderr);
}

// Answers the run's dialogues from the command line: the choice, then the
// input boxes in the order the run asks them, each with its option's text or,
// without one, the box's default text. Messages go to standard error.
class CommandLineDialogues : public DialogueService {
public:
    CommandLineDialogues(bool series, std::array<std::optional<std::string>, 4> answers)
        : series_(series), answers_(std::move(answers)) {}

    Answer AskYesNo(const std::string& /*prompt*/, const std::string& /*title*/) override {
        return series_ ? Answer::Yes : Answer::No;
    }

    std::string AskText(const std::string& /*prompt*/, const std::string& /*title*/,
                        const std::string& defaultText) override {
        const std::optional<std::string>& answer = answers_.at(asked_++);
        return answer ? *answer : defaultText;
    }

    void ShowMessage(const std::string& prompt, const std::string& title) override {
        PrintMessage(title, prompt);
    }

private:
    bool series_;
    std::array<std::optional<std::string>, 4> answers_;  // start, end, step, precision
    size_t asked_ = 0;
};

// Writes all of `bytes` to standard output. A closed pipe is no error to
// report; any other failure is.
bool WriteOutput(std::string_view bytes) {
    const size_t written = std::fwrite(bytes.data(), 1, bytes.size(), stdout);
    if (written == bytes.size() && std::fflush(stdout) == 0) {
        return true;
    }
    if (errno != EPIPE) {
        const std::string cause = errno == ENOSPC
                                      ? "на диске нет места"
                                      : std::string("ошибка записи: ") + std::strerror(errno);
        const std::string text = "tabulator: не удалось записать результат: " + cause + "\n";
        std::fwrite(text.data(), 1, text.size(), stderr);
    }
    return false;
}

struct Options {
    QCommandLineOption print{QStringLiteral("print")};
    QCommandLineOption series{QStringLiteral("series")};
    QCommandLineOption closedForm{QStringLiteral("closed-form")};
    QCommandLineOption start{QStringLiteral("start"), QString(), QStringLiteral("T")};
    QCommandLineOption end{QStringLiteral("end"), QString(), QStringLiteral("T")};
    QCommandLineOption step{QStringLiteral("step"), QString(), QStringLiteral("T")};
    QCommandLineOption precision{QStringLiteral("precision"), QString(), QStringLiteral("T")};
    QCommandLineOption csv{QStringLiteral("csv")};
    QCommandLineOption help{{QStringLiteral("h"), QStringLiteral("help")}};
    QCommandLineOption version{{QStringLiteral("v"), QStringLiteral("version")}};

    void AddTo(QCommandLineParser& parser) const {
        parser.addOptions(
            {print, series, closedForm, start, end, step, precision, csv, help, version});
    }
};

// Why the arguments cannot be parsed, in Russian.
std::string ParseProblem(const QCommandLineParser& parser, const QStringList& arguments,
                         const Options& options) {
    if (!parser.unknownOptionNames().isEmpty()) {
        const QString name = parser.unknownOptionNames().front();
        return "неизвестный параметр «" + std::string(name.size() > 1 ? "--" : "-") +
               name.toStdString() + "»";
    }
    for (const QCommandLineOption* option :
         {&options.start, &options.end, &options.step, &options.precision}) {
        if (arguments.back() == QStringLiteral("--") + option->names().front()) {
            return "после «--" + option->names().front().toStdString() + "» нет значения";
        }
    }
    return "неверные параметры";
}

// Why the parsed options do not make a command, or nothing when they do.
std::optional<std::string> UsageProblem(const QCommandLineParser& parser, const Options& options) {
    if (!parser.positionalArguments().isEmpty()) {
        return "лишний аргумент «" + parser.positionalArguments().front().toStdString() + "»";
    }
    if (!parser.isSet(options.print)) {
        return "нужен параметр --print (или --help, --version)";
    }
    if (parser.isSet(options.series) == parser.isSet(options.closedForm)) {
        return "укажите ровно один из параметров --series и --closed-form";
    }
    if (parser.isSet(options.precision) && !parser.isSet(options.series)) {
        return "параметр --precision — только вместе с --series";
    }
    return std::nullopt;
}

std::optional<std::string> Answer(const QCommandLineParser& parser,
                                  const QCommandLineOption& option) {
    if (!parser.isSet(option)) {
        return std::nullopt;
    }
    return parser.value(option).toStdString();
}

int Print(const QCommandLineParser& parser, const Options& options) {
    CommandLineDialogues dialogues(
        parser.isSet(options.series),
        {Answer(parser, options.start), Answer(parser, options.end), Answer(parser, options.step),
         Answer(parser, options.precision)});
    SweepState run;
    int status = kCompleted;
    std::optional<std::string> faultMessage;
    try {
        const RunOutcome outcome = RunDataEntry(run, dialogues);
        status = outcome.status == RunStatus::Completed ? kCompleted : kRefusedOrStopped;
    } catch (const ArithmeticFault& fault) {
        status = kArithmeticFault;
        faultMessage = FaultMessage(fault, !run.CoordinatesText.empty());
    }
    const bool written =
        parser.isSet(options.csv) ? WriteOutput(TableCsv(run)) : WriteOutput(run.CoordinatesText);
    if (faultMessage) {
        PrintMessage(kFaultTitle, *faultMessage);
    }
    if (!written && errno != EPIPE && status == kCompleted) {
        status = kRefusedOrStopped;
    }
    return status;
}

}  // namespace

int RunCommandLine(int argc, char* argv[]) {
    std::signal(SIGPIPE, SIG_IGN);  // a closed pipe shows as EPIPE, handled quietly
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationVersion(QStringLiteral(TABULATOR_VERSION));
    QCommandLineParser parser;
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    const Options options;
    options.AddTo(parser);
    const QStringList arguments = QCoreApplication::arguments();
    if (!parser.parse(arguments)) {
        PrintUsageError(ParseProblem(parser, arguments, options));
        return kWrongUsage;
    }
    if (parser.isSet(options.help)) {
        return WriteOutput(kHelp) ? kCompleted : kRefusedOrStopped;
    }
    if (parser.isSet(options.version)) {
        return WriteOutput("tabulator " TABULATOR_VERSION "\n") ? kCompleted : kRefusedOrStopped;
    }
    if (const std::optional<std::string> problem = UsageProblem(parser, options)) {
        PrintUsageError(*problem);
        return kWrongUsage;
    }
    return Print(parser, options);
}
