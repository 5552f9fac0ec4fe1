#include "platform/syllablecolours.h"

#include "platform/syllables.h"

#include <QPainter>
#include <QTextDocument>
#include <QTimer>

namespace tivoral {

namespace {

// While the patterns are still being read, the text shows plain and looks again this often.
constexpr int PatternsPollMs = 100;

// True when the syllables can be had without waiting; otherwise the patterns are on their way
// and `again` runs once they may be there (once, however often this is asked meanwhile).
bool syllablesAtHand(QObject* context, bool& waiting, const std::function<void()>& again) {
    if (syllablePatternsReady())
        return true;
    preloadSyllablePatternsInBackground();
    if (!std::exchange(waiting, true))
        QTimer::singleShot(PatternsPollMs, context, [&waiting, again] {
            waiting = false;
            again();
        });
    return false;
}

const QColor& colourOf(const SyllableSpan& span, const SyllableColours& colours) {
    return span.colour == 0 ? colours.first : colours.second;
}

} // namespace

std::optional<SyllableColours> syllableColoursIf(bool optionOn) {
    if (!optionOn || !syllablesAvailable())
        return std::nullopt;
    return ReadingSyllableColours;
}

QString syllableRichText(const QString& text, const SyllableColours& colours, qsizetype from) {
    // pre-wrap keeps every blank, as the plain label shows them, and still wraps at them.
    QString html = QStringLiteral("<span style=\"white-space: pre-wrap\">");
    qsizetype at = from;
    for (const SyllableSpan& span : syllableSpans(text)) {
        const qsizetype end = span.start + span.length;
        if (end <= from)
            continue;
        const qsizetype start = std::max(span.start, from);
        html += text.mid(at, start - at).toHtmlEscaped() + QStringLiteral("<span style=\"color: ") +
                colourOf(span, colours).name() + QStringLiteral("\">") +
                text.mid(start, end - start).toHtmlEscaped() + QStringLiteral("</span>");
        at = end;
    }
    return html + text.mid(at).toHtmlEscaped() + QStringLiteral("</span>");
}

QList<QTextLayout::FormatRange> syllableFormats(const QString& text,
                                                const SyllableColours& colours) {
    QList<QTextLayout::FormatRange> formats;
    for (const SyllableSpan& span : syllableSpans(text)) {
        QTextLayout::FormatRange range{int(span.start), int(span.length), {}};
        range.format.setForeground(colourOf(span, colours));
        formats.append(range);
    }
    return formats;
}

void SyllableLabel::setSyllableColours(const std::optional<SyllableColours>& colours) {
    const bool same =
        colours.has_value() == colours_.has_value() &&
        (!colours || (colours->first == colours_->first && colours->second == colours_->second));
    if (same)
        return;
    colours_ = colours;
    update();
}

void SyllableLabel::setTextBefore(const QString& before) {
    before_ = before;
    update();
}

QString SyllableLabel::richText() const {
    if (!colours_)
        return QString();
    return syllableRichText(before_ + text(), *colours_, before_.size());
}

void SyllableLabel::paintEvent(QPaintEvent* event) {
    if (!colours_ || text().isEmpty() || !syllablesAtHand(this, waiting_, [this] { update(); }))
        return QLabel::paintEvent(event);
    QFrame::paintEvent(event);
    QTextDocument document;
    document.setDefaultFont(font());
    document.setDocumentMargin(0);
    QTextOption option(alignment() & Qt::AlignHorizontal_Mask);
    option.setWrapMode(wordWrap() ? QTextOption::WrapAtWordBoundaryOrAnywhere
                                  : QTextOption::NoWrap);
    document.setDefaultTextOption(option);
    document.setHtml(richText());
    const QRect room = contentsRect().adjusted(margin(), margin(), -margin(), -margin());
    document.setTextWidth(room.width());
    const double height = document.size().height();
    double top = room.top();
    if (alignment() & Qt::AlignVCenter)
        top += (room.height() - height) / 2;
    else if (alignment() & Qt::AlignBottom)
        top += room.height() - height;
    QPainter painter(this);
    painter.translate(room.left(), top);
    document.drawContents(&painter, QRectF(0, 0, room.width(), std::max(height, 0.0)));
}

void SyllableHighlighter::highlightBlock(const QString& text) {
    if (!syllablesAtHand(this, waiting_, [this] { rehighlight(); }))
        return;
    for (const SyllableSpan& span : syllableSpans(text))
        setFormat(int(span.start), int(span.length), colourOf(span, colours_));
}

} // namespace tivoral
