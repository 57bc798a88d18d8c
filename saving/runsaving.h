#pragma once

#include <functional>
#include <string>

#include <QSize>
#include <QString>

class QPainter;
class QWidget;
class RunRecord;
struct Tabulation;
class WorkProgress;

// The forms a run saves in: the coordinates text byte for byte; the table as
// CSV for spreadsheets ("," decimals, a byte-order mark) or for programs
// ("." decimals); the table as an Excel book.
enum class SaveForm { Text, CsvComma, CsvPoint, Xlsx };

// Which form and file a chosen name asks for: ".txt" the text, ".xlsx" the
// book, ".csv" the CSV of the chosen CSV filter (the comma form under any
// other filter); any other name the chosen filter's form. A name with a
// suffix is kept as it is, for that is the name the file dialogue asked about
// before overwriting; one without gets the filter's.
//   ("a.csv", Text) -> CsvComma, "a.csv"; ("a.dat", CsvPoint) -> CsvPoint, "a.dat"
//   ("a", Xlsx) -> Xlsx, "a.xlsx"
struct SaveTarget {
    QString path;
    SaveForm form = SaveForm::Text;
};
SaveTarget ChooseSaveTarget(const QString& chosenPath, SaveForm filterForm);

// Writes the run (its coordinates text, or its record's table) to the target
// in its form, atomically; the Russian cause of a failure, or an empty text.
// `progress` (if any) is told as the file grows; where it says stop, the
// file is not written and any earlier one stays as it was (the cause given
// is then of no use: the caller knows it stopped).
QString SaveRunAs(const Tabulation& run, const SaveTarget& target,
                  WorkProgress* progress = nullptr);

// Asks through the desktop's file dialogue where and in which form to save
// the run: "Текст (*.txt)", "CSV для таблиц, десятичная запятая (*.csv)",
// "CSV для программ, десятичная точка (*.csv)", "Книга Excel (*.xlsx)". A
// name typed without a suffix gets the chosen filter's before the dialogue
// asks whether to overwrite a file of that name. Writes the file, showing
// its progress with «Отмена» where it takes more than half a second, and
// tells the user of a failure or of the save stopped; the run itself is
// never touched. The file dialogue's object name is "saveDialog".
// `offer`: the text's form first (the coordinates box, which shows the
// text), or the table's forms first, the text last (the view, which shows
// the table).
enum class SaveOffer { TextFirst, TableFirst };
void SaveRun(QWidget* parent, const Tabulation& run, SaveOffer offer = SaveOffer::TextFirst);

// Asks where and how to save a plot of `size` logical pixels, drawn by
// `draw`: "PNG, как на экране", "PNG, вдвое крупнее", "PNG, втрое крупнее",
// "SVG" or "PDF"; writes it atomically and tells of a failure. The file
// dialogue's object name is "savePlotDialog".
void SavePlot(QWidget* parent, QSize size, const std::function<void(QPainter&)>& draw);
