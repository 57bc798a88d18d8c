#include "table/table.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <span>

#include "analysis/exactvalue.h"
#include "analysis/remedies.h"
#include "analysis/workingprecision.h"
#include "evaluation/formulas.h"
#include "evaluation/sweep.h"
#include "evaluation/vectorstate.h"
#include "numtext/arithmeticfault.h"
#include "numtext/formatnumber.h"
#include "textout/shorttext.h"

namespace {

Cell Real(double value) {
    return {Cell::Kind::Real, value};
}

Cell Optional(const std::optional<double>& value) {
    return value ? Real(*value) : Cell{};
}

// A remedy's error against y*, or nothing where the remedy itself faults.
template <typename Remedy>
double RemedyError(const ExactReference& exact, Remedy remedy) {
    try {
        return exact.ErrorOf(remedy());
    } catch (const ArithmeticFault&) {
        return std::nan("");
    }
}

void FillSeries(TableRow& row, const RunRecord& record, const ExactReference& exact, size_t index) {
    const double precision = record.recipe.precision;
    row.series = record.Series()[index];
    row.closedForm = ClosedFormValue(row.x);
    row.closedFormError = exact.ErrorOf(row.closedForm);
    row.seriesError = exact.ErrorOf(row.y);
    if (row.exact != 0) {
        row.digitsLost = std::log10(row.series.MagnitudeSum / std::fabs(row.exact));
    }
    row.truncationBound = TruncationBound(row.x, row.series.TermIndex, row.series.Term);
    row.guaranteed = IsGuaranteed(row.x, row.series, precision);
    row.bitsNeeded = BitsNeeded(row.series, precision);
    row.reducedError = RemedyError(exact, [&] { return ReducedSeriesValue(row.x, precision); });
    // The same terms the sweep summed without fault: they add up without one too.
    row.compensatedError =
        RemedyError(exact, [&] { return CompensatedSeriesValue(row.x, precision); });
}

}  // namespace

std::vector<TableColumn> TableColumns(FormulaChoice choice) {
    using C = TableColumn;
    if (choice == FormulaChoice::ClosedForm) {
        return {C::Number, C::X, C::Y, C::Exact, C::ClosedFormError};
    }
    return {C::Number,
            C::X,
            C::Y,
            C::Guaranteed,
            C::SeriesError,
            C::Exact,
            C::ClosedFormError,
            C::ClosedForm,
            C::TermCount,
            C::LastTerm,
            C::MagnitudeSum,
            C::DigitsLost,
            C::RoundingBound,
            C::TruncationBound,
            C::BitsNeeded,
            C::ReducedError,
            C::CompensatedError};
}

namespace {

struct ColumnText {
    TableColumn column;
    std::string_view heading;
    std::string_view description;
};

// In the order of TableColumn.
constexpr ColumnText kColumnTexts[] = {
    {TableColumn::Number, "№", "Номер строки в порядке перебора."},
    {TableColumn::X, "x",
     "Абсцисса: начальное значение плюс шаг, прибавленный столько раз, сколько строк выше "
     "(накопленная сумма шагов, как в тексте координат)."},
    {TableColumn::Y, "y",
     "Значение функции из текста координат: сумма ряда или формула 2((cos x)^2 − 1), как "
     "выбрано."},
    {TableColumn::Guaranteed, "Точность гарантирована",
     "«да», если доказано, что сумма ряда отличается от точного значения не больше чем на "
     "заданную точность: оценка округления и оценка отбрасывания вместе не больше неё."},
    {TableColumn::SeriesError, "|Ряд − точное|",
     "Фактическая погрешность суммы ряда: модуль её разности с точным значением y*."},
    {TableColumn::Exact, "Точное значение",
     "Точное значение y* = cos 2x − 1, вычисленное как −2·sin²x с доказанной точностью и "
     "округлённое до ближайшего числа double."},
    {TableColumn::ClosedFormError, "|Формула − точное|",
     "Погрешность формулы 2((cos x)^2 − 1), вычисленной в числах double, относительно y*."},
    {TableColumn::ClosedForm, "Формула",
     "Значение формулы 2((cos x)^2 − 1) в числах double рядом с суммой ряда, для сравнения."},
    {TableColumn::TermCount, "Членов ряда",
     "Сколько членов сложено: суммирование останавливается на первом члене, модуль которого "
     "не больше точности."},
    {TableColumn::LastTerm, "Последний член",
     "Последний сложенный член Tₙ = (−1)ⁿ(2x)²ⁿ/(2n)!; его модуль не больше точности."},
    {TableColumn::MagnitudeSum, "Σ|Tₖ|",
     "Сумма модулей сложенных членов. Чем больше она |y*|, тем больше знаков теряется, когда "
     "большие члены разных знаков уничтожают друг друга."},
    {TableColumn::DigitsLost, "Потеряно знаков",
     "lg(Σ|Tₖ| / |y*|): сколько десятичных знаков из примерно 16 у double съедает это "
     "взаимное уничтожение."},
    {TableColumn::RoundingBound, "Оценка округления",
     "Доказанная граница ошибки округления суммы: γ(n − 1)·Σ|Tₖ| + Σγ(2k + 4)·|Tₖ|, где "
     "γ(m) = mu/(1 − mu) и u = 2⁻⁵³."},
    {TableColumn::TruncationBound, "Оценка отбрасывания",
     "Доказанная граница суммы отброшенных членов: модуль первого из них (члены знакочередуются "
     "и убывают). «—», если члены ещё росли."},
    {TableColumn::BitsNeeded, "Битов нужно",
     "Наименьшая рабочая точность в битах, при которой оценка округления этой строки (та же "
     "формула с u = 2⁻ᵖ) не больше заданной точности. У double 53 бита; «—» — больше 1024."},
    {TableColumn::ReducedError, "|Приведённый ряд − точное|",
     "Погрешность первого средства: ряд в точке r = x − kπ, |r| ≤ π/2, где члены малы и "
     "уничтожения почти нет (y имеет период π)."},
    {TableColumn::CompensatedError, "|Компенсированная сумма − точное|",
     "Погрешность второго средства: те же члены, сложенные с поправкой на ошибку каждого "
     "сложения. Не помогает, когда ошибка уже в самих больших членах."},
};
static_assert(std::size(kColumnTexts) == static_cast<size_t>(TableColumn::CompensatedError) + 1);

const ColumnText& TextOf(TableColumn column) {
    return kColumnTexts[static_cast<size_t>(column)];
}

}  // namespace

std::string_view ColumnHeading(TableColumn column) {
    return TextOf(column).heading;
}

std::string_view ColumnDescription(TableColumn column) {
    return TextOf(column).description;
}

TableRow RowOf(const RunRecord& record, size_t index) {
    ClearUpperVectorState();  // rows are made between paints, writes and copies
    TableRow row;
    row.number = static_cast<std::int64_t>(index) + 1;
    row.x = record.X()[index];
    row.y = record.Y()[index];
    const ExactReference exact(row.x);
    row.exact = exact.Value();
    if (record.IsSeries()) {
        FillSeries(row, record, exact, index);
    } else {
        row.closedFormError = exact.ErrorOf(row.y);
    }
    return row;
}

Cell CellOf(const TableRow& row, TableColumn column) {
    switch (column) {
        case TableColumn::Number:
            return {Cell::Kind::Integer, static_cast<double>(row.number)};
        case TableColumn::X:
            return Real(row.x);
        case TableColumn::Y:
            return Real(row.y);
        case TableColumn::Guaranteed:
            return {row.guaranteed ? Cell::Kind::Yes : Cell::Kind::No};
        case TableColumn::SeriesError:
            return Real(row.seriesError);
        case TableColumn::Exact:
            return Real(row.exact);
        case TableColumn::ClosedFormError:
            return Real(row.closedFormError);
        case TableColumn::ClosedForm:
            return Real(row.closedForm);
        case TableColumn::TermCount:
            return {Cell::Kind::Integer, static_cast<double>(row.series.TermIndex)};
        case TableColumn::LastTerm:
            return Real(row.series.Term);
        case TableColumn::MagnitudeSum:
            return Real(row.series.MagnitudeSum);
        case TableColumn::DigitsLost:
            return Optional(row.digitsLost);
        case TableColumn::RoundingBound:
            return Real(row.series.RoundingBound);
        case TableColumn::TruncationBound:
            return Optional(row.truncationBound);
        case TableColumn::BitsNeeded:
            return row.bitsNeeded ? Cell{Cell::Kind::Integer, static_cast<double>(*row.bitsNeeded)}
                                  : Cell{};
        case TableColumn::ReducedError:
            return std::isnan(row.reducedError) ? Cell{} : Real(row.reducedError);
        case TableColumn::CompensatedError:
            return std::isnan(row.compensatedError) ? Cell{} : Real(row.compensatedError);
    }
    return {};
}

void AppendFileCell(std::string& out, const Cell& cell, DecimalMark mark) {
    switch (cell.kind) {
        case Cell::Kind::Empty:
            return;
        case Cell::Kind::Integer:
            out.append(std::to_string(static_cast<std::int64_t>(cell.value)));
            return;
        case Cell::Kind::Real: {
            const size_t start = out.size();
            AppendShortestNumber(out, cell.value);
            if (mark == DecimalMark::Comma) {
                for (size_t i = start; i < out.size(); ++i) {
                    out[i] = out[i] == '.' ? ',' : out[i] == 'e' ? 'E' : out[i];
                }
            }
            return;
        }
        case Cell::Kind::Yes:
            out.append("да");
            return;
        case Cell::Kind::No:
            out.append("нет");
            return;
    }
}

std::string ShownNumber(const Cell& cell) {
    switch (cell.kind) {
        case Cell::Kind::Empty:
            return "—";
        case Cell::Kind::Integer:
            return std::to_string(static_cast<std::int64_t>(cell.value));
        case Cell::Kind::Yes:
            return "да";
        case Cell::Kind::No:
            return "нет";
        case Cell::Kind::Real:
            break;
    }
    return ShortNumber(cell.value);
}

std::string ShownCell(const Cell& cell, TableColumn column, FormulaChoice choice) {
    if (cell.kind != Cell::Kind::Real || (column != TableColumn::X && column != TableColumn::Y)) {
        return ShownNumber(cell);
    }
    std::string text;
    if (column == TableColumn::X) {
        AppendAbscissaText(text, cell.value);
    } else {
        AppendValueText(text, cell.value, choice);
    }
    return text;
}

std::vector<double> ClosedFormColumn(const RunRecord& record) {
    ClearUpperVectorState();
    std::vector<double> values;
    values.reserve(record.LineCount());
    for (double x : record.X()) {
        values.push_back(ClosedFormValue(x));
    }
    return values;
}

namespace {

// Eights in place of every digit: the widest digit in most fonts.
std::string Eights(std::string text) {
    for (char& c : text) {
        if (c >= '0' && c <= '9') {
            c = '8';
        }
    }
    return text;
}

// The widest of a coordinate text for values up to `largest` in magnitude:
// every integer digit, all the pattern's decimals, a sign.
std::string WidestPatterned(double largest, int decimals) {
    std::string text = "-";
    AppendFormattedNumber(text, largest, NumberPattern("0"));
    text = Eights(std::move(text));
    text.push_back('.');
    text.append(static_cast<size_t>(decimals), '8');
    return text;
}

double Largest(std::span<const double> values) {
    double largest = 0;
    for (double value : values) {
        largest = std::max(largest, std::fabs(value));
    }
    return largest;
}

}  // namespace

std::string WidestShownText(TableColumn column, const RunRecord& record) {
    constexpr int kAbscissaDecimals = 9;
    constexpr int kSeriesDecimals = 12;
    constexpr int kClosedFormDecimals = 3;
    switch (column) {
        case TableColumn::Number:
            return Eights(std::to_string(std::max<size_t>(record.LineCount(), 1)));
        case TableColumn::X:
            return WidestPatterned(Largest(record.X()), kAbscissaDecimals);
        case TableColumn::Y:
            return WidestPatterned(Largest(record.Y()),
                                   record.IsSeries() ? kSeriesDecimals : kClosedFormDecimals);
        case TableColumn::Guaranteed:
            return "нет";
        case TableColumn::TermCount:
            return "88";
        default:
            return "-8.888e-888";
    }
}

std::string BookNumberFormat(const Cell& cell, TableColumn column, FormulaChoice choice) {
    if (cell.kind != Cell::Kind::Integer && cell.kind != Cell::Kind::Real) {
        return {};
    }
    const std::string shown = ShownCell(cell, column, choice);
    const size_t exponent = shown.find('e');
    const std::string_view mantissa = std::string_view(shown).substr(0, exponent);
    const size_t point = mantissa.find('.');
    const size_t decimals = point == std::string_view::npos ? 0 : mantissa.size() - point - 1;
    std::string format = decimals == 0 ? "0" : "0." + std::string(decimals, '0');
    return exponent == std::string::npos ? format : format + "E+00";
}
