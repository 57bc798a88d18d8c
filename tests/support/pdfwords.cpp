#include "support/pdfwords.h"

#include <algorithm>
#include <cmath>

#include <QProcess>
#include <QRegularExpression>
#include <QTextDocumentFragment>

std::vector<PdfWord> PdfWords(const QString& path) {
    QProcess pdftotext;
    pdftotext.start(QStringLiteral("pdftotext"),
                    {QStringLiteral("-bbox"), path, QStringLiteral("-")});
    if (!pdftotext.waitForFinished(30000) || pdftotext.exitCode() != 0) {
        return {};
    }
    const QString html = QString::fromUtf8(pdftotext.readAllStandardOutput());
    static const QRegularExpression tag(QStringLiteral(
        R"re(<page [^>]*>|<word xMin="([\d.]+)" yMin="([\d.]+)" xMax="([\d.]+)" yMax="([\d.]+)">([^<]*)</word>)re"));
    std::vector<PdfWord> words;
    int page = -1;
    for (auto match = tag.globalMatch(html); match.hasNext();) {
        const QRegularExpressionMatch found = match.next();
        if (found.captured(0).startsWith(QStringLiteral("<page"))) {
            ++page;
            continue;
        }
        words.push_back({QTextDocumentFragment::fromHtml(found.captured(5)).toPlainText(), page,
                         found.captured(1).toDouble(), found.captured(2).toDouble(),
                         found.captured(3).toDouble(), found.captured(4).toDouble()});
    }
    return words;
}

std::vector<PdfWord> LineOf(const std::vector<PdfWord>& words, const PdfWord& word) {
    std::vector<PdfWord> line;
    const double middle = (word.top + word.bottom) / 2;
    for (const PdfWord& other : words) {
        if (other.page == word.page &&
            std::fabs((other.top + other.bottom) / 2 - middle) < word.Height() / 2) {
            line.push_back(other);
        }
    }
    std::sort(line.begin(), line.end(),
              [](const PdfWord& a, const PdfWord& b) { return a.left < b.left; });
    return line;
}
