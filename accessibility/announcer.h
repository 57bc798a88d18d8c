#pragma once

class QLabel;
class QString;
class QWidget;

// A label whose changes a screen reader speaks as they happen, though the
// focus is elsewhere: a hint under a field, a readout under a plot. It is a
// notification to the reader, named by its text, and each Announce shows it
// anew, which readers present; a change of a name or a description alone
// goes unspoken by some. Its size is kept while hidden, so the layout around
// it never moves. Plain setText changes it quietly.
void MakeAnnouncer(QLabel* label);

// An announcer that only screen readers see, for news the eye reads
// elsewhere: a child of `window` outside its layout, of no size, so that a
// reader says no more than the window's name before the news. It stays
// hidden until the first Announce.
QLabel* MakeUnseenAnnouncer(QWidget* window, const QString& objectName);

// Sets the announcer's text and, where its window is on screen, has the
// reader speak it, even where it says the same again.
//   Announce(hint, "Будет прочитано: 0.5.");
void Announce(QLabel* label, const QString& text);
