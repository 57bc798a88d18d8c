#include "saving/runsaving.h"

#include <csignal>
#include <string>
#include <sys/resource.h>
#include <vector>

#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QLineEdit>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include "support/modalanswerer.h"
#include "support/scripteddialogues.h"
#include "table/csv.h"

namespace {

TEST(TableSaving, ChoosesTheFormByTheNameThenByTheFilter) {
    const struct {
        const char* typed;
        bool csvFilter;
        const char* path;
        bool csv;
    } rows[] = {
        {"a.csv", false, "a.csv", true},    {"a.TXT", true, "a.TXT", false},
        {"a", true, "a.csv", true},         {"a", false, "a.txt", false},
        {"a.dat", true, "a.dat.csv", true},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.typed);
        const SaveTarget target = ChooseSaveTarget(QString::fromLatin1(row.typed), row.csvFilter);
        EXPECT_EQ(target.path, QString::fromLatin1(row.path));
        EXPECT_EQ(target.csv, row.csv);
    }
}

QByteArray FileBytes(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("(unreadable)");
}

TEST(TableSaving, WritesTheBytesExactly) {
    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("координаты.txt"));
    const std::string text = "(0.1;-0.02)\r\n(0.2;-0.079)\r\n";
    EXPECT_EQ(WriteFileAtomically(path, text), QString());
    EXPECT_EQ(FileBytes(path), QByteArray::fromStdString(text));
}

TEST(TableSaving, FailureNamesTheCauseAndLeavesTheEarlierFileIntact) {
    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("a.txt"));
    ASSERT_EQ(WriteFileAtomically(path, "earlier"), QString());
    // A folder that vanished, and a "folder" that is a file.
    EXPECT_TRUE(WriteFileAtomically(folder.filePath(QStringLiteral("gone/a.txt")), "x")
                    .startsWith(QStringLiteral("папка «")));
    EXPECT_TRUE(WriteFileAtomically(path + QStringLiteral("/b.txt"), "x")
                    .endsWith(QStringLiteral("— не папка")));
    // A disk that fills up: the process may write no more than 4 KiB per file.
    std::signal(SIGXFSZ, SIG_IGN);
    rlimit saved{};
    getrlimit(RLIMIT_FSIZE, &saved);
    rlimit small = saved;
    small.rlim_cur = 4096;
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
    const QString failure = WriteFileAtomically(path, std::string(100'000, 'y'));
    setrlimit(RLIMIT_FSIZE, &saved);
    EXPECT_EQ(failure,
              QStringLiteral("данные не записаны до конца (возможно, на диске нет места)"));
    EXPECT_EQ(FileBytes(path), QByteArray("earlier"));
    EXPECT_EQ(QDir(folder.path()).entryList(QDir::Files), QStringList({"a.txt"}));  // no leftovers
}

// Saves the run through the file dialogue, typing `name` and choosing the
// filter; answers a failure message into `failure`.
void SaveThroughTheDialogue(const ScriptedRun& run, const QString& path, bool csv,
                            QString* failure = nullptr) {
    QString title;
    QString text;
    std::vector<ModalAnswerer::Handler> handlers = {[&](QDialog& box) {
        auto* files = qobject_cast<QFileDialog*>(&box);
        ASSERT_NE(files, nullptr);
        EXPECT_EQ(files->nameFilters(),
                  QStringList({QStringLiteral("Текст (*.txt)"), QStringLiteral("CSV (*.csv)")}));
        files->selectNameFilter(files->nameFilters()[csv ? 1 : 0]);
        files->setDirectory(QFileInfo(path).path());
        auto* name = files->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
        ASSERT_NE(name, nullptr);
        name->setText(QFileInfo(path).fileName());  // as typed
        EXPECT_EQ(files->selectedFiles(), QStringList({path}));
        static_cast<QDialog*>(files)->accept();  // as its "Save" button does
    }};
    if (failure != nullptr) {
        handlers.push_back(ReadMessage(title, text));
    }
    ModalAnswerer answerer(handlers);
    QWidget owner;
    SaveRun(&owner, run.state.CoordinatesText, run.record);
    if (failure != nullptr) {
        EXPECT_EQ(title, QStringLiteral("Файл не сохранён"));
        *failure = text;
    }
}

TEST(TableSaving, SavesTheTextOrTheCsvThroughTheFileDialogue) {
    const ScriptedRun run = RunScripted(Answer::Yes, {"10", "16", "1", std::nullopt});
    QTemporaryDir folder;
    SaveThroughTheDialogue(run, folder.filePath(QStringLiteral("run")), false);
    EXPECT_EQ(FileBytes(folder.filePath(QStringLiteral("run.txt"))),
              QByteArray::fromStdString(run.state.CoordinatesText));
    SaveThroughTheDialogue(run, folder.filePath(QStringLiteral("run")), true);
    EXPECT_EQ(FileBytes(folder.filePath(QStringLiteral("run.csv"))),
              QByteArray::fromStdString(TableCsv(run.record)));
}

TEST(TableSaving, DialogueTellsOfAFailure) {
    const ScriptedRun run = RunScripted(Answer::No, {std::nullopt, std::nullopt, std::nullopt});
    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("file.txt"));
    ASSERT_EQ(WriteFileAtomically(path, "x"), QString());
    QString failure;
    SaveThroughTheDialogue(run, path + QStringLiteral("/inside.txt"), false, &failure);
    EXPECT_TRUE(failure.startsWith(QStringLiteral("Не удалось сохранить файл «")))
        << failure.toStdString();
    EXPECT_TRUE(failure.contains(QStringLiteral("Прежний файл, если он был, не изменён")));
}

}  // namespace
