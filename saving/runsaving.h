#pragma once

#include <functional>
#include <string>
#include <string_view>

#include <QString>

class ByteSink;
class QWidget;
class RunRecord;

// Writes a file at `path` atomically (QSaveFile): `write` puts the bytes into
// the sink it is given, and either the whole new file takes the place of any
// earlier one, or the earlier one stays as it was. Returns an empty text on
// success, else the cause, in Russian, from what the file system reports:
//   a folder that does not exist -> "папка «/no/such» не найдена"
//   a file that may not be written -> "файл «/a/b.csv» защищён от записи"
//   a full disk -> "на диске нет места"
QString WriteFileAtomically(const QString& path, const std::function<bool(ByteSink&)>& write);
// The same for bytes already made.
QString WriteFileAtomically(const QString& path, std::string_view bytes);

// Which of the two forms a file name asks for: the coordinates text (".txt")
// or the table as CSV (".csv"); any other name takes the form of the chosen
// filter. A name with a suffix is kept as it is, for that is the name the file
// dialogue asked about before overwriting; one without gets the filter's.
//   ("a.csv", text filter) -> CSV, "a.csv"; ("a.dat", CSV filter) -> CSV, "a.dat"
//   ("a", CSV filter) -> CSV, "a.csv"
struct SaveTarget {
    QString path;
    bool csv = false;
};
SaveTarget ChooseSaveTarget(const QString& chosenPath, bool csvFilterChosen);

// Writes the run (its coordinates text, or its record's table as CSV) to the
// target in its form; what WriteFileAtomically returns.
QString SaveRunAs(const std::string& text, const RunRecord& record, const SaveTarget& target);

// Asks through the desktop's file dialogue where and how to save the run:
// "Текст (*.txt)", the coordinates text byte for byte, or "CSV (*.csv)", the
// table. A name typed without a suffix gets the chosen filter's before the
// dialogue asks whether to overwrite a file of that name. Writes the file and
// tells the user of a failure; the run itself is never touched. The file
// dialogue's object name is "saveDialog".
void SaveRun(QWidget* parent, const std::string& text, const RunRecord& record);
