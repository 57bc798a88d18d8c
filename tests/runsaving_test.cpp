#include "saving/runsaving.h"

#include <csignal>
#include <cstdint>
#include <string>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>
#include <utility>
#include <vector>

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QProgressDialog>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QThread>
#include <QTimer>
#include <gtest/gtest.h>

#include "files/atomicfile.h"
#include "saving/progressdialogue.h"
#include "support/modalanswerer.h"
#include "support/scripteddialogues.h"
#include "table/csv.h"
#include "table/workprogress.h"

namespace {

// The text of the question a message box asks.
QString ShownQuestion(const QDialog& box) {
    const auto* question = qobject_cast<const QMessageBox*>(&box);
    return question != nullptr ? question->text() : QString();
}

// A progress that says stop at its `stopAt`-th word and keeps what it heard.
class StoppingProgress : public WorkProgress {
public:
    explicit StoppingProgress(size_t stopAt) : stopAt_(stopAt) {}
    bool Advance(size_t done, size_t total) override {
        heard.emplace_back(done, total);
        return heard.size() < stopAt_;
    }
    std::vector<std::pair<size_t, size_t>> heard;

private:
    size_t stopAt_;
};

TEST(TableSaving, ChoosesTheFormByTheNameThenByTheFilter) {
    using F = SaveForm;
    const struct {
        const char* typed;
        SaveForm filter;
        const char* path;
        SaveForm form;
    } rows[] = {
        {"a.csv", F::Text, "a.csv", F::CsvComma},  // the spreadsheets' form by default
        {"a.csv", F::CsvPoint, "a.csv", F::CsvPoint},
        {"a.TXT", F::CsvComma, "a.TXT", F::Text},
        {"a", F::CsvComma, "a.csv", F::CsvComma},
        {"a", F::Text, "a.txt", F::Text},
        {"a", F::Xlsx, "a.xlsx", F::Xlsx},
        {"a.XLSX", F::Text, "a.XLSX", F::Xlsx},
        {"a.dat", F::CsvPoint, "a.dat", F::CsvPoint},  // as typed: the dialogue asked about it
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.typed);
        const SaveTarget target = ChooseSaveTarget(QString::fromLatin1(row.typed), row.filter);
        EXPECT_EQ(target.path, QString::fromLatin1(row.path));
        EXPECT_EQ(target.form, row.form);
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
    EXPECT_EQ(failure, QStringLiteral("файл превысил допустимый размер"));
    EXPECT_EQ(FileBytes(path), QByteArray("earlier"));
    EXPECT_EQ(QDir(folder.path()).entryList(QDir::Files), QStringList({"a.txt"}));  // no leftovers
}

TEST(TableSaving, StoppedSaveLeavesTheEarlierFileAsItWas) {
    const Tabulation run = RunScripted(Answer::Yes, {"0", "20", "0.001", std::nullopt});
    QTemporaryDir folder;
    const struct {
        SaveForm form;
        const char* name;
    } forms[] = {{SaveForm::Text, "a.txt"},
                 {SaveForm::CsvComma, "b.csv"},
                 {SaveForm::CsvPoint, "c.csv"},
                 {SaveForm::Xlsx, "d.xlsx"}};
    for (const auto& [form, name] : forms) {
        SCOPED_TRACE(name);
        const QString path = folder.filePath(QString::fromLatin1(name));
        ASSERT_EQ(WriteFileAtomically(path, "earlier bytes"), QString());
        StoppingProgress stop(1);
        SaveRunAs(run, {path, form}, &stop);
        EXPECT_EQ(stop.heard.size(), 1u);
        EXPECT_EQ(FileBytes(path), QByteArray("earlier bytes"));
    }
    EXPECT_EQ(QDir(folder.path()).entryList(QDir::Files | QDir::Hidden),
              QStringList({"a.txt", "b.csv", "c.csv", "d.xlsx"}));  // nothing half-made
}

TEST(TableSaving, SaveThatIsNotStoppedWritesTheSameBytesAndTellsItsProgress) {
    const Tabulation run = RunScripted(Answer::Yes, {"0", "20", "0.001", std::nullopt});
    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("a.csv"));
    StoppingProgress never(SIZE_MAX);
    ASSERT_EQ(SaveRunAs(run, {path, SaveForm::CsvPoint}, &never), QString());
    EXPECT_EQ(FileBytes(path), QByteArray::fromStdString(TableCsv(run.record)));
    ASSERT_GT(never.heard.size(), 2u);
    for (size_t i = 1; i < never.heard.size(); ++i) {
        EXPECT_GT(never.heard[i].first, never.heard[i - 1].first);
    }
    EXPECT_EQ(never.heard.back().first, run.record.LineCount());
    EXPECT_EQ(never.heard.back().second, run.record.LineCount());
}

TEST(TableSaving, ProgressShowsAfterHalfASecondAndCancelStopsTheWork) {
    QWidget owner;
    owner.show();
    ProgressDialogue progress(&owner, QStringLiteral("Сохранение файла «a.csv»…"));
    auto* dialog = owner.findChild<QProgressDialog*>(QStringLiteral("progressDialog"));
    ASSERT_NE(dialog, nullptr);
    EXPECT_TRUE(progress.Advance(1, 1000));
    EXPECT_FALSE(dialog->isVisible());  // quick work shows nothing
    QElapsedTimer clock;
    clock.start();
    for (size_t done = 2; clock.elapsed() < 800; ++done) {
        ASSERT_TRUE(progress.Advance(done, 1000));
        QThread::msleep(10);
    }
    ASSERT_TRUE(dialog->isVisible());
    EXPECT_EQ(dialog->labelText(), QStringLiteral("Сохранение файла «a.csv»…"));
    QTest::keyClick(dialog, Qt::Key_Escape);  // the key a dialogue is left by
    EXPECT_FALSE(progress.Advance(998, 1000));
    EXPECT_TRUE(progress.Cancelled());
    auto* cancel = dialog->findChild<QPushButton*>();
    ASSERT_NE(cancel, nullptr);
    EXPECT_EQ(cancel->text(), QStringLiteral("Отмена"));
    cancel->click();
    EXPECT_FALSE(progress.Advance(999, 1000));
    EXPECT_TRUE(progress.Cancelled());
}

// Saves the run through the file dialogue, typing `name` and choosing the
// filter; answers a failure message into `failure`.
void SaveThroughTheDialogue(const Tabulation& run, const QString& path, int filter,
                            QString* failure = nullptr) {
    QString title;
    QString text;
    std::vector<ModalAnswerer::Handler> handlers = {[&](QDialog& box) {
        auto* files = qobject_cast<QFileDialog*>(&box);
        ASSERT_NE(files, nullptr);
        EXPECT_EQ(files->nameFilters(),
                  QStringList({QStringLiteral("Текст (*.txt)"),
                               QStringLiteral("CSV для таблиц, десятичная запятая (*.csv)"),
                               QStringLiteral("CSV для программ, десятичная точка (*.csv)"),
                               QStringLiteral("Книга Excel (*.xlsx)")}));
        files->selectNameFilter(files->nameFilters()[filter]);
        files->setDirectory(QFileInfo(path).path());
        auto* name = files->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
        ASSERT_NE(name, nullptr);
        name->setText(QFileInfo(path).fileName());  // as typed
        static_cast<QDialog*>(files)->accept();     // its own accept, as its "Save" button
    }};
    if (failure != nullptr) {
        handlers.push_back(ReadMessage(title, text));
    }
    ModalAnswerer answerer(handlers);
    QWidget owner;
    SaveRun(&owner, run);
    if (failure != nullptr) {
        EXPECT_EQ(title, QStringLiteral("Файл не сохранён"));
        *failure = text;
    }
}

TEST(TableSaving, SavesEveryFormThroughTheFileDialogue) {
    const Tabulation run = RunScripted(Answer::Yes, {"10", "16", "1", std::nullopt});
    QTemporaryDir folder;
    SaveThroughTheDialogue(run, folder.filePath(QStringLiteral("run")), 0);
    EXPECT_EQ(FileBytes(folder.filePath(QStringLiteral("run.txt"))),
              QByteArray::fromStdString(run.state.CoordinatesText));
    SaveThroughTheDialogue(run, folder.filePath(QStringLiteral("comma")), 1);
    EXPECT_EQ(FileBytes(folder.filePath(QStringLiteral("comma.csv"))),
              QByteArray::fromStdString(TableCsv(run.record, DecimalMark::Comma)));
    SaveThroughTheDialogue(run, folder.filePath(QStringLiteral("point")), 2);
    EXPECT_EQ(FileBytes(folder.filePath(QStringLiteral("point.csv"))),
              QByteArray::fromStdString(TableCsv(run.record, DecimalMark::Point)));
    SaveThroughTheDialogue(run, folder.filePath(QStringLiteral("book")), 3);
    EXPECT_TRUE(FileBytes(folder.filePath(QStringLiteral("book.xlsx"))).startsWith("PK"));
    // Nothing half-made is left beside the files.
    EXPECT_EQ(QDir(folder.path()).entryList(QDir::Files | QDir::Hidden),
              QStringList({"book.xlsx", "comma.csv", "point.csv", "run.txt"}));
}

// The default closed-form run, and a folder holding one earlier file.
class SavingBesideAFile : public testing::Test {
protected:
    void SetUp() override { ASSERT_EQ(WriteFileAtomically(earlier_, "earlier"), QString()); }

    const Tabulation run_ = RunScripted(Answer::No, {std::nullopt, std::nullopt, std::nullopt});
    QTemporaryDir folder_;
    const QString earlier_ = folder_.filePath(QStringLiteral("run.csv"));
};

TEST_F(SavingBesideAFile, DialogueTellsOfAFailure) {
    QString failure;
    // A file where a folder is meant.
    SaveThroughTheDialogue(run_, earlier_ + QStringLiteral("/inside.txt"), 0, &failure);
    EXPECT_TRUE(failure.startsWith(QStringLiteral("Не удалось сохранить файл «")))
        << failure.toStdString();
    EXPECT_TRUE(failure.contains(QStringLiteral("Прежний файл, если он был, не изменён")));
}

TEST_F(SavingBesideAFile, OverwriteQuestionSeesTheSuffixTheFilterAdds) {
    QString question;
    ModalAnswerer answerer({[&](QDialog& box) {
                                auto* files = qobject_cast<QFileDialog*>(&box);
                                ASSERT_NE(files, nullptr);
                                files->selectNameFilter(files->nameFilters()[1]);  // a CSV
                                files->setDirectory(folder_.path());
                                files->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"))
                                    ->setText(QStringLiteral("run"));
                                // From a timer of its own, so that the answerer's
                                // reaches the question this opens.
                                QTimer::singleShot(
                                    0, files, [files] { static_cast<QDialog*>(files)->accept(); });
                            },
                            [&](QDialog& box) {
                                question = ShownQuestion(box);
                                auto* files = qobject_cast<QDialog*>(box.parentWidget());
                                box.reject();  // "No": keep the earlier file
                                QTimer::singleShot(0, files, [files] { files->reject(); });
                            }});
    QWidget owner;
    SaveRun(&owner, run_);
    EXPECT_TRUE(question.contains(QStringLiteral("run.csv"))) << question.toStdString();
    EXPECT_EQ(FileBytes(earlier_), QByteArray("earlier"));
}

// What WriteFileAtomically says as an ordinary user: root may write anyway,
// so a root test process asks a child that has become the user nobody.
QString WriteAsOrdinaryUser(const QString& path) {
    if (geteuid() != 0) {
        return WriteFileAtomically(path, "new");
    }
    int ends[2];
    if (pipe(ends) != 0) {
        return QStringLiteral("(no pipe)");
    }
    const pid_t child = fork();
    if (child == 0) {
        close(ends[0]);
        constexpr uid_t kNobody = 65534;
        const bool dropped = setgid(kNobody) == 0 && setuid(kNobody) == 0;
        const QByteArray said =
            dropped ? WriteFileAtomically(path, "new").toUtf8() : QByteArray("(setuid failed)");
        const ssize_t written = write(ends[1], said.data(), static_cast<size_t>(said.size()));
        _exit(written == said.size() ? 0 : 1);
    }
    close(ends[1]);
    QByteArray said;
    char buffer[512];
    for (ssize_t got; (got = read(ends[0], buffer, sizeof buffer)) > 0;) {
        said.append(buffer, got);
    }
    close(ends[0]);
    waitpid(child, nullptr, 0);
    return QString::fromUtf8(said);
}

TEST(TableSaving, ReadOnlyFileIsNotMistakenForAReadOnlyFolder) {
    QTemporaryDir folder;
    QFile::setPermissions(folder.path(), QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                                             QFileDevice::ExeOwner | QFileDevice::ReadOther |
                                             QFileDevice::WriteOther | QFileDevice::ExeOther);
    const QString file = folder.filePath(QStringLiteral("read-only.csv"));
    ASSERT_EQ(WriteFileAtomically(file, "earlier"), QString());
    QFile::setPermissions(file, QFileDevice::ReadOwner | QFileDevice::ReadOther);
    EXPECT_EQ(WriteAsOrdinaryUser(file), QStringLiteral("файл «%1» защищён от записи").arg(file));
    EXPECT_EQ(FileBytes(file), QByteArray("earlier"));

    QFile::setPermissions(folder.path(), QFileDevice::ReadOwner | QFileDevice::ExeOwner |
                                             QFileDevice::ReadOther | QFileDevice::ExeOther);
    EXPECT_EQ(WriteAsOrdinaryUser(folder.filePath(QStringLiteral("new.csv"))),
              QStringLiteral("нет прав на запись в папку «%1»").arg(folder.path()));
    QFile::setPermissions(folder.path(),
                          QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
}

}  // namespace
