#include "cli/commandline.h"

#include <algorithm>
#include <array>
#include <cerrno>
#include <csignal>
#include <cstdio>
#include <optional>
#include <string>
#include <string_view>

#include <QCommandLineOption>
#include <QCommandLineParser>
#include <QFileInfo>
#include <QStringList>

#include "analysis/seriesbreakdown.h"
#include "analysis/workingprecision.h"
#include "evaluation/tabulation.h"
#include "files/atomicfile.h"
#include "messages/runmessages.h"
#include "messages/usage.h"
#include "numtext/arithmeticfault.h"
#include "numtext/readnumber.h"
#include "table/csv.h"
#include "table/termstable.h"
#include "table/xlsx.h"

namespace {

enum ExitStatus { kCompleted = 0, kRefusedOrStopped = 1, kWrongUsage = 2, kArithmeticFault = 3 };

void PrintError(std::string_view text) {
    std::fwrite(text.data(), 1, text.size(), stderr);
}

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
    PrintError(shown);
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

// Standard output as a sink. A closed pipe is no error to report; any other
// failure is reported once.
class StandardOutput : public ByteSink {
public:
    bool Write(std::string_view bytes) override {
        if (failed_) {
            return false;
        }
        if (std::fwrite(bytes.data(), 1, bytes.size(), stdout) == bytes.size()) {
            return true;
        }
        Fail();
        return false;
    }

    // Flushes what is buffered; false when the output failed at any time.
    bool Finish() {
        if (!failed_ && std::fflush(stdout) != 0) {
            Fail();
        }
        return !failed_;
    }
    bool PipeClosed() const { return pipeClosed_; }

private:
    void Fail() {
        failed_ = true;
        pipeClosed_ = errno == EPIPE;
        if (!pipeClosed_) {
            PrintError(OutputFailure(errno));
        }
    }

    bool failed_ = false;
    bool pipeClosed_ = false;
};

// The option an argument names, without its dashes and value: "--start=1" -> "start".
std::string_view OptionName(std::string_view argument) {
    if (argument.size() < 2 || argument.front() != '-') {
        return {};
    }
    argument.remove_prefix(argument.starts_with("--") ? 2 : 1);
    return argument.substr(0, argument.find('='));
}

// An option that takes a value, shown in the usage as `valueName`.
QCommandLineOption Valued(const char* name, const char* valueName) {
    return {QString::fromLatin1(name), QString(), QString::fromLatin1(valueName)};
}

struct Options {
    QCommandLineOption print{QStringLiteral("print")};
    QCommandLineOption series{QStringLiteral("series")};
    QCommandLineOption closedForm{QStringLiteral("closed-form")};
    QCommandLineOption start = Valued("start", "T");
    QCommandLineOption end = Valued("end", "T");
    QCommandLineOption step = Valued("step", "T");
    QCommandLineOption precision = Valued("precision", "T");
    QCommandLineOption csv{QStringLiteral("csv")};
    QCommandLineOption csvComma{QStringLiteral("csv-comma")};
    QCommandLineOption xlsx = Valued("xlsx", "FILE");
    QCommandLineOption plot = Valued("plot", "FILE");
    QCommandLineOption size = Valued("size", "WxH");
    QCommandLineOption terms = Valued("terms", "X");
    QCommandLineOption bits = Valued("bits", "P");
    QCommandLineOption help{{QStringLiteral("h"), QStringLiteral("help")}};
    QCommandLineOption version{{QStringLiteral("v"), QStringLiteral("version")}};

    std::array<const QCommandLineOption*, 16> All() const {
        return {&print,    &series, &closedForm, &start, &end,   &step, &precision, &csv,
                &csvComma, &xlsx,   &plot,       &size,  &terms, &bits, &help,      &version};
    }

    void AddTo(QCommandLineParser& parser) const {
        for (const QCommandLineOption* option : All()) {
            parser.addOption(*option);
        }
    }

    // Whether an argument names one of the options, with or without its value.
    bool Names(std::string_view argument) const {
        const QString name = QString::fromUtf8(OptionName(argument));
        return std::ranges::any_of(All(), [&name](const QCommandLineOption* option) {
            return option->names().contains(name);
        });
    }
};

// Why the arguments cannot be parsed.
std::string ParseProblem(const QCommandLineParser& parser, const QStringList& arguments,
                         const Options& options) {
    if (!parser.unknownOptionNames().isEmpty()) {
        const QString name = parser.unknownOptionNames().front();
        return UnknownOption((name.size() > 1 ? "--" : "-") + name.toStdString());
    }
    for (const QCommandLineOption* option :
         {&options.start, &options.end, &options.step, &options.precision, &options.terms,
          &options.bits, &options.xlsx, &options.plot, &options.size}) {
        if (arguments.back() == QStringLiteral("--") + option->names().front()) {
            return MissingValue("--" + option->names().front().toStdString());
        }
    }
    return kUnreadableArguments;
}

// The picture's size "WxH", each between 64 and 10000 pixels.
std::optional<std::pair<int, int>> PlotSize(const QString& text) {
    constexpr int kSmallest = 64;
    constexpr int kLargest = 10000;
    const QStringList sides = text.split(QLatin1Char('x'));
    bool wide = false;
    bool high = false;
    if (sides.size() != 2) {
        return std::nullopt;
    }
    const int width = sides[0].toInt(&wide);
    const int height = sides[1].toInt(&high);
    if (!wide || !high || width < kSmallest || height < kSmallest || width > kLargest ||
        height > kLargest) {
        return std::nullopt;
    }
    return std::pair{width, height};
}

// The working precision "P", a whole number of bits from kFewestBits to kMostBits.
std::optional<int> WorkingBits(const QString& text) {
    bool read = false;
    const int bits = text.toInt(&read);
    if (!read || bits < kFewestBits || bits > kMostBits) {
        return std::nullopt;
    }
    return bits;
}

// Whether a plot file's suffix names a form the plot is written in.
bool PlotFileForm(const QString& path) {
    const QString suffix = QFileInfo(path).suffix().toLower();
    return suffix == QLatin1String("png") || suffix == QLatin1String("svg") ||
           suffix == QLatin1String("pdf");
}

// Why the parsed options do not make a command, or nothing when they do.
std::optional<std::string> UsageProblem(const QCommandLineParser& parser, const Options& options) {
    if (!parser.positionalArguments().isEmpty()) {
        return ExtraArgument(parser.positionalArguments().front().toStdString());
    }
    if (parser.isSet(options.print) && parser.isSet(options.terms)) {
        return kPrintOrTerms;
    }
    if (parser.isSet(options.csv) && parser.isSet(options.csvComma)) {
        return kOneCsvForm;
    }
    if (parser.isSet(options.size) && !parser.isSet(options.plot)) {
        return kSizeWithoutPlot;
    }
    if (parser.isSet(options.size) && !PlotSize(parser.value(options.size))) {
        return kUnreadableSize;
    }
    if (parser.isSet(options.plot) && !PlotFileForm(parser.value(options.plot))) {
        return kUnknownPlotForm;
    }
    if (parser.isSet(options.bits) && !parser.isSet(options.terms)) {
        return kBitsWithoutTerms;
    }
    if (parser.isSet(options.bits) && !WorkingBits(parser.value(options.bits))) {
        return kUnreadableBits;
    }
    if (parser.isSet(options.terms)) {
        for (const QCommandLineOption* other :
             {&options.series, &options.closedForm, &options.start, &options.end, &options.step,
              &options.xlsx, &options.plot}) {
            if (parser.isSet(*other)) {
                return kNotWithTerms;
            }
        }
        return std::nullopt;
    }
    if (!parser.isSet(options.print)) {
        return kPrintMissing;
    }
    if (parser.isSet(options.series) == parser.isSet(options.closedForm)) {
        return kOneMethodNeeded;
    }
    if (parser.isSet(options.precision) && !parser.isSet(options.series)) {
        return kPrecisionWithoutSeries;
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

// Writes the book and the plot asked for, telling of a failure; whether all went.
bool WriteFiles(const QCommandLineParser& parser, const Options& options, const Tabulation& run,
                const PlotWriter& writePlot) {
    bool written = true;
    const auto tell = [&written](const QString& path, const QString& cause) {
        if (!cause.isEmpty()) {
            PrintError(FileFailure(path.toStdString(), cause.toStdString()));
            written = false;
        }
    };
    if (parser.isSet(options.xlsx)) {
        const QString path = parser.value(options.xlsx);
        tell(path, WriteFileAtomicallyBy(path, [&run](const std::string& file) {
                 return WriteTableXlsx(run.record, file, "tabulator " TABULATOR_VERSION);
             }));
    }
    if (parser.isSet(options.plot)) {
        const QString path = parser.value(options.plot);
        const auto [width, height] =
            PlotSize(parser.isSet(options.size) ? parser.value(options.size)
                                                : QStringLiteral("960x600"))
                .value();
        tell(path,
             QString::fromStdString(writePlot(run.record, path.toStdString(), width, height)));
    }
    return written;
}

int Print(const QCommandLineParser& parser, const Options& options, const PlotWriter& writePlot) {
    CommandLineDialogues dialogues(
        parser.isSet(options.series),
        {Answer(parser, options.start), Answer(parser, options.end), Answer(parser, options.step),
         Answer(parser, options.precision)});
    Tabulation run;
    int status = kCompleted;
    std::optional<std::string> faultMessage;
    try {
        const RunOutcome& outcome = EnterRun(run, dialogues);
        TellOutcome(dialogues, outcome, run.record, {}, ReadIn::CommandLine);
        status = outcome.status == RunStatus::Completed ? kCompleted : kRefusedOrStopped;
    } catch (const ArithmeticFault& fault) {
        status = kArithmeticFault;
        faultMessage = FaultMessage(fault, run.record.LineCount() > 0, ReadIn::CommandLine);
    }
    StandardOutput output;
    if (parser.isSet(options.csv) || parser.isSet(options.csvComma)) {
        WriteTableCsv(run.record, output,
                      parser.isSet(options.csvComma) ? DecimalMark::Comma : DecimalMark::Point);
    } else {
        output.Write(run.Text());
    }
    const bool written = output.Finish();
    if (faultMessage) {
        PrintMessage(kFaultTitle, *faultMessage);
    }
    const bool filesWritten = WriteFiles(parser, options, run, writePlot);
    if (((!written && !output.PipeClosed()) || !filesWritten) && status == kCompleted) {
        status = kRefusedOrStopped;
    }
    return status;
}

// "tabulator --terms X": the series at X term by term.
int PrintTerms(const QCommandLineParser& parser, const Options& options) {
    double x = 0;
    double precision = 0;
    try {
        x = ReadNumber(parser.value(options.terms).toStdString());
        precision = ReadNumber(parser.isSet(options.precision)
                                   ? parser.value(options.precision).toStdString()
                                   : DefaultPrecisionText());
    } catch (const ArithmeticFault& fault) {
        PrintMessage(kFaultTitle, FaultMessage(fault, false, ReadIn::CommandLine));
        return kArithmeticFault;
    }
    if (!(precision > 0)) {
        PrintMessage(kRefusalTitle, ReasonMessage(RunReason::PrecisionNotPositive, RunRecord{},
                                                  RunLimits{}, ReadIn::CommandLine));
        return kRefusedOrStopped;
    }
    const int bits = parser.isSet(options.bits) ? *WorkingBits(parser.value(options.bits)) : 53;
    const SeriesBreakdown breakdown =
        bits == 53 ? BreakDownSeries(x, precision) : BreakDownSeriesAtBits(x, precision, bits);
    StandardOutput output;
    if (parser.isSet(options.csv) || parser.isSet(options.csvComma)) {
        WriteTermsCsv(breakdown, output,
                      parser.isSet(options.csvComma) ? DecimalMark::Comma : DecimalMark::Point);
    } else {
        output.Write(TermsText(breakdown));
    }
    const bool written = output.Finish();
    if (breakdown.fault) {
        PrintMessage(kFaultTitle, TermsFaultMessage(*breakdown.fault, breakdown.steps.size()));
        return kArithmeticFault;
    }
    return written || output.PipeClosed() ? kCompleted : kRefusedOrStopped;
}

// Writes a short text to standard output: the help or the version.
int PrintText(std::string_view text) {
    StandardOutput output;
    output.Write(text);
    return output.Finish() || output.PipeClosed() ? kCompleted : kRefusedOrStopped;
}

}  // namespace

bool IsCommandLineStart(int argc, char* argv[]) {
    const Options options;
    for (int i = 1; i < argc; ++i) {
        if (options.Names(argv[i])) {
            return true;
        }
    }
    return false;
}

int RunCommandLine(int argc, char* argv[], const PlotWriter& writePlot) {
    std::signal(SIGPIPE, SIG_IGN);  // a closed pipe shows as EPIPE, handled quietly
    // No application object: a plot written later makes its own, offscreen.
    QCommandLineParser parser;
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    const Options options;
    options.AddTo(parser);
    QStringList arguments;
    for (int i = 0; i < argc; ++i) {
        arguments.append(QString::fromLocal8Bit(argv[i]));
    }
    if (!parser.parse(arguments)) {
        PrintError(UsageError(ParseProblem(parser, arguments, options)));
        return kWrongUsage;
    }
    if (parser.isSet(options.help)) {
        return PrintText(kCommandLineHelp);
    }
    if (parser.isSet(options.version)) {
        return PrintText("tabulator " TABULATOR_VERSION "\n");
    }
    if (const std::optional<std::string> problem = UsageProblem(parser, options)) {
        PrintError(UsageError(*problem));
        return kWrongUsage;
    }
    return parser.isSet(options.terms) ? PrintTerms(parser, options)
                                       : Print(parser, options, writePlot);
}
