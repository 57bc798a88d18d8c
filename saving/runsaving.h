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
// success, else what went wrong, in Russian:
//   a folder that does not exist -> "папка «/no/such» не найдена"
QString WriteFileAtomically(const QString& path, const std::function<bool(ByteSink&)>& write);
// The same for bytes already made.
QString WriteFileAtomically(const QString& path, std::string_view bytes);

// Which of the two forms a file name asks for: the coordinates text (".txt")
// or the table as CSV (".csv"); other names take the form of the chosen
// filter, whose suffix they are given.
//   ("a.csv", text filter) -> CSV, "a.csv"; ("a", CSV filter) -> CSV, "a.csv"
struct SaveTarget {
    QString path;
    bool csv = false;
};
SaveTarget ChooseSaveTarget(const QString& typedPath, bool csvFilterChosen);

// Writes the run (its coordinates text, or its record's table as CSV) to the
// target in its form; what WriteFileAtomically returns.
QString SaveRunAs(const std::string& text, const RunRecord& record, const SaveTarget& target);

// Asks through the desktop's file dialogue where and how to save the run:
// "Текст (*.txt)", the coordinates text byte for byte, or "CSV (*.csv)", the
// table. Writes it and tells the user of a failure; the run itself is never
// touched. The file dialogue's object name is "saveDialog".
void SaveRun(QWidget* parent, const std::string& text, const RunRecord& record);
