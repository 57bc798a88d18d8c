#include <set>

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QTest>
#include <QTextBlock>
#include <QTextDocument>
#include <gtest/gtest.h>

#include "analysis/exactvalue.h"
#include "help/helpwindow.h"
#include "support/scripteddialogues.h"
#include "table/table.h"
#include "table/termstable.h"
#include "table/xlsx.h"
#include "view/tableplotdialog.h"

namespace {

// Every link of a page: its targets, and the anchors it names.
struct Links {
    std::set<QString> targets;
    std::set<QString> anchors;
};

Links LinksOf(const QTextDocument& document) {
    Links links;
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
        for (auto fragment = block.begin(); !fragment.atEnd(); ++fragment) {
            const QTextCharFormat format = fragment.fragment().charFormat();
            if (!format.anchorHref().isEmpty()) {
                links.targets.insert(format.anchorHref());
            }
            for (const QString& name : format.anchorNames()) {
                links.anchors.insert(name);
            }
        }
    }
    return links;
}

class HelpTest : public testing::Test {
protected:
    void SetUp() override {
        help_.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&help_));
        browser_ = help_.findChild<HelpBrowser*>(QStringLiteral("helpBrowser"));
        ASSERT_NE(browser_, nullptr);
    }

    HelpWindow help_{nullptr};
    HelpBrowser* browser_ = nullptr;
};

TEST_F(HelpTest, HoldsEveryColumnsHeadingAndWhatItIs) {
    const QString text = browser_->document()->toPlainText();
    for (int i = 0; i <= static_cast<int>(TableColumn::CompensatedError); ++i) {
        const auto column = static_cast<TableColumn>(i);
        EXPECT_TRUE(text.contains(QString::fromUtf8(ColumnHeading(column).data())))
            << ColumnHeading(column);
        EXPECT_TRUE(text.contains(QString::fromUtf8(ColumnDescription(column).data())));
    }
    for (const TermColumn column : TermColumns()) {
        EXPECT_TRUE(text.contains(QString::fromUtf8(TermHeading(column).data())));
    }
    for (const char* topic : {"Точность гарантирована", "Средства", "Рабочая точность",
                              "Многочлены Тейлора", "Пример: x = 15", "Клавиши"}) {
        EXPECT_TRUE(text.contains(QString::fromUtf8(topic))) << topic;
    }
}

TEST_F(HelpTest, EveryLinkLeadsSomewhere) {
    const Links links = LinksOf(*browser_->document());
    ASSERT_GE(links.targets.size(), 10u);
    for (const QString& target : links.targets) {
        SCOPED_TRACE(target.toStdString());
        if (target.startsWith(QLatin1Char('#'))) {
            EXPECT_TRUE(links.anchors.contains(target.mid(1)));
        } else {
            EXPECT_FALSE(browser_->loadResource(QTextDocument::HtmlResource, QUrl(target))
                             .toString()
                             .isEmpty());
        }
    }
    help_.Open(QStringLiteral("about.html"));
    const Links about = LinksOf(*browser_->document());
    EXPECT_TRUE(about.targets.contains(QStringLiteral("help.html")));
}

TEST_F(HelpTest, AboutNamesTheVersionsAtRunTime) {
    help_.Open(QStringLiteral("about.html"));
    const QString text = browser_->document()->toPlainText();
    EXPECT_TRUE(text.contains(QStringLiteral("О программе")));
    EXPECT_TRUE(text.contains(QStringLiteral("tabulator " TABULATOR_VERSION)));
    EXPECT_TRUE(text.contains(QStringLiteral("Qt ") + QString::fromLatin1(qVersion())));
    EXPECT_TRUE(text.contains(QStringLiteral("MPFR ") + QString::fromLatin1(MpfrVersion())));
    EXPECT_TRUE(text.contains(QStringLiteral("libxlsxwriter ") +
                              QString::fromStdString(XlsxWriterVersion())));
    EXPECT_FALSE(text.contains(QStringLiteral("{{")));
}

TEST_F(HelpTest, FindsTextAndSaysWhenThereIsNone) {
    auto* find = help_.findChild<QLineEdit*>(QStringLiteral("helpFind"));
    const auto* found = help_.findChild<QLabel*>(QStringLiteral("helpFound"));
    find->setText(QStringLiteral("Битов нужно"));
    EXPECT_TRUE(help_.FindNext());
    EXPECT_EQ(browser_->textCursor().selectedText(), QStringLiteral("Битов нужно"));
    EXPECT_TRUE(help_.FindNext()) << "again, and from the top past the last";
    find->setText(QStringLiteral("абракадабра"));
    EXPECT_FALSE(help_.FindNext());
    EXPECT_EQ(found->text(), QStringLiteral("Не найдено"));
    QTest::keyClick(&help_, Qt::Key_F, Qt::ControlModifier);
    EXPECT_TRUE(find->hasFocus());
}

TEST(HelpKey, F1InTheViewOpensTheHelp) {
    const Tabulation run =
        RunScripted(Answer::Yes, {std::nullopt, std::nullopt, std::nullopt, std::nullopt});
    TablePlotDialog view(nullptr, run);
    view.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&view));
    EXPECT_EQ(view.findChild<HelpWindow*>(), nullptr);
    QTest::keyClick(&view, Qt::Key_F1);
    const HelpWindow* help = view.findChild<HelpWindow*>();
    ASSERT_NE(help, nullptr);
    EXPECT_TRUE(help->isVisible());
    QTest::keyClick(&view, Qt::Key_F1);
    EXPECT_EQ(view.findChildren<HelpWindow*>().size(), 1) << "the one already open";
}

}  // namespace
