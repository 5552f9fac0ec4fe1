#pragma once

#include <QColor>
#include <QLabel>
#include <QList>
#include <QString>
#include <QSyntaxHighlighter>
#include <QTextLayout>

#include <optional>

namespace tivoral {

// The two colours the syllables of a word take in turn, first, second, first …
struct SyllableColours {
    QColor first;
    QColor second;
};

// Dark blue and dark red as reading books print them. Each reaches 7 : 1 against white and
// 4.5 : 1 against the light blue of the puzzle tiles.
inline const SyllableColours ReadingSyllableColours{QColor(0, 0, 160), QColor(150, 0, 0)};

// The reading colours while the child's option is on and the German patterns are there.
std::optional<SyllableColours> syllableColoursIf(bool optionOn);

// The text from character `from` on as rich text, its syllables in the two colours, counted from
// the text's start (so the rest of a sentence keeps the colours the whole sentence gives it).
// Blanks are kept as they are.
QString syllableRichText(const QString& text, const SyllableColours& colours, qsizetype from = 0);

// The same colours as formats of a text layout, for text drawn on paper.
QList<QTextLayout::FormatRange> syllableFormats(const QString& text,
                                                const SyllableColours& colours);

// A label whose text is a sentence the child reads: plain, or with its syllables coloured. Its
// text() stays the plain text, so its size, its accessible name and the tests see the words.
class SyllableLabel : public QLabel {
    Q_OBJECT
public:
    explicit SyllableLabel(QWidget* parent = nullptr) : QLabel(parent) {}

    // No colours: the label draws as any label.
    void setSyllableColours(const std::optional<SyllableColours>& colours);
    // The text shown is the end of a longer sentence that begins with `before`.
    void setTextBefore(const QString& before);
    // What the label draws while its syllables are coloured; empty while they are not.
    QString richText() const;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    std::optional<SyllableColours> colours_;
    QString before_;
    bool waiting_ = false; // for the patterns
};

// Colours the syllables of every line of a plain-text view; detached, the view is plain again.
class SyllableHighlighter final : public QSyntaxHighlighter {
    Q_OBJECT
public:
    SyllableHighlighter(const SyllableColours& colours, QTextDocument* document)
        : QSyntaxHighlighter(document), colours_(colours) {}

protected:
    void highlightBlock(const QString& text) override;

private:
    SyllableColours colours_;
    bool waiting_ = false; // for the patterns
};

} // namespace tivoral
