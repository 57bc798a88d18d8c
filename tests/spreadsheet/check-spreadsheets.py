"""Reads the program's files back as a spreadsheet would: the Excel book with
openpyxl (cell types, values, formats, the frozen heading, the recipe sheet;
each number as its format shows it against what the view shows: x and y as
the coordinates print them, other reals with four significant digits)
and the CSV for Russian spreadsheets (its byte-order mark, and numbers that
parse back, "," taken for ".", to the very reals of the CSV for programs).
The book's numbers are the table's reals as Debian's libxlsxwriter writes
them, with 16 significant digits: each reads back as the real itself or its
neighbour. Usage: check-spreadsheets.py TABULATOR VERSION"""

import os
import subprocess
import sys
import tempfile

import openpyxl

TABULATOR, VERSION = sys.argv[1], sys.argv[2]
failures = []


def check(holds, what):
    if not holds:
        failures.append(what)


def run(arguments):
    finished = subprocess.run([TABULATOR] + arguments, capture_output=True, check=False)
    check(finished.returncode == 0, f"{arguments}: status {finished.returncode}")
    return finished.stdout.decode("utf-8")


def rows(csv):
    return [line.split(";") for line in csv.split("\r\n") if line]


def shown_by_format(number_format, value):
    """A number as a spreadsheet shows it by the book's formats: "0", "0.000",
    "0.00E+00"."""
    mantissa = number_format.split("E")[0]
    decimals = len(mantissa.split(".")[1]) if "." in mantissa else 0
    text = f"{value:.{decimals}E}" if "E" in number_format else f"{value:.{decimals}f}"
    return text.lstrip("-") if float(text) == 0 else text


def shown_by_view(value, column, integers):
    """What the view shows of a number that is not x or y."""
    if column in integers:
        return str(int(value))
    return "0" if value == 0 else f"{value:.4g}"


def check_shown(cells, coordinates, integers):
    for row, line in zip(cells[1:], coordinates):
        x, y = line[1:-1].split(";")
        for column, cell in enumerate(row):
            if cell.data_type != "n" or cell.value is None:
                continue
            wanted = {1: x, 2: y}.get(column) or shown_by_view(cell.value, column, integers)
            shown = shown_by_format(cell.number_format, cell.value)
            check(shown.lower() == wanted.lower(),
                  f"{cell.coordinate}: shows {shown} ({cell.number_format}), the view {wanted}")


def check_book(path, point_rows, formats, recipe):
    book = openpyxl.load_workbook(path)
    check(book.sheetnames == ["Таблица", "Параметры"], f"sheets {book.sheetnames}")
    sheet = book["Таблица"]
    check(sheet.freeze_panes == "A2", f"frozen at {sheet.freeze_panes}")
    cells = list(sheet.iter_rows())
    check(len(cells) == len(point_rows), f"{len(cells)} rows against {len(point_rows)}")
    check([cell.value for cell in cells[0]] == point_rows[0], "the headings")
    for row, fields in zip(cells[1:], point_rows[1:]):
        for cell, field in zip(row, fields):
            if field == "":
                check(cell.value is None, f"{cell.coordinate}: {cell.value!r} for an empty field")
            elif field in ("да", "нет"):
                check(cell.value == field and cell.data_type == "s", f"{cell.coordinate}")
            else:
                check(cell.data_type == "n", f"{cell.coordinate} is {cell.data_type}, not a number")
                check(float(cell.value) == float(f"{float(field):.16G}"),
                      f"{cell.coordinate}: {cell.value!r} against {field}")
    for column, wanted in formats.items():
        check(cells[1][column].number_format == wanted,
              f"column {column}: format {cells[1][column].number_format}")
    values = {name: value for name, value in book["Параметры"].iter_rows(min_row=2,
                                                                          values_only=True)}
    for name, wanted in recipe.items():
        check(values.get(name) == wanted, f"recipe {name}: {values.get(name)!r}")


def check_comma_csv(comma, point_rows):
    check(comma.startswith("\ufeff"), "the byte-order mark")
    comma_rows = rows(comma.lstrip("\ufeff"))
    check(comma_rows[0] == point_rows[0], "the comma form's headings")
    for fields, point_fields in zip(comma_rows[1:], point_rows[1:]):
        for field, point_field in zip(fields, point_fields):
            check("." not in field, f"a point in {field}")
            if point_field not in ("", "да", "нет"):
                check(float(field.replace(",", ".")) == float(point_field),
                      f"{field} against {point_field}")


with tempfile.TemporaryDirectory() as folder:
    series = os.path.join(folder, "series.xlsx")
    arguments = ["--print", "--series", "--start", "0", "--end", "16", "--step", "0.05"]
    point = run(arguments + ["--csv", "--xlsx", series])
    check_book(series, rows(point), {0: "0", 1: "0.0", 2: "0", 5: "0"},
               {"Способ вычисления": "степенной ряд", "Начальное значение Х": 0,
                "Конечное значение Х": 16, "Шаг": 0.05, "Точность": 1.9753086e-05,
                "Число строк": 320, "Программа": "tabulator " + VERSION})
    check_comma_csv(run(arguments + ["--csv-comma"]), rows(point))
    check_shown(list(openpyxl.load_workbook(series)["Таблица"].iter_rows()),
                run(arguments).split("\r\n"), integers={0, 8})

    closed = os.path.join(folder, "closed.xlsx")
    arguments = ["--print", "--closed-form", "--start", "-3", "--end", "3", "--step", "0.25"]
    point = run(arguments + ["--csv", "--xlsx", closed])
    check_book(closed, rows(point), {0: "0", 1: "0.0", 2: "0.00"},
               {"Способ вычисления": "формула 2((cos(x))^2-1)", "Число строк": 25})
    check_comma_csv(run(arguments + ["--csv-comma"]), rows(point))
    check_shown(list(openpyxl.load_workbook(closed)["Таблица"].iter_rows()),
                run(arguments).split("\r\n"), integers={0})

for failure in failures[:20]:
    print("spreadsheets:", failure)
print(f"spreadsheets: {len(failures)} failures" if failures else "spreadsheets: read back whole")
sys.exit(1 if failures else 0)
