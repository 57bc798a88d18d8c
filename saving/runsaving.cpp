#include "saving/runsaving.h"

#include <cerrno>
#include <new>

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QSaveFile>

#include "dialogues/messagebox.h"
#include "evaluation/vectorstate.h"
#include "messages/savemessages.h"
#include "table/csv.h"

namespace {

constexpr char kTextFilter[] = "Текст (*.txt)";
constexpr char kCsvFilter[] = "CSV (*.csv)";

// A sink into a file being saved, that remembers why a write failed.
class SaveFileSink : public ByteSink {
public:
    explicit SaveFileSink(QSaveFile& file) : file_(file) {}
    bool Write(std::string_view bytes) override {
        const auto size = static_cast<qint64>(bytes.size());
        if (file_.write(bytes.data(), size) == size) {
            return true;
        }
        errorNumber = errno;
        return false;
    }
    int errorNumber = 0;

private:
    QSaveFile& file_;
};

// Why a file could not be opened for saving, from the file system's state.
SaveCause OpenFailureCause(const QString& path) {
    const QFileInfo file(path);
    const QFileInfo folder(file.absolutePath());
    if (!folder.exists()) {
        return SaveCause::FolderMissing;
    }
    if (!folder.isDir()) {
        return SaveCause::FolderIsAFile;
    }
    if (file.isDir()) {
        return SaveCause::NameIsAFolder;
    }
    if (file.exists() && !file.isWritable()) {
        return SaveCause::FileReadOnly;
    }
    if (!folder.isWritable()) {
        return SaveCause::FolderReadOnly;
    }
    return SaveCause::Other;
}

// Why bytes could not be written, from the system's error number.
SaveCause WriteFailureCause(int errorNumber) {
    switch (errorNumber) {
        case ENOSPC:
            return SaveCause::DiskFull;
        case EDQUOT:
            return SaveCause::QuotaExceeded;
        case EFBIG:
            return SaveCause::FileTooLarge;
        default:
            return SaveCause::Other;
    }
}

QString CauseText(SaveCause cause, const QString& path, const QString& systemText) {
    const QString folder = QFileInfo(path).absolutePath();
    return QString::fromStdString(SaveCauseText(cause, QDir::toNativeSeparators(path).toStdString(),
                                                QDir::toNativeSeparators(folder).toStdString(),
                                                systemText.toStdString()));
}

void ShowFailure(QWidget* parent, const QString& path, const QString& cause) {
    const std::string text =
        SaveFailureMessage(QDir::toNativeSeparators(path).toStdString(), cause.toStdString());
    MessageBox box(parent, text, QString::fromUtf8(kSaveFailureTitle));
    box.exec();
}

// The file dialogue, which gives a name typed without a suffix that of the
// chosen filter before it looks whether such a file exists.
class SaveFileDialog : public QFileDialog {
public:
    using QFileDialog::QFileDialog;

    void accept() override {
        setDefaultSuffix(selectedNameFilter() == QString::fromUtf8(kCsvFilter)
                             ? QStringLiteral("csv")
                             : QStringLiteral("txt"));
        QFileDialog::accept();
    }
};

}  // namespace

QString WriteFileAtomically(const QString& path, const std::function<bool(ByteSink&)>& write) {
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) {
        return CauseText(OpenFailureCause(path), path, file.errorString());
    }
    SaveFileSink sink(file);
    if (write(sink) && file.commit()) {
        return {};
    }
    const int errorNumber = sink.errorNumber != 0 ? sink.errorNumber : errno;
    const QString systemText = file.errorString();
    file.cancelWriting();
    return CauseText(WriteFailureCause(errorNumber), path, systemText);
}

QString WriteFileAtomically(const QString& path, std::string_view bytes) {
    return WriteFileAtomically(path, [bytes](ByteSink& sink) { return sink.Write(bytes); });
}

SaveTarget ChooseSaveTarget(const QString& chosenPath, bool csvFilterChosen) {
    const QString suffix = QFileInfo(chosenPath).suffix().toLower();
    if (suffix == QLatin1String("csv") || suffix == QLatin1String("txt")) {
        return {chosenPath, suffix == QLatin1String("csv")};
    }
    if (suffix.isEmpty()) {  // as the dialogue would have named it
        return {chosenPath + (csvFilterChosen ? QStringLiteral(".csv") : QStringLiteral(".txt")),
                csvFilterChosen};
    }
    return {chosenPath, csvFilterChosen};
}

QString SaveRunAs(const std::string& text, const RunRecord& record, const SaveTarget& target) {
    ClearUpperVectorState();  // after painting, the closed form's cosine would run slower
    try {
        if (target.csv) {
            return WriteFileAtomically(
                target.path, [&record](ByteSink& sink) { return WriteTableCsv(record, sink); });
        }
        return WriteFileAtomically(target.path, text);
    } catch (const std::bad_alloc&) {
        return CauseText(SaveCause::OutOfMemory, target.path, {});
    }
}

void SaveRun(QWidget* parent, const std::string& text, const RunRecord& record) {
    SaveFileDialog dialog(parent, QStringLiteral("Сохранить таблицу"));
    dialog.setObjectName(QStringLiteral("saveDialog"));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setNameFilters({QString::fromUtf8(kTextFilter), QString::fromUtf8(kCsvFilter)});
    dialog.selectFile(QStringLiteral("координаты.txt"));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) {
        return;
    }
    const SaveTarget target =
        ChooseSaveTarget(dialog.selectedFiles().front(),
                         dialog.selectedNameFilter() == QString::fromUtf8(kCsvFilter));
    const QString failure = SaveRunAs(text, record, target);
    if (!failure.isEmpty()) {
        ShowFailure(parent, target.path, failure);
    }
}
