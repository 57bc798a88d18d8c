#pragma once

#include <QWidget>

#include "dialogues/screendialogues.h"
#include "evaluation/tabulation.h"

class QFrame;
class QLabel;
class QPushButton;

// The program's one window: a frameless strip with an imitation title bar
// (Label1 with the icon Image1, the minimise button Command2 and the exit
// button Command1) over the data-entry button Command4 and the
// show-coordinates button Command5, which lie on the raised panel Command3.
// It owns the last run (its SweepState, its record and how it ended), and
// shows the run's dialogues on screen. The controls bear their names as object names, and Russian
// accessible names and descriptions; every button shows a focus ring that reads on the title bar.
class Form1 : public QWidget {
    Q_OBJECT

public:
    explicit Form1(QWidget* parent = nullptr);

private:
    void EnterData();        // Command4
    void ShowCoordinates();  // Command5
    void MinimiseWindow();   // Command2
    void ExitProgram();      // Command1
    void ShowTablePlot(QWidget* over);
    // The data-entry run, with the busy cursor while a sweep takes long.
    const RunOutcome& RunShowingWork();

    void CreateControls();
    void ConnectActions();
    void PlaceControls();

    Tabulation run_;  // the last run, replaced by every run
    ScreenDialogues dialogues_;
    QLabel* Label1 = nullptr;
    QLabel* Image1 = nullptr;
    QPushButton* Command1 = nullptr;
    QPushButton* Command2 = nullptr;
    QFrame* Command3 = nullptr;
    QPushButton* Command4 = nullptr;
    QPushButton* Command5 = nullptr;
};
