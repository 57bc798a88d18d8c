#include "help/helpwindow.h"

#include <string>
#include <string_view>

#include <QFile>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QShortcut>
#include <QTextDocument>
#include <QVBoxLayout>

#include "accessibility/accessiblerole.h"
#include "analysis/exactvalue.h"
#include "dialogues/dialoguelayout.h"
#include "table/table.h"
#include "table/termstable.h"
#include "table/xlsx.h"

namespace {

constexpr double kScreenShare = 0.6;

QString Html(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())).toHtmlEscaped();
}

// A list of headings and what they are.
template <typename Column>
QString ColumnList(const std::vector<Column>& columns, std::string_view (*heading)(Column),
                   std::string_view (*description)(Column)) {
    QString list = QStringLiteral("<ul>");
    for (const Column column : columns) {
        list += QStringLiteral("<li><b>%1</b> — %2</li>")
                    .arg(Html(heading(column)), Html(description(column)));
    }
    return list + QStringLiteral("</ul>");
}

std::vector<TableColumn> EveryTableColumn() {
    std::vector<TableColumn> columns;
    for (int i = 0; i <= static_cast<int>(TableColumn::CompensatedError); ++i) {
        columns.push_back(static_cast<TableColumn>(i));
    }
    return columns;
}

QString Page(const QString& name) {
    QFile file(QStringLiteral(":/help/") + name);
    if (!file.open(QIODevice::ReadOnly)) {
        return {};
    }
    return QString::fromUtf8(file.readAll());
}

QPushButton* MakeButton(QWidget* parent, const QString& text, const char* objectName) {
    auto* button = new QPushButton(text, parent);
    button->setObjectName(QString::fromLatin1(objectName));
    button->setAutoDefault(false);
    return button;
}

}  // namespace

HelpBrowser::HelpBrowser(QWidget* parent) : QTextBrowser(parent) {
    setSearchPaths({QStringLiteral(":/help")});
    setOpenExternalLinks(false);
}

QVariant HelpBrowser::loadResource(int type, const QUrl& name) {
    if (type != QTextDocument::HtmlResource) {
        return QTextBrowser::loadResource(type, name);
    }
    const QString file = name.fileName();
    QString page = Page(file);
    if (page.isEmpty()) {
        return QTextBrowser::loadResource(type, name);
    }
    if (file == QLatin1String("help.html")) {
        page.replace(QStringLiteral("<!--columns-->"),
                     ColumnList(EveryTableColumn(), &ColumnHeading, &ColumnDescription));
        page.replace(QStringLiteral("<!--terms-->"),
                     ColumnList(TermColumns(), &TermHeading, &TermDescription));
    } else if (file == QLatin1String("about.html")) {
        page.replace(QStringLiteral("{{version}}"), QStringLiteral(TABULATOR_VERSION));
        page.replace(QStringLiteral("{{qt}}"), QString::fromLatin1(qVersion()));
        page.replace(QStringLiteral("{{mpfr}}"), QString::fromLatin1(MpfrVersion()));
        page.replace(QStringLiteral("{{xlsx}}"), QString::fromStdString(XlsxWriterVersion()));
    }
    return page;
}

HelpWindow::HelpWindow(QWidget* parent) : QDialog(parent) {
    setWindowTitle(QStringLiteral("Справка"));
    browser_ = new HelpBrowser(this);
    browser_->setObjectName(QStringLiteral("helpBrowser"));
    browser_->setAccessibleName(QStringLiteral("Текст справки"));
    find_ = new QLineEdit(this);
    find_->setObjectName(QStringLiteral("helpFind"));
    find_->setPlaceholderText(QStringLiteral("Найти в справке (Ctrl+F)"));
    find_->setAccessibleName(QStringLiteral("Найти в справке"));
    find_->setClearButtonEnabled(true);
    found_ = new QLabel(this);
    found_->setObjectName(QStringLiteral("helpFound"));
    auto* findButton = MakeButton(this, QStringLiteral("Найти далее"), "findButton");
    auto* contents = MakeButton(this, QStringLiteral("Содержание"), "contentsButton");
    auto* about = MakeButton(this, QStringLiteral("О программе"), "aboutButton");
    auto* close = MakeButton(this, QStringLiteral("Закрыть"), "closeButton");
    connect(find_, &QLineEdit::returnPressed, this, &HelpWindow::FindNext);
    connect(findButton, &QPushButton::clicked, this, &HelpWindow::FindNext);
    connect(contents, &QPushButton::clicked, this, [this] { Open(QStringLiteral("help.html")); });
    connect(about, &QPushButton::clicked, this, [this] { Open(QStringLiteral("about.html")); });
    connect(close, &QPushButton::clicked, this, &QDialog::close);
    auto* focusFind = new QShortcut(QKeySequence::Find, this);
    connect(focusFind, &QShortcut::activated, this, [this] {
        find_->setFocus();
        find_->selectAll();
    });
    auto* next = new QShortcut(QKeySequence::FindNext, this);
    connect(next, &QShortcut::activated, this, &HelpWindow::FindNext);

    auto* search = new QHBoxLayout;
    search->addWidget(find_, 1);
    search->addWidget(findButton);
    search->addWidget(found_);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(search);
    layout->addWidget(browser_, 1);
    layout->addLayout(MakeButtonRow({contents, about, close}));
    Open(QStringLiteral("help.html"));
    SizeToScreenShare(this, kScreenShare);
    browser_->setFocus();
}

void HelpWindow::Open(const QString& page) {
    browser_->setSource(QUrl(page));
}

bool HelpWindow::FindNext() {
    const QString text = find_->text();
    if (text.isEmpty()) {
        found_->clear();
        return false;
    }
    bool found = browser_->find(text);
    if (!found) {  // from the top again
        QTextCursor start = browser_->textCursor();
        start.movePosition(QTextCursor::Start);
        browser_->setTextCursor(start);
        found = browser_->find(text);
    }
    found_->setText(found ? QString() : QStringLiteral("Не найдено"));
    return found;
}

void ShowHelp(QWidget* parent, const QString& page) {
    auto* help = parent->findChild<HelpWindow*>(QString(), Qt::FindDirectChildrenOnly);
    if (help == nullptr) {
        help = new HelpWindow(parent);
        help->setAttribute(Qt::WA_DeleteOnClose);
    }
    help->Open(page);
    help->show();
    help->raise();
    help->activateWindow();
}

void AddHelpKey(QWidget* window, const QString& page) {
    auto* key = new QShortcut(QKeySequence::HelpContents, window);
    key->setContext(Qt::WindowShortcut);
    QObject::connect(key, &QShortcut::activated, window,
                     [window, page] { ShowHelp(window, page); });
}
