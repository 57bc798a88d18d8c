#include "dialogues/textlinesmodel.h"

#include <cstring>

TextLinesModel::TextLinesModel(std::string_view text, QObject* parent)
    : QAbstractListModel(parent), text_(text) {
    for (size_t start = 0; start < text.size();) {
        lineStarts_.push_back(start);
        const void* lineFeed = std::memchr(text.data() + start, '\n', text.size() - start);
        start = lineFeed == nullptr
                    ? text.size()
                    : static_cast<size_t>(static_cast<const char*>(lineFeed) - text.data()) + 1;
    }
}

int TextLinesModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(lineStarts_.size());
}

QVariant TextLinesModel::data(const QModelIndex& index, int role) const {
    if (role != Qt::DisplayRole || !index.isValid() || index.row() >= rowCount()) {
        return {};
    }
    return Line(index.row());
}

QString TextLinesModel::Line(int row) const {
    const std::string_view bytes = LineBytes(row);
    return QString::fromUtf8(bytes.data(), static_cast<qsizetype>(bytes.size()));
}

int TextLinesModel::LongestRow() const {
    int longest = 0;
    for (int row = 1; row < rowCount(); ++row) {
        if (LineBytes(row).size() > LineBytes(longest).size()) {
            longest = row;
        }
    }
    return longest;
}

std::string_view TextLinesModel::LineBytes(int row) const {
    const auto index = static_cast<size_t>(row);
    const size_t start = lineStarts_[index];
    const size_t next = index + 1 < lineStarts_.size() ? lineStarts_[index + 1] : text_.size();
    std::string_view line = text_.substr(start, next - start);
    if (line.ends_with('\n')) {
        line.remove_suffix(1);
    }
    if (line.ends_with('\r')) {
        line.remove_suffix(1);
    }
    return line;
}
