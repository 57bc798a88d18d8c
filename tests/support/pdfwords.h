#pragma once

#include <vector>

#include <QString>

// A word of a PDF as a reader finds it: its text and its box, in points from
// the page's top left, by poppler's pdftotext -bbox.
struct PdfWord {
    QString text;
    int page = 0;  // from 0
    double left = 0;
    double top = 0;
    double right = 0;
    double bottom = 0;
    double Height() const { return bottom - top; }
};

// Every word of the PDF at `path`, page by page in reading order; empty where
// pdftotext is missing or cannot read the file.
std::vector<PdfWord> PdfWords(const QString& path);

// The words of `words` on the same text line as `word` (their vertical
// middles within half a height of each other), left to right.
std::vector<PdfWord> LineOf(const std::vector<PdfWord>& words, const PdfWord& word);
