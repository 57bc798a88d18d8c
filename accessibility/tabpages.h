#pragma once

class QTabWidget;

// Names a tab widget's inner pages for a screen reader, after their tabs
// ("Страница «Таблица»"), and gives the widget and its plain pages the role
// of panels, so a reader names each page as it is turned to.
void NameTheirPages(QTabWidget* tabs);
