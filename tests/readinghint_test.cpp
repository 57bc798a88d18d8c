#include "messages/readinghint.h"

#include <string>

#include <gtest/gtest.h>

namespace {

TEST(ReadingHint, HeaderExamples) {
    const struct {
        const char* typed;
        const char* hint;
    } rows[] = {
        {"0.1", "Будет прочитано: 0.1"},
        {"0,5",
         "Будет прочитано: 0. Дробную часть отделяйте точкой «.»: запятая и всё после неё не "
         "учитываются."},
        {"2 м", "Будет прочитано: 2. Остальное («м») не учитывается."},
        {"abc", "Число не найдено: будет прочитано 0."},
        {"1e400", "Число вне допустимого диапазона: вычисление будет прервано."},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.typed);
        EXPECT_EQ(ReadingHint(row.typed), row.hint);
    }
}

TEST(ReadingHint, ShowsTheRealReadExactlyWithAPoint) {
    const struct {
        const char* typed;
        const char* shown;
    } rows[] = {
        {".000019753086", "1.9753086e-05"},  // the precision's default text
        {"  -0.30000000000000004", "-0.30000000000000004"},
        {"1e-5", "1e-05"},
        {"123456789012345678901", "123456789012345683968"},  // the real read, digit for digit
        {"-0", "0"},
        {"1e-400", "0"},
        {"+7.", "7"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.typed);
        EXPECT_EQ(ReadingHint(row.typed), std::string("Будет прочитано: ") + row.shown);
    }
}

TEST(ReadingHint, SaysWhatIsIgnoredAndWhy) {
    const struct {
        const char* typed;
        const char* hint;
    } rows[] = {
        {"0.5 ", "Будет прочитано: 0.5"},  // trailing blanks are nothing to mention
        {"", "Число не найдено: будет прочитано 0."},
        {"   ", "Число не найдено: будет прочитано 0."},
        {",5",
         "Число не найдено: будет прочитано 0. Дробную часть отделяйте точкой «.», а не "
         "запятой."},
        {"1 2 3 4 5 6 7 8 9 10 11",
         "Будет прочитано: 1. Остальное («2 3 4 5 6 7 8 9 10 1…») не учитывается."},
        {"-2.5e", "Будет прочитано: -2.5. Остальное («e») не учитывается."},
        // Cut after 20 letters, none of them in two.
        {"5 абвгдеёжзийклмнопрстуф",
         "Будет прочитано: 5. Остальное («абвгдеёжзийклмнопрст…») не учитывается."},
        {"5 абвгдеёжзийклмнопрст",
         "Будет прочитано: 5. Остальное («абвгдеёжзийклмнопрст») не учитывается."},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.typed);
        EXPECT_EQ(ReadingHint(row.typed), row.hint);
    }
}

}  // namespace
