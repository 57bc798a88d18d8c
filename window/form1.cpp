#include "window/form1.h"

#include <new>
#include <string>

#include <QApplication>
#include <QFont>
#include <QFontInfo>
#include <QFrame>
#include <QIcon>
#include <QLabel>
#include <QPushButton>
#include <QScreen>

#include "accessibility/accessiblerole.h"
#include "dialogues/busycursor.h"
#include "dialogues/guardedaction.h"
#include "dialogues/messagebox.h"
#include "help/helpwindow.h"
#include "messages/runmessages.h"
#include "numtext/arithmeticfault.h"
#include "saving/runsaving.h"
#include "view/tableplotdialog.h"
#include "window/focusringbutton.h"
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
constexpr char kTablePlotText[] = "Таблица и график…";
constexpr char kSaveText[] = "Сохранить…";

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

// The title bar's bold font, asked for by name. Where it is missing, the
// stand-in is a sans-serif of close metrics that the project installs, then
// any sans-serif with Cyrillic letters.
QFont TitleBarFont(double points) {
    QFont font;
    font.setFamilies({QStringLiteral("MS Sans Serif"), QStringLiteral("Liberation Sans")});
    font.setStyleHint(QFont::SansSerif);
    font.setPointSizeF(points);
    font.setBold(true);
    return font;
}

// What a screen reader says of a control.
struct Spoken {
    const char* name;
    const char* description;
};

constexpr Spoken kLabel1Spoken = {"Табулирование функций", "Заголовок окна"};
constexpr Spoken kImage1Spoken = {"Значок программы", "График функции"};
constexpr Spoken kCommand1Spoken = {"Выход", "Закрыть программу"};
constexpr Spoken kCommand2Spoken = {"Свернуть", "Свернуть окно"};
constexpr Spoken kCommand3Spoken = {"Панель кнопок", "Фон под кнопками, без действия"};
constexpr Spoken kCommand4Spoken = {
    "Ввод данных", "Выбрать способ вычисления и ввести начало, конец и шаг отрезка"};
constexpr Spoken kCommand5Spoken = {"Вывод координат точек функции",
                                    "Показать координаты, полученные при вводе данных"};

void SetSpoken(QWidget* control, const char* objectName, const Spoken& spoken) {
    control->setObjectName(QString::fromLatin1(objectName));
    control->setAccessibleName(QString::fromUtf8(spoken.name));
    control->setAccessibleDescription(QString::fromUtf8(spoken.description));
}

QPushButton* MakeButton(QWidget* parent, const char* name, const Spoken& spoken,
                        const char* caption, const char* toolTip) {
    auto* button = new FocusRingButton(QString::fromUtf8(caption), parent);
    SetSpoken(button, name, spoken);
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

}  // namespace

Form1::Form1(QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::FramelessWindowHint), dialogues_(this) {
    SetAccessibleRole(this, QAccessible::Window);  // a plain QWidget reads as a filler
    CreateControls();
    ConnectActions();
    AddHelpKey(this);
    PlaceControls();
    setWindowTitle(QString::fromUtf8(kCaption));
    setWindowIcon(ChartIcon());
    Command4->setFocus();
}

void Form1::CreateControls() {
    // Made from the bottom of the stacking order up: later siblings lie on top.
    Label1 = new QLabel(QString::fromUtf8(kTitleText), this);
    SetSpoken(Label1, "Label1", kLabel1Spoken);
    Label1->setTextFormat(Qt::PlainText);
    // Its fonts grow with the window, so the strip is the same picture, larger.
    const double scale = TwipsScale(QFontInfo(QApplication::font()).pointSizeF());
    Label1->setFont(TitleBarFont(kTitlePoints * scale));
    Label1->setAutoFillBackground(true);
    Label1->setBackgroundRole(QPalette::Highlight);  // stands in for the active title bar
    Label1->setForegroundRole(QPalette::HighlightedText);

    Image1 = new QLabel(this);
    SetSpoken(Image1, "Image1", kImage1Spoken);
    Image1->setPixmap(QPixmap(QString::fromLatin1(kLargeIcon)));
    Image1->setScaledContents(true);

    Command2 = MakeButton(this, "Command2", kCommand2Spoken, kMinimiseText, kMinimiseTip);
    Command2->setFont(TitleBarFont(kTitleButtonPoints * scale));
    Command1 = MakeButton(this, "Command1", kCommand1Spoken, kExitText, kExitTip);
    Command1->setFont(TitleBarFont(kTitleButtonPoints * scale));
    // A raised panel behind the long buttons: nothing to press, never a stop of the focus.
    Command3 = new QFrame(this);
    SetAccessibleRole(Command3, QAccessible::Pane);  // a panel: a QFrame reads as a frame
    SetSpoken(Command3, "Command3", kCommand3Spoken);
    Command3->setFrameStyle(QFrame::Panel | QFrame::Raised);
    Command3->setAutoFillBackground(true);
    Command3->setBackgroundRole(QPalette::Button);
    Command4 = MakeButton(this, "Command4", kCommand4Spoken, kEnterDataText, kEnterDataText);
    Command5 =
        MakeButton(this, "Command5", kCommand5Spoken, kShowCoordinatesText, kShowCoordinatesText);

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
    const double scale = TwipsScale(QFontInfo(QApplication::font()).pointSizeF());
    setFixedSize(kFormArea.PixelSize(scale));
    Label1->setGeometry(kLabel1Area.Pixels(scale));
    Image1->setGeometry(kImage1Area.Pixels(scale));
    Command2->setGeometry(kCommand2Area.Pixels(scale));
    Command1->setGeometry(kCommand1Area.Pixels(scale));
    Command3->setGeometry(kCommand3Area.Pixels(scale));
    Command4->setGeometry(kCommand4Area.Pixels(scale));
    Command5->setGeometry(kCommand5Area.Pixels(scale));
    const QRect available = screen()->availableGeometry();
    move(available.center() - rect().center());
}

void Form1::EnterData() {
    try {
        TellOutcome(dialogues_, RunShowingWork(), run_.record);
    } catch (const ArithmeticFault& fault) {
        dialogues_.ShowMessage(FaultMessage(fault, run_.record.LineCount() > 0), kFaultTitle);
    } catch (const std::bad_alloc&) {
        dialogues_.ShowMessage(kOutOfMemoryMessage, kFaultTitle);
    }
}

const RunOutcome& Form1::RunShowingWork() {
    BusyCursor busy;  // gone before any message of the run's end
    SlowSweepNotice slow;
    slow.tell = [&busy] { busy.Show(); };
    return EnterRun(run_, dialogues_, {}, slow);
}

void Form1::ShowCoordinates() {
    try {
        const std::string text = kCoordinatesHeading + run_.Text();
        MessageBox box(this, text, QString::fromUtf8(kCoordinatesTitle));
        QPushButton* view = box.AddButton(QString::fromUtf8(kTablePlotText), "tablePlotButton");
        QPushButton* save = box.AddButton(QString::fromUtf8(kSaveText), "saveButton");
        connect(view, &QPushButton::clicked, &box, [this, &box] { ShowTablePlot(&box); });
        connect(save, &QPushButton::clicked, &box,
                [this, &box] { RunGuarded(&box, [&] { SaveRun(&box, run_); }); });
        box.exec();
    } catch (const std::bad_alloc&) {
        dialogues_.ShowMessage(kOutOfMemoryMessage, kFaultTitle);
    }
}

void Form1::ShowTablePlot(QWidget* over) {
    try {
        TablePlotDialog view(over, run_);
        view.exec();
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
