#include "support/shownview.h"

#include <utility>

#include <QApplication>
#include <QTabWidget>
#include <QTest>

#include "view/runplot.h"

void ShownViewTest::OpenView(Answer choice, std::vector<std::optional<std::string>> replies,
                             Tab tab) {
    run_ = RunScripted(choice, std::move(replies));
    view_.emplace(nullptr, run_);
    view_->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&*view_));
    tabs_ = view_->findChild<QTabWidget*>();
    plot_ = view_->findChild<RunPlot*>(QStringLiteral("plot"));
    ASSERT_NE(tabs_, nullptr);
    ASSERT_NE(plot_, nullptr);
    ShowTab(tab);
}

void ShownViewTest::ShowTab(Tab tab) {
    tabs_->setCurrentIndex(tab);
    // A page laid out for the first time may ask its window for more room:
    // the layouts settle over a few rounds of events.
    for (int round = 0; round < 3; ++round) {
        QApplication::processEvents();
    }
}
