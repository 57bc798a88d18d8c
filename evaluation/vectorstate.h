#pragma once

// Clears the upper halves of the processor's AVX registers, where the CPU has
// them. Code that Qt's GUI runs (at QApplication's start and while painting
// some widgets) leaves them dirty; every later SSE instruction, those of the
// C library's pow among them, then pays a state-transition penalty that made
// the series three to twelve times slower. The computing loops call it as
// they begin (the sweep, a table's rows, the plot's curves) and after
// anything they call out to, so that every front end gets the core's speed.
// Harmless elsewhere: no register's upper half is kept across a call.
void ClearUpperVectorState();
