#pragma once

#include <QColor>

class QChart;
class QPalette;

// Dresses a chart in the application's palette: its background, axes, labels,
// titles and grid take the palette's colours, so that a dark desktop gets a
// dark chart whose text still reads. Lines keep their own colours; see
// LineColourFor.
void ThemeChart(QChart* chart, const QPalette& palette);

// Whether the palette is a dark one: light text on a dark base.
bool IsDark(const QPalette& palette);

// The contrast of two colours as the web's accessibility guidelines measure
// it, from 1 (alike) to 21 (black on white).
//   ContrastRatio(Qt::black, Qt::white) -> 21
//   ContrastRatio(QColor(0, 114, 178), Qt::white) -> 5.19
double ContrastRatio(const QColor& a, const QColor& b);

// The least contrast a line or a ring must have against its background to
// read (the guidelines' measure for graphics).
inline constexpr double kGraphicsContrast = 3.0;

// A line's colour as it reads on the palette's base: on a light base the
// colour itself (chosen to tell the lines apart in any colour vision), on a
// dark base as much lighter as it takes to reach kGraphicsContrast.
QColor LineColourFor(const QColor& colour, const QPalette& palette);

// The colour of a focus ring drawn on the palette's base: the highlight where
// it reads there, else the text colour.
QColor FocusRingColour(const QPalette& palette);

// The plots' line colours, chosen to be told apart in any colour vision; each
// plot names what it draws in them.
namespace line_colours {
inline const QColor kBlue(0, 114, 178);
inline const QColor kPaleGreen(120, 200, 120);
inline const QColor kOrange(230, 159, 0);
inline const QColor kReddishPurple(204, 121, 167);
inline const QColor kBluishGreen(0, 158, 115);
inline const QColor kSkyBlue(86, 180, 233);
inline const QColor kVermilion(213, 94, 0);
}  // namespace line_colours
