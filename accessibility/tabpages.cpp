#include "accessibility/tabpages.h"

#include <QStackedWidget>
#include <QTabWidget>

#include "accessibility/accessiblerole.h"

void NameTheirPages(QTabWidget* tabs) {
    SetAccessibleRole(tabs, QAccessible::Pane);  // a panel of pages, not a filler
    if (auto* pages = tabs->findChild<QStackedWidget*>()) {
        pages->setAccessibleName(QStringLiteral("Страницы вкладок"));
    }
    for (int i = 0; i < tabs->count(); ++i) {
        if (tabs->widget(i)->metaObject() == &QWidget::staticMetaObject) {
            SetAccessibleRole(tabs->widget(i), QAccessible::Pane);  // a plain holder of controls
        }
        tabs->widget(i)->setAccessibleName(QStringLiteral("Страница «%1»").arg(tabs->tabText(i)));
    }
}
