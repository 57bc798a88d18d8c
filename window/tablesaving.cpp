#include "window/tablesaving.h"

#include <new>
#include <string>

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QSaveFile>

#include "evaluation/table.h"
#include "window/messagebox.h"
#include "window/vectorstate.h"

namespace {

constexpr char kTextFilter[] = "Текст (*.txt)";
constexpr char kCsvFilter[] = "CSV (*.csv)";
constexpr char kFailureTitle[] = "Файл не сохранён";

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

QString WriteFileAtomically(const QString& path, std::string_view bytes) {
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) {
        return OpenFailure(path);
    }
    const auto size = static_cast<qint64>(bytes.size());
    if (file.write(bytes.data(), size) != size || !file.commit()) {
        file.cancelWriting();
        return QStringLiteral("данные не записаны до конца (возможно, на диске нет места)");
    }
    return {};
}

SaveTarget ChooseSaveTarget(const QString& typedPath, bool csvFilterChosen) {
    const QString suffix = QFileInfo(typedPath).suffix().toLower();
    if (suffix == QLatin1String("csv") || suffix == QLatin1String("txt")) {
        return {typedPath, suffix == QLatin1String("csv")};
    }
    return {typedPath + (csvFilterChosen ? QStringLiteral(".csv") : QStringLiteral(".txt")),
            csvFilterChosen};
}

QString SaveRunAs(const SweepState& run, const SaveTarget& target) {
    ClearUpperVectorState();  // after painting, pow would run several times slower
    try {
        return target.csv ? WriteFileAtomically(target.path, TableCsv(run))
                          : WriteFileAtomically(target.path, run.CoordinatesText);
    } catch (const std::bad_alloc&) {
        return QStringLiteral("не хватило памяти");
    }
}

void SaveRun(QWidget* parent, const SweepState& run) {
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
    const QString failure = SaveRunAs(run, target);
    if (!failure.isEmpty()) {
        ShowFailure(parent, target.path, failure);
    }
}
