#include "window/readinghint.h"

#include <charconv>
#include <string>

#include <QString>

#include "numtext/readnumber.h"

namespace {

// The longest ignored text quoted in full; a longer one is cut with "…".
constexpr qsizetype kQuotedRestLength = 20;

// The shortest text that reads back as the same real, with "." as the point.
QString ShortestText(double value) {
    if (value == 0) {
        return QStringLiteral("0");  // "-0" reads, and computes, as 0
    }
    char buffer[32];
    const auto written = std::to_chars(buffer, buffer + sizeof buffer, value);
    return QString::fromLatin1(buffer, written.ptr - buffer);
}

QString IgnoredRestNote(const QString& rest) {
    if (rest.startsWith(QLatin1Char(','))) {
        return QStringLiteral(
            " Дробную часть отделяйте точкой «.»: запятая и всё после неё не учитываются.");
    }
    const QString quoted =
        rest.size() > kQuotedRestLength ? rest.left(kQuotedRestLength) + QStringLiteral("…") : rest;
    return QStringLiteral(" Остальное («%1») не учитывается.").arg(quoted);
}

}  // namespace

QString ReadingHint(const QString& typed) {
    const std::string bytes = typed.toStdString();
    const NumberReading reading = ReadNumberReport(bytes);
    if (reading.beyondRange) {
        return QStringLiteral("Число вне допустимого диапазона: вычисление будет прервано.");
    }
    if (!reading.hasNumber) {
        const bool blank = typed.trimmed().isEmpty();
        return blank || !typed.trimmed().startsWith(QLatin1Char(','))
                   ? QStringLiteral("Число не найдено: будет прочитано 0.")
                   : QStringLiteral(
                         "Число не найдено: будет прочитано 0. Дробную часть "
                         "отделяйте точкой «.», а не запятой.");
    }
    QString hint = QStringLiteral("Будет прочитано: ") + ShortestText(reading.value);
    const QString rest = QString::fromStdString(bytes.substr(reading.end)).trimmed();
    if (!rest.isEmpty()) {
        hint += QLatin1Char('.') + IgnoredRestNote(rest);
    }
    return hint;
}
