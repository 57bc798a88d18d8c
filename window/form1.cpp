#include "window/form1.h"

#include <new>
#include <string>

#include <QFont>
#include <QIcon>
#include <QLabel>
#include <QPushButton>
#include <QScreen>

#include "numtext/arithmeticfault.h"
#include "window/twips.h"

namespace {

constexpr char kCaption[] = "Ornel";
constexpr char kTitleText[] = "     Табулирование функций";  // the blanks keep clear of the icon
constexpr char kEnterDataText[] = "Ввод данных";
constexpr char kShowCoordinatesText[] = "Вывод координат точек функции";
constexpr char kExitText[] = "X";
constexpr char kExitTip[] = "Выход";
constexpr char kMinimiseText[] = "_";
constexpr char kMinimiseTip[] = "Свернуть";

constexpr char kCoordinatesTitle[] = "Вывод функции";
constexpr char kCoordinatesHeading[] = "Полученные координаты\r\n\r\n";
constexpr char kFaultTitle[] = "Ошибка вычисления";
constexpr char kFaultHeading[] = "Вычисление прервано.\r\n";
constexpr char kLinesKeptNote[] = "\r\nТочки, полученные до ошибки, сохранены.";
constexpr char kOutOfMemoryMessage[] = "Не хватило памяти для таблицы точек.";

// Geometry in twips.
constexpr TwipsRect kFormArea = {0, 0, 4695, 1335};
constexpr TwipsRect kCommand5Area = {120, 960, 4455, 255};
constexpr TwipsRect kCommand4Area = {120, 600, 4455, 255};
constexpr TwipsRect kCommand3Area = {0, 480, 4695, 855};
constexpr TwipsRect kCommand1Area = {4320, 120, 255, 255};
constexpr TwipsRect kCommand2Area = {3960, 120, 255, 255};
constexpr TwipsRect kImage1Area = {120, 120, 255, 255};
constexpr TwipsRect kLabel1Area = {60, 60, 4575, 375};

constexpr double kTitleButtonPoints = 8.25;
constexpr double kTitlePoints = 12;

// The title bar's bold font, asked for by name; the style hint finds a
// sans-serif stand-in with Cyrillic letters where the font is missing.
QFont TitleBarFont(double points) {
    QFont font(QStringLiteral("MS Sans Serif"));
    font.setStyleHint(QFont::SansSerif);
    font.setPointSizeF(points);
    font.setBold(true);
    return font;
}

QPushButton* MakeButton(QWidget* parent, const char* name, const char* caption,
                        const char* toolTip) {
    auto* button = new QPushButton(QString::fromUtf8(caption), parent);
    button->setObjectName(QString::fromUtf8(name));
    button->setToolTip(QString::fromUtf8(toolTip));
    button->setAutoDefault(true);  // Enter, like Space, activates the focused button
    return button;
}

constexpr char kSmallIcon[] = ":/icons/icon16.xpm";
constexpr char kLargeIcon[] = ":/icons/icon32.xpm";  // also Image1's picture

QIcon ChartIcon() {
    QIcon icon;
    icon.addFile(QString::fromLatin1(kSmallIcon), QSize(16, 16));
    icon.addFile(QString::fromLatin1(kLargeIcon), QSize(32, 32));
    return icon;
}

std::string FaultReport(const ArithmeticFault& fault, bool linesKept) {
    return kFaultHeading + std::string(fault.what()) + (linesKept ? kLinesKeptNote : "");
}

}  // namespace

Form1::Form1(QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::FramelessWindowHint), dialogues_(this) {
    CreateControls();
    ConnectActions();
    PlaceControls();
    setWindowTitle(QString::fromUtf8(kCaption));
    setWindowIcon(ChartIcon());
    Command4->setFocus();
}

void Form1::CreateControls() {
    // Made from the bottom of the stacking order up: later siblings lie on top.
    Label1 = new QLabel(QString::fromUtf8(kTitleText), this);
    Label1->setObjectName(QStringLiteral("Label1"));
    Label1->setTextFormat(Qt::PlainText);
    Label1->setFont(TitleBarFont(kTitlePoints));
    Label1->setAutoFillBackground(true);
    Label1->setBackgroundRole(QPalette::Highlight);  // stands in for the active title bar
    Label1->setForegroundRole(QPalette::HighlightedText);

    Image1 = new QLabel(this);
    Image1->setObjectName(QStringLiteral("Image1"));
    Image1->setPixmap(QPixmap(QString::fromLatin1(kLargeIcon)));
    Image1->setScaledContents(true);

    Command2 = MakeButton(this, "Command2", kMinimiseText, kMinimiseTip);
    Command2->setFont(TitleBarFont(kTitleButtonPoints));
    Command1 = MakeButton(this, "Command1", kExitText, kExitTip);
    Command1->setFont(TitleBarFont(kTitleButtonPoints));
    Command3 = MakeButton(this, "Command3", "", "");
    Command3->setFocusPolicy(Qt::NoFocus);  // a backdrop, never a stop of the focus
    Command4 = MakeButton(this, "Command4", kEnterDataText, kEnterDataText);
    Command5 = MakeButton(this, "Command5", kShowCoordinatesText, kShowCoordinatesText);

    setTabOrder(Command4, Command5);
    setTabOrder(Command5, Command2);
    setTabOrder(Command2, Command1);
}

void Form1::ConnectActions() {
    connect(Command4, &QPushButton::clicked, this, &Form1::EnterData);
    connect(Command5, &QPushButton::clicked, this, &Form1::ShowCoordinates);
    connect(Command2, &QPushButton::clicked, this, &Form1::MinimiseWindow);
    connect(Command1, &QPushButton::clicked, this, &Form1::ExitProgram);
}

void Form1::PlaceControls() {
    setFixedSize(kFormArea.PixelSize());
    Label1->setGeometry(kLabel1Area.Pixels());
    Image1->setGeometry(kImage1Area.Pixels());
    Command2->setGeometry(kCommand2Area.Pixels());
    Command1->setGeometry(kCommand1Area.Pixels());
    Command3->setGeometry(kCommand3Area.Pixels());
    Command4->setGeometry(kCommand4Area.Pixels());
    Command5->setGeometry(kCommand5Area.Pixels());
    const QRect available = screen()->availableGeometry();
    move(available.center() - rect().center());
}

void Form1::EnterData() {
    try {
        RunDataEntry(sweepState_, dialogues_);
    } catch (const ArithmeticFault& fault) {
        dialogues_.ShowMessage(FaultReport(fault, !sweepState_.CoordinatesText.empty()),
                               kFaultTitle);
    } catch (const std::bad_alloc&) {
        dialogues_.ShowMessage(kOutOfMemoryMessage, kFaultTitle);
    }
}

void Form1::ShowCoordinates() {
    try {
        dialogues_.ShowMessage(kCoordinatesHeading + sweepState_.CoordinatesText,
                               kCoordinatesTitle);
    } catch (const std::bad_alloc&) {
        dialogues_.ShowMessage(kOutOfMemoryMessage, kFaultTitle);
    }
}

void Form1::MinimiseWindow() {
    showMinimized();
}

void Form1::ExitProgram() {
    close();
}
