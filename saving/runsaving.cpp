#include "saving/runsaving.h"

#include <new>

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QSaveFile>

#include "dialogues/messagebox.h"
#include "evaluation/vectorstate.h"
#include "table/csv.h"

namespace {

constexpr char kTextFilter[] = "Текст (*.txt)";
constexpr char kCsvFilter[] = "CSV (*.csv)";
constexpr char kFailureTitle[] = "Файл не сохранён";

// A sink into a file being saved.
class SaveFileSink : public ByteSink {
public:
    explicit SaveFileSink(QSaveFile& file) : file_(file) {}
    bool Write(std::string_view bytes) override {
        const auto size = static_cast<qint64>(bytes.size());
        return file_.write(bytes.data(), size) == size;
    }

private:
    QSaveFile& file_;
};

QString OpenFailure(const QString& path) {
    const QFileInfo file(path);
    const QFileInfo folder(file.absolutePath());
    if (!folder.exists()) {
        return QStringLiteral("папка «%1» не найдена")
            .arg(QDir::toNativeSeparators(folder.filePath()));
    }
    if (!folder.isDir()) {
        return QStringLiteral("«%1» — не папка").arg(QDir::toNativeSeparators(folder.filePath()));
    }
    if (file.isDir()) {
        return QStringLiteral("под этим именем уже есть папка");
    }
    return QStringLiteral("нет прав на запись в папку «%1»")
        .arg(QDir::toNativeSeparators(folder.filePath()));
}

void ShowFailure(QWidget* parent, const QString& path, const QString& reason) {
    const std::string text =
        QStringLiteral(
            "Не удалось сохранить файл «%1»: %2.\r\nПрежний файл, если он был, не "
            "изменён; таблица по-прежнему в программе.")
            .arg(QDir::toNativeSeparators(path), reason)
            .toStdString();
    MessageBox box(parent, text, QString::fromUtf8(kFailureTitle));
    box.exec();
}

}  // namespace

QString WriteFileAtomically(const QString& path, const std::function<bool(ByteSink&)>& write) {
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) {
        return OpenFailure(path);
    }
    SaveFileSink sink(file);
    if (!write(sink) || !file.commit()) {
        file.cancelWriting();
        return QStringLiteral("данные не записаны до конца (возможно, на диске нет места)");
    }
    return {};
}

QString WriteFileAtomically(const QString& path, std::string_view bytes) {
    return WriteFileAtomically(path, [bytes](ByteSink& sink) { return sink.Write(bytes); });
}

SaveTarget ChooseSaveTarget(const QString& typedPath, bool csvFilterChosen) {
    const QString suffix = QFileInfo(typedPath).suffix().toLower();
    if (suffix == QLatin1String("csv") || suffix == QLatin1String("txt")) {
        return {typedPath, suffix == QLatin1String("csv")};
    }
    return {typedPath + (csvFilterChosen ? QStringLiteral(".csv") : QStringLiteral(".txt")),
            csvFilterChosen};
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
        return QStringLiteral("не хватило памяти");
    }
}

void SaveRun(QWidget* parent, const std::string& text, const RunRecord& record) {
    QFileDialog dialog(parent, QStringLiteral("Сохранить таблицу"));
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
