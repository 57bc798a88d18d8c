#pragma once

#include <string_view>
#include <vector>

#include <QAbstractListModel>

// The lines of a UTF-8 text as a list, one row per line, for showing texts
// of up to millions of lines at once: rows are decoded only when a view asks
// for them. Lines end in CR LF (or LF alone), which the rows leave out; a text
// ending in a line break has no empty last row. The text must outlive the model.
class TextLinesModel : public QAbstractListModel {
    Q_OBJECT

public:
    TextLinesModel(std::string_view text, QObject* parent);

    int rowCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;

    // The row's text, without its line break.
    QString Line(int row) const;
    // The row of the most bytes, a stand-in for the widest on screen.
    int LongestRow() const;

private:
    std::string_view LineBytes(int row) const;

    std::string_view text_;
    std::vector<size_t> lineStarts_;
};
