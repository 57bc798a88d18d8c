#include "saving/runsaving.h"

#include <algorithm>
#include <array>
#include <new>
#include <vector>

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>

#include "dialogues/messagebox.h"
#include "evaluation/tabulation.h"
#include "files/atomicfile.h"
#include "messages/savemessages.h"
#include "saving/plotimage.h"
#include "saving/progressdialogue.h"
#include "table/csv.h"
#include "table/xlsx.h"

namespace {

// A filter of the file dialogue and what it saves.
struct Filter {
    const char* text;
    SaveForm form;
};

constexpr std::array<Filter, 4> kRunFilters = {{
    {"Текст (*.txt)", SaveForm::Text},
    {"CSV для таблиц, десятичная запятая (*.csv)", SaveForm::CsvComma},
    {"CSV для программ, десятичная точка (*.csv)", SaveForm::CsvPoint},
    {"Книга Excel (*.xlsx)", SaveForm::Xlsx},
}};

struct PlotFilter {
    const char* text;
    PlotFormat format;
    int scale;
};

constexpr std::array<PlotFilter, 5> kPlotFilters = {{
    {"PNG, как на экране (*.png)", PlotFormat::Png, 1},
    {"PNG, вдвое крупнее (*.png)", PlotFormat::Png, 2},
    {"PNG, втрое крупнее (*.png)", PlotFormat::Png, 3},
    {"SVG (*.svg)", PlotFormat::Svg, 1},
    {"PDF (*.pdf)", PlotFormat::Pdf, 1},
}};

// Bytes of the text written between two words to the progress.
constexpr size_t kTextChunkBytes = size_t{1} << 20;

// The text in pieces, so its progress can be told and stopped.
bool WriteTextInPieces(ByteSink& sink, std::string_view text, WorkProgress* progress) {
    for (size_t done = 0; done < text.size();) {
        const size_t piece = std::min(kTextChunkBytes, text.size() - done);
        if (!sink.Write(text.substr(done, piece))) {
            return false;
        }
        done += piece;
        if (progress != nullptr && !progress->Advance(done, text.size())) {
            return false;
        }
    }
    return true;
}

void ShowCancelled(QWidget* parent, const QString& path) {
    MessageBox box(parent, SaveCancelledMessage(QDir::toNativeSeparators(path).toStdString()),
                   QString::fromUtf8(kSaveCancelledTitle));
    box.exec();
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
    SaveFileDialog(QWidget* parent, const QString& title, const QStringList& filters,
                   QStringList suffixes)
        : QFileDialog(parent, title), filters_(filters), suffixes_(std::move(suffixes)) {
        setAcceptMode(QFileDialog::AcceptSave);
        setNameFilters(filters);
    }

    int ChosenFilter() const {
        return std::max<int>(0, static_cast<int>(filters_.indexOf(selectedNameFilter())));
    }

    void accept() override {
        setDefaultSuffix(suffixes_.value(ChosenFilter()));
        QFileDialog::accept();
    }

private:
    QStringList filters_;
    QStringList suffixes_;
};

QString SuffixOf(SaveForm form) {
    switch (form) {
        case SaveForm::Text:
            return QStringLiteral("txt");
        case SaveForm::CsvComma:
        case SaveForm::CsvPoint:
            return QStringLiteral("csv");
        case SaveForm::Xlsx:
            break;
    }
    return QStringLiteral("xlsx");
}

}  // namespace

SaveTarget ChooseSaveTarget(const QString& chosenPath, SaveForm filterForm) {
    const QString suffix = QFileInfo(chosenPath).suffix().toLower();
    if (suffix == QLatin1String("txt")) {
        return {chosenPath, SaveForm::Text};
    }
    if (suffix == QLatin1String("xlsx")) {
        return {chosenPath, SaveForm::Xlsx};
    }
    if (suffix == QLatin1String("csv")) {
        return {chosenPath,
                filterForm == SaveForm::CsvPoint ? SaveForm::CsvPoint : SaveForm::CsvComma};
    }
    if (suffix.isEmpty()) {  // as the dialogue would have named it
        return {chosenPath + QLatin1Char('.') + SuffixOf(filterForm), filterForm};
    }
    return {chosenPath, filterForm};
}

QString SaveRunAs(const Tabulation& run, const SaveTarget& target, WorkProgress* progress) {
    try {
        switch (target.form) {
            case SaveForm::Text:
                return WriteFileAtomically(target.path, [&](ByteSink& sink) {
                    return WriteTextInPieces(sink, run.Text(), progress);
                });
            case SaveForm::CsvComma:
            case SaveForm::CsvPoint: {
                const DecimalMark mark =
                    target.form == SaveForm::CsvComma ? DecimalMark::Comma : DecimalMark::Point;
                return WriteFileAtomically(target.path, [&](ByteSink& sink) {
                    return WriteTableCsv(run.record, sink, mark, progress);
                });
            }
            case SaveForm::Xlsx:
                break;
        }
        return WriteFileAtomicallyBy(target.path, [&](const std::string& path) {
            return WriteTableXlsx(run.record, path, "tabulator " TABULATOR_VERSION, progress);
        });
    } catch (const std::bad_alloc&) {
        return OutOfMemoryCause(target.path);
    }
}

void SaveRun(QWidget* parent, const Tabulation& run, SaveOffer offer) {
    // The table's forms first where the table is what is shown.
    std::vector<Filter> offered(kRunFilters.begin(), kRunFilters.end());
    if (offer == SaveOffer::TableFirst) {
        std::rotate(offered.begin(), offered.begin() + 1, offered.end());
    }
    QStringList filters;
    QStringList suffixes;
    for (const Filter& filter : offered) {
        filters.append(QString::fromUtf8(filter.text));
        suffixes.append(SuffixOf(filter.form));
    }
    SaveFileDialog dialog(parent, QStringLiteral("Сохранить таблицу"), filters, suffixes);
    dialog.setObjectName(QStringLiteral("saveDialog"));
    dialog.selectFile(offer == SaveOffer::TableFirst ? QStringLiteral("таблица.csv")
                                                     : QStringLiteral("координаты.txt"));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) {
        return;
    }
    const SaveTarget target = ChooseSaveTarget(
        dialog.selectedFiles().front(), offered[static_cast<size_t>(dialog.ChosenFilter())].form);
    QString failure;
    bool cancelled = false;
    {
        ProgressDialogue progress(
            parent,
            QStringLiteral("Сохранение файла «%1»…").arg(QFileInfo(target.path).fileName()));
        failure = SaveRunAs(run, target, &progress);
        cancelled = progress.Cancelled();
    }  // the progress and its cursor gone before any message
    if (cancelled) {
        ShowCancelled(parent, target.path);
    } else if (!failure.isEmpty()) {
        ShowFailure(parent, target.path, failure);
    }
}

void SavePlot(QWidget* parent, QSize size, const std::function<void(QPainter&)>& draw) {
    QStringList filters;
    QStringList suffixes;
    for (const PlotFilter& filter : kPlotFilters) {
        filters.append(QString::fromUtf8(filter.text));
        suffixes.append(filter.format == PlotFormat::Png   ? QStringLiteral("png")
                        : filter.format == PlotFormat::Svg ? QStringLiteral("svg")
                                                           : QStringLiteral("pdf"));
    }
    SaveFileDialog dialog(parent, QStringLiteral("Сохранить график"), filters, suffixes);
    dialog.setObjectName(QStringLiteral("savePlotDialog"));
    dialog.selectFile(QStringLiteral("график.png"));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) {
        return;
    }
    const PlotFilter& chosen = kPlotFilters[static_cast<size_t>(dialog.ChosenFilter())];
    const QString path = dialog.selectedFiles().front();
    // A name's own suffix decides the format; the filter, a PNG's scale.
    const PlotFormat format = PlotFormatOf(path).value_or(chosen.format);
    const int scale =
        format == PlotFormat::Png && chosen.format == PlotFormat::Png ? chosen.scale : 1;
    QString failure;
    try {
        failure = WritePlotImage(path, format, size, scale, draw, QStringLiteral("График"));
    } catch (const std::bad_alloc&) {
        failure = OutOfMemoryCause(path);
    }
    if (!failure.isEmpty()) {
        ShowFailure(parent, path, failure);
    }
}
