#pragma once

#include <QDialog>
#include <QTextBrowser>

class QLineEdit;
class QLabel;

// The help's pages, from the program's resources: "help.html", the lesson,
// with the tables' columns listed from their own headings and descriptions,
// and "about.html", with the version and the libraries' versions at run time.
class HelpBrowser : public QTextBrowser {
    Q_OBJECT

public:
    explicit HelpBrowser(QWidget* parent);

    QVariant loadResource(int type, const QUrl& name) override;
};

// "Справка": the help in a window of its own beside the one it is opened
// from: a page browser whose links work, a search field (Ctrl+F; Enter and
// F3 find the next match, from the top again past the last), and buttons for
// the contents, "О программе" and closing. Object names: "helpBrowser",
// "helpFind", "helpFound", "contentsButton", "aboutButton", "closeButton".
class HelpWindow : public QDialog {
    Q_OBJECT

public:
    explicit HelpWindow(QWidget* parent);

    // Shows the page at `page` ("help.html", "about.html", with an anchor
    // "help.html#columns").
    void Open(const QString& page);
    // Finds the next match of the search field's text; whether there was one.
    bool FindNext();

private:
    HelpBrowser* browser_ = nullptr;
    QLineEdit* find_ = nullptr;
    QLabel* found_ = nullptr;
};

// Opens the help over `parent`, at `page`, or brings up the one already open.
void ShowHelp(QWidget* parent, const QString& page = QStringLiteral("help.html"));

// Adds F1 to `window`: the help at `page`.
void AddHelpKey(QWidget* window, const QString& page = QStringLiteral("help.html"));
