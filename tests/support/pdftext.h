#pragma once

#include <QProcess>
#include <QRegularExpression>
#include <QStringList>

#include <algorithm>

namespace tivoral::testing {

// The text of each page of a PDF as pdftotext (poppler-utils) reads it, blanks and line breaks
// made single blanks.
inline QStringList pdfPageTexts(const QString& path) {
    QProcess pdftotext;
    pdftotext.start(QStringLiteral("pdftotext"), {QStringLiteral("-enc"), "UTF-8", path, "-"});
    pdftotext.waitForFinished();
    QStringList pages = QString::fromUtf8(pdftotext.readAllStandardOutput()).split(u'\f');
    for (QString& page : pages)
        page = page.simplified();
    pages.removeAll(QString());
    return pages;
}

struct PdfWord {
    QString text;
    double top = 0;
    double left = 0;
};

// Every word of the PDF with where it stands, top to bottom and left to right.
inline QList<PdfWord> pdfWords(const QString& path) {
    QProcess pdftotext;
    pdftotext.start(QStringLiteral("pdftotext"),
                    {QStringLiteral("-bbox"), "-enc", "UTF-8", path, "-"});
    pdftotext.waitForFinished();
    static const QRegularExpression word(
        QStringLiteral(R"re(<word xMin="([^"]*)" yMin="([^"]*)"[^>]*>([^<]*)</word>)re"));
    QList<PdfWord> words;
    for (const QRegularExpressionMatch& match :
         word.globalMatch(QString::fromUtf8(pdftotext.readAllStandardOutput())))
        words.append(
            {match.captured(3), match.captured(2).toDouble(), match.captured(1).toDouble()});
    // pdftotext reads aligned gaps as columns; the page's own order is by line.
    std::stable_sort(words.begin(), words.end(), [](const PdfWord& a, const PdfWord& b) {
        return a.top != b.top ? a.top < b.top : a.left < b.left;
    });
    return words;
}

} // namespace tivoral::testing
