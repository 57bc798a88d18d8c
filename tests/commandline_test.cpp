// The built program run as a user runs it from a shell: no display, the
// answers on the command line, the text on standard output.

#include "cli/commandline.h"

#include <array>
#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <poll.h>
#include <random>
#include <spawn.h>
#include <string>
#include <sys/wait.h>
#include <unistd.h>
#include <utility>
#include <vector>

#include <gtest/gtest.h>

#include "analysis/seriesbreakdown.h"
#include "analysis/workingprecision.h"
#include "evaluation/formulas.h"
#include "evaluation/sweep.h"
#include "support/scripteddialogues.h"
#include "table/csv.h"
#include "table/termstable.h"

extern char** environ;

namespace {

struct Finished {
    int status = -1;  // the exit status; -1 when ended by a signal
    std::string out;
    std::string err;
};

// Runs the program with `arguments`, without a display. With `keepOutput`,
// closes its standard output after that many bytes, as `| head -c` would.
Finished RunProgram(const std::vector<std::string>& arguments,
                    std::optional<size_t> keepOutput = std::nullopt) {
    std::vector<std::string> environment;
    for (char** variable = environ; *variable != nullptr; ++variable) {
        const std::string entry = *variable;
        if (entry.rfind("DISPLAY=", 0) != 0 && entry.rfind("WAYLAND_DISPLAY=", 0) != 0 &&
            entry.rfind("QT_QPA_PLATFORM=", 0) != 0) {
            environment.push_back(entry);
        }
    }
    std::vector<char*> envp;
    for (std::string& entry : environment) {
        envp.push_back(entry.data());
    }
    envp.push_back(nullptr);
    std::vector<std::string> argvStrings = {TABULATOR_BINARY};
    argvStrings.insert(argvStrings.end(), arguments.begin(), arguments.end());
    std::vector<char*> argv;
    for (std::string& argument : argvStrings) {
        argv.push_back(argument.data());
    }
    argv.push_back(nullptr);

    int outPipe[2];
    int errPipe[2];
    if (pipe(outPipe) != 0 || pipe(errPipe) != 0) {
        ADD_FAILURE() << "pipe";
        return {};
    }
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, outPipe[1], STDOUT_FILENO);
    posix_spawn_file_actions_adddup2(&actions, errPipe[1], STDERR_FILENO);
    posix_spawn_file_actions_addclose(&actions, outPipe[0]);
    posix_spawn_file_actions_addclose(&actions, errPipe[0]);
    pid_t child = 0;
    const int spawned = posix_spawn(&child, argv[0], &actions, nullptr, argv.data(), envp.data());
    posix_spawn_file_actions_destroy(&actions);
    close(outPipe[1]);
    close(errPipe[1]);
    Finished finished;
    if (spawned != 0) {
        ADD_FAILURE() << "cannot start " << argv[0];
        return finished;
    }
    std::array<pollfd, 2> ends = {{{outPipe[0], POLLIN, 0}, {errPipe[0], POLLIN, 0}}};
    std::array<std::string*, 2> into = {&finished.out, &finished.err};
    for (int open = 2; open > 0;) {
        poll(ends.data(), ends.size(), -1);
        for (size_t i = 0; i < ends.size(); ++i) {
            if (ends[i].fd < 0 || ends[i].revents == 0) {
                continue;
            }
            char buffer[65536];
            const ssize_t got = read(ends[i].fd, buffer, sizeof buffer);
            if (got > 0) {
                into[i]->append(buffer, static_cast<size_t>(got));
            }
            const bool enough = i == 0 && keepOutput && finished.out.size() >= *keepOutput;
            if (got <= 0 || enough) {
                close(ends[i].fd);
                ends[i].fd = -1;
                --open;
            }
        }
    }
    int status = 0;
    waitpid(child, &status, 0);
    finished.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return finished;
}

// Starts the program with `arguments` and tells whether it is still running,
// a window up, after a while; `err` gets what it wrote to standard error.
bool StillRunningAfterStart(std::vector<std::string> arguments, std::string& err) {
    arguments.insert(arguments.begin(), TABULATOR_BINARY);
    std::vector<char*> argv;
    for (std::string& argument : arguments) {
        argv.push_back(argument.data());
    }
    argv.push_back(nullptr);
    int errPipe[2];
    if (pipe(errPipe) != 0) {
        return false;
    }
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, errPipe[1], STDERR_FILENO);
    posix_spawn_file_actions_addclose(&actions, errPipe[0]);
    pid_t child = 0;
    posix_spawn(&child, argv[0], &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    close(errPipe[1]);
    constexpr int kPatienceMs = 1500;
    int status = 0;
    bool running = true;
    for (int waited = 0; waited < kPatienceMs && running; waited += 50) {
        usleep(50'000);
        running = waitpid(child, &status, WNOHANG) == 0;
    }
    if (running) {
        kill(child, SIGKILL);
        waitpid(child, &status, 0);
    }
    char buffer[4096];
    for (ssize_t got; (got = read(errPipe[0], buffer, sizeof buffer)) > 0;) {
        err.append(buffer, static_cast<size_t>(got));
    }
    close(errPipe[0]);
    return running;
}

TEST(StartUp, OnlyTheCommandLinesOwnOptionsMakeACommandLine) {
    const struct {
        std::vector<std::string> arguments;
        bool commandLine;
    } rows[] = {
        {{}, false},
        {{"--print", "--closed-form"}, true},
        {{"-print", "-closed-form"}, true},
        {{"--start=1"}, true},
        {{"-h"}, true},
        {{"--version"}, true},
        {{"-v"}, true},
        {{"--csv-comma"}, true},
        {{"--xlsx=book.xlsx"}, true},
        {{"--plot", "plot.png"}, true},
        {{"-size", "10x10"}, true},
        {{"--terms", "1"}, true},
        {{"-session", "1234_5678"}, false},
        {{"-platform", "xcb"}, false},
        {{"-style", "fusion", "-reverse"}, false},
        {{"--bogus"}, false},
        {{"print"}, false},
    };
    for (const auto& row : rows) {
        std::vector<std::string> arguments = {"tabulator"};
        arguments.insert(arguments.end(), row.arguments.begin(), row.arguments.end());
        std::vector<char*> argv;
        for (std::string& argument : arguments) {
            argv.push_back(argument.data());
        }
        SCOPED_TRACE(arguments.size() > 1 ? arguments[1] : "(none)");
        EXPECT_EQ(IsCommandLineStart(static_cast<int>(argv.size()), argv.data()), row.commandLine);
    }
}

TEST(StartUp, SessionManagersRestartOpensTheWindow) {
    std::string err;
    EXPECT_TRUE(StillRunningAfterStart({"-session", "1234_5678", "-platform", "offscreen"}, err))
        << err;
    EXPECT_EQ(err.find("неизвестный параметр"), std::string::npos) << err;
}

TEST(CommandLine, DefaultRunsByteForByte) {
    const Finished closed = RunProgram({"--print", "--closed-form"});
    EXPECT_EQ(closed.status, 0);
    EXPECT_EQ(closed.out,
              "(0.1;-0.02)\r\n(0.2;-0.079)\r\n(0.3;-0.175)\r\n(0.4;-0.303)\r\n(0.5;-0.46)\r\n"
              "(0.6;-0.638)\r\n(0.7;-0.83)\r\n(0.8;-1.029)\r\n(0.9;-1.227)\r\n(1.0;-1.416)\r\n");
    EXPECT_EQ(closed.err, "");
    const Finished series = RunProgram({"--print", "--series"});
    EXPECT_EQ(series.status, 0);
    EXPECT_EQ(series.out,
              "(0.1;-0.019933422222)\r\n(0.2;-0.078939022222)\r\n(0.3;-0.174664383429)\r\n"
              "(0.4;-0.303293261206)\r\n(0.5;-0.459697696208)\r\n(0.6;-0.637642263991)\r\n"
              "(0.7;-0.830032974194)\r\n(0.8;-1.029199514123)\r\n(0.9;-1.227202052274)\r\n"
              "(1.0;-1.416146651702)\r\n");
    EXPECT_EQ(series.err, "");
}

// A refusal and a fault: the lines made, the words for the command line on
// standard error, and the status that tells them apart.
TEST(CommandLine, RefusalAndFaultGoToStandardErrorInWordsForTheCommandLine) {
    struct Case {
        std::vector<std::string> arguments;
        int status;
        const char* out;
        const char* err;
    };
    const Case cases[] = {
        // "0,1" reads as 0, exactly as the step box's text would.
        {{"--print", "--closed-form", "--step", "0,1"},
         1,
         "",
         "Недопустимые данные\n"
         "Шаг равен нулю: значение Х не будет меняться, и перебор не закончится.\n"
         "Запустите снова с --step, отличным от нуля.\n"},
        // A fault keeps the earlier lines.
        {{"--print", "--series", "--start", "1", "--end", "300", "--step", "99"},
         3,
         "(1.0;-1.416146651702)\r\n",
         "Ошибка вычисления\nВычисление прервано.\n"
         "Переполнение при возведении в степень: число вышло за пределы допустимого "
         "диапазона.\nТочки, полученные до ошибки, сохранены.\n"
         "Члены ряда при таком |Х| слишком велики. Запустите снова с меньшим |Х| (--start, "
         "--end) или с большей --precision, чтобы ряд останавливался раньше, или с "
         "--closed-form: формула 2((cos(x))^2-1) не переполняется.\n"},
    };
    for (const Case& c : cases) {
        const Finished finished = RunProgram(c.arguments);
        EXPECT_EQ(finished.status, c.status) << c.arguments[1];
        EXPECT_EQ(finished.out, c.out);
        EXPECT_EQ(finished.err, c.err);
    }
}

TEST(CommandLine, WarningStillCompletes) {
    const Finished warned =
        RunProgram({"--print", "--series", "--start=10", "--end", "16", "--step", "1", "--csv"});
    EXPECT_EQ(warned.status, 0);
    EXPECT_EQ(warned.err.rfind("Точность не гарантирована\n", 0), 0u) << warned.err;
    EXPECT_EQ(warned.out,
              TableCsv(RunScripted(Answer::Yes, {"10", "16", "1", std::nullopt}).record));
}

TEST(CommandLine, NegativeValuesAndDefaults) {
    EXPECT_EQ(RunProgram({"--print", "--closed-form", "--start", "-1", "--end", "-0.5"}).out,
              RunScripted(Answer::No, {"-1", "-0.5", std::nullopt}).state.CoordinatesText);
    EXPECT_EQ(RunProgram({"--print", "--series", "--precision", "1e-3", "--step", ".25"}).out,
              RunScripted(Answer::Yes, {std::nullopt, std::nullopt, ".25", "1e-3"})
                  .state.CoordinatesText);
}

TEST(CommandLine, WrongUsageIsStatusTwo) {
    const std::vector<std::vector<std::string>> rows = {
        {"--print", "--bogus"},
        {"--print", "--series", "--closed-form"},
        {"--print"},
        {"--print", "--closed-form", "--precision", "1"},
        {"--series"},
        {"--print", "--closed-form", "extra"},
        {"--print", "--closed-form", "--start"},
        {"--terms", "1", "--print", "--series"},
        {"--terms", "1", "--series"},
        {"--terms", "1", "--step", "2"},
        {"--terms"},
        {"--print", "--series", "--bits", "64"},
        {"--terms", "1", "--bits", "1"},
        {"--terms", "1", "--bits", "1025"},
        {"--terms", "1", "--bits", "64.5"},
        {"--terms", "1", "--bits"},
    };
    for (const std::vector<std::string>& arguments : rows) {
        const Finished finished = RunProgram(arguments);
        SCOPED_TRACE(arguments.back());
        EXPECT_EQ(finished.status, 2);
        EXPECT_EQ(finished.out, "");
        EXPECT_EQ(finished.err.rfind("tabulator: ", 0), 0u) << finished.err;
        EXPECT_NE(finished.err.find("tabulator --help"), std::string::npos);
    }
}

TEST(CommandLine, HelpAndVersion) {
    const Finished help = RunProgram({"--help"});
    EXPECT_EQ(help.status, 0);
    EXPECT_EQ(help.out.rfind("Использование:\n", 0), 0u);
    for (const char* option : {"--print", "--series", "--closed-form", "--start", "--end", "--step",
                               "--precision", "--csv", "--csv-comma", "--xlsx", "--plot", "--size",
                               "--terms", "--bits", "Коды завершения"}) {
        EXPECT_NE(help.out.find(option), std::string::npos) << option;
    }
    const Finished version = RunProgram({"--version"});
    EXPECT_EQ(version.status, 0);
    EXPECT_EQ(version.out, "tabulator " TABULATOR_VERSION "\n");
}

TEST(CommandLineTerms, PrintsTheSeriesTermByTerm) {
    const double precision = 1.9753086e-05;  // the box's default text, read
    const Finished text = RunProgram({"--terms", "15"});
    EXPECT_EQ(text.status, 0);
    EXPECT_EQ(text.err, "");
    EXPECT_EQ(text.out, TermsText(BreakDownSeries(15, precision)));
    const Finished csv = RunProgram({"--terms", "15", "--precision", "1e-9", "--csv"});
    EXPECT_EQ(csv.status, 0);
    TextSink expected;
    WriteTermsCsv(BreakDownSeries(15, 1e-9), expected);
    EXPECT_EQ(csv.out, expected.text);
    // The last partial sum is the run's y at 15 to the bit.
    const std::string lastRow = csv.out.substr(csv.out.rfind("\r\n", csv.out.size() - 3) + 2);
    const size_t sumStart = lastRow.find(';', lastRow.find(';') + 1) + 1;
    EXPECT_EQ(std::stod(lastRow.substr(sumStart, lastRow.find(';', sumStart) - sumStart)),
              SeriesValue(15, 1e-9).Sum);
}

// At other working precisions: x = 20 summed at 113 bits ends within the
// precision, where a double's sum is off by more than 1.
TEST(CommandLineTerms, BitsSumsAtThatPrecision) {
    const double precision = 1.9753086e-05;
    const Finished wide = RunProgram({"--terms", "20", "--bits", "113", "--csv"});
    EXPECT_EQ(wide.status, 0);
    TextSink expected;
    WriteTermsCsv(BreakDownSeriesAtBits(20, precision, 113), expected);
    EXPECT_EQ(wide.out, expected.text);
    EXPECT_LE(BreakDownSeriesAtBits(20, precision, 113).steps.back().error, precision);
    const Finished text = RunProgram({"--terms", "20", "--bits", "113"});
    EXPECT_EQ(text.out.rfind("Разбор ряда при x = 20, точность 1.9753086e-05, рабочая точность "
                             "113 бит; ",
                             0),
              0u)
        << text.out;
    // So few bits that the rounding bound holds for no term: the bound is left
    // empty, the terms are still told (at 3 bits (2x)^2 = 100 rounds to 96).
    const Finished few = RunProgram({"--terms", "5", "--bits", "3", "--csv"});
    EXPECT_EQ(few.status, 0) << few.err;
    EXPECT_NE(few.out.find("\r\n1;-48;-48;"), std::string::npos) << few.out;
    EXPECT_NE(few.out.find(";да;\r\n"), std::string::npos) << "no bound after the guarantee";
    // 53 bits is the run's own sum, the default.
    EXPECT_EQ(RunProgram({"--terms", "20", "--bits", "53"}).out, RunProgram({"--terms", "20"}).out);
}

TEST(CommandLineTerms, EndsAsPrintDoes) {
    const Finished fault = RunProgram({"--terms", "40"});
    EXPECT_EQ(fault.status, 3);
    EXPECT_NE(fault.out.find("\n80  "), std::string::npos);  // the terms before the overflow
    EXPECT_NE(fault.err.find("Члены ряда до ошибки (80) показаны."), std::string::npos)
        << fault.err;
    const Finished refused = RunProgram({"--terms", "1", "--precision", "0"});
    EXPECT_EQ(refused.status, 1);
    EXPECT_EQ(refused.out, "");
    EXPECT_EQ(refused.err.rfind("Недопустимые данные\nТочность должна быть больше нуля", 0), 0u);
    const Finished unreadable = RunProgram({"--terms", "1e400"});
    EXPECT_EQ(unreadable.status, 3);
    EXPECT_NE(unreadable.err.find("при чтении введённого числа"), std::string::npos);
}

// The width and height a PNG's header gives.
std::pair<int, int> PngSize(const std::string& png) {
    const auto big = [&](size_t at) {
        return (static_cast<unsigned char>(png[at]) << 24) |
               (static_cast<unsigned char>(png[at + 1]) << 16) |
               (static_cast<unsigned char>(png[at + 2]) << 8) |
               static_cast<unsigned char>(png[at + 3]);
    };
    return png.size() > 24 ? std::pair{big(16), big(20)} : std::pair{0, 0};
}

std::string ReadFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

class CommandLineFiles : public testing::Test {
protected:
    void SetUp() override {
        char pattern[] = "/tmp/tabulator-files-XXXXXX";
        folder_ = mkdtemp(pattern);
    }
    void TearDown() override { std::filesystem::remove_all(folder_); }
    std::string Path(const std::string& name) const { return folder_ + "/" + name; }

    std::string folder_;
};

TEST_F(CommandLineFiles, PlotIsWrittenInTheFormItsSuffixNamesBesideTheText) {
    const std::vector<std::string> run = {"--print", "--series", "--start", "0", "--end", "3"};
    std::vector<std::string> png = run;
    png.insert(png.end(), {"--plot", Path("plot.png"), "--size", "640x400"});
    const Finished drawn = RunProgram(png);
    EXPECT_EQ(drawn.status, 0) << drawn.err;
    EXPECT_EQ(drawn.err, "");  // the toolkit's own notes are kept off standard error
    EXPECT_EQ(drawn.out, RunProgram(run).out);
    EXPECT_EQ(PngSize(ReadFile(Path("plot.png"))), (std::pair{640, 400}));
    std::vector<std::string> svg = run;
    svg.insert(svg.end(), {"--plot", Path("plot.SVG")});
    EXPECT_EQ(RunProgram(svg).status, 0);
    EXPECT_NE(ReadFile(Path("plot.SVG")).find("viewBox=\"0 0 960 600\""), std::string::npos);
    std::vector<std::string> pdf = run;
    pdf.insert(pdf.end(), {"--plot", Path("plot.pdf")});
    EXPECT_EQ(RunProgram(pdf).status, 0);
    EXPECT_EQ(ReadFile(Path("plot.pdf")).rfind("%PDF", 0), 0u);
}

TEST_F(CommandLineFiles, BookAndCommaCsv) {
    const Finished book =
        RunProgram({"--print", "--closed-form", "--xlsx", Path("table.xlsx"), "--csv-comma"});
    EXPECT_EQ(book.status, 0) << book.err;
    EXPECT_EQ(ReadFile(Path("table.xlsx")).rfind("PK", 0), 0u);  // a zip, as a book is
    EXPECT_EQ(book.out.rfind("\xEF\xBB\xBF№;x;y;", 0), 0u);
    EXPECT_NE(book.out.find("\r\n1;0,1;-0,01993342215875815;"), std::string::npos);
}

TEST_F(CommandLineFiles, FileThatCannotBeWrittenIsStatusOneWithItsCause) {
    const Finished failed = RunProgram({"--print", "--closed-form", "--plot", Path("none/plot.png"),
                                        "--xlsx", Path("none/t.xlsx")});
    EXPECT_EQ(failed.status, 1);
    EXPECT_NE(failed.out, "");  // the text is still written
    EXPECT_NE(failed.err.find("tabulator: не удалось сохранить файл «" + Path("none/plot.png") +
                              "»: папка «" + Path("none") + "» не найдена\n"),
              std::string::npos)
        << failed.err;
    EXPECT_NE(failed.err.find("«" + Path("none/t.xlsx") + "»"), std::string::npos);
}

TEST_F(CommandLineFiles, WrongFileOptionsAreStatusTwo) {
    const std::vector<std::vector<std::string>> rows = {
        {"--print", "--closed-form", "--plot", Path("plot.jpg")},
        {"--print", "--closed-form", "--plot", Path("plot.png"), "--size", "640"},
        {"--print", "--closed-form", "--plot", Path("plot.png"), "--size", "9x9"},
        {"--print", "--closed-form", "--size", "640x400"},
        {"--print", "--closed-form", "--csv", "--csv-comma"},
        {"--terms", "1", "--plot", Path("plot.png")},
    };
    for (const std::vector<std::string>& arguments : rows) {
        const Finished finished = RunProgram(arguments);
        SCOPED_TRACE(arguments.back());
        EXPECT_EQ(finished.status, 2);
        EXPECT_EQ(finished.err.rfind("tabulator: ", 0), 0u) << finished.err;
    }
}

TEST(CommandLine, ClosedPipeEndsQuietly) {
    const Finished cut = RunProgram(
        {"--print", "--closed-form", "--start", "1", "--end", "1000000", "--step", "1"}, 4096);
    EXPECT_EQ(cut.status, 0);  // not killed by a signal
    EXPECT_EQ(cut.err, "");
}

TEST(CommandLine, PrintsWhatAScriptedWindowRunHoldsOnRandomAnswers) {
    std::mt19937 random(9);
    std::uniform_real_distribution<double> start(-12, 12);
    std::uniform_real_distribution<double> length(-6, 12);
    std::uniform_int_distribution<int> lines(1, 200);
    for (int run = 0; run < 12; ++run) {
        const bool series = run % 2 == 0;
        const double first = start(random);
        const double last = first + length(random);
        const std::string step = std::to_string((last - first) / lines(random));
        std::vector<std::string> arguments = {"--print", series ? "--series" : "--closed-form",
                                              "--start", std::to_string(first),
                                              "--end",   std::to_string(last),
                                              "--step",  step};
        std::vector<std::optional<std::string>> replies = {std::to_string(first),
                                                           std::to_string(last), step};
        if (series) {
            arguments.insert(arguments.end(), {"--precision", "1e-8"});
            replies.emplace_back("1e-8");
        }
        SCOPED_TRACE("run " + std::to_string(run));
        const Finished finished = RunProgram(arguments);
        EXPECT_EQ(finished.out,
                  RunScripted(series ? Answer::Yes : Answer::No, replies).state.CoordinatesText);
    }
}

}  // namespace
