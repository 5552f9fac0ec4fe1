#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

#include <optional>

namespace tivoral {

// The practice record with one child's lines renamed or left out, for the teacher's class list.
// Every other line keeps its bytes; a changed line is read and written by the record's own
// line functions, so it looks as an appended line would.
class PracticeRecordRewriter {
public:
    // newName: the child's new name; none leaves the child's lines out, and with them any
    // damaged line that holds the name, so nothing of the child stays behind.
    PracticeRecordRewriter(const QString& user, const std::optional<QString>& newName);

    struct Result {
        QByteArray bytes;
        int changedLines = 0;
    };
    Result rewrite(QByteArrayView record) const;

private:
    Result rewriteUtf8(QByteArrayView record) const;
    // The bytes of one line with its line end; a line feed inside quotes does not end it.
    static qsizetype lineLength(QByteArrayView rest);
    // The line rewritten, or none when it stays as it is; an empty result leaves it out.
    std::optional<QByteArray> changed(QByteArrayView line) const;

    QString user_;
    std::optional<QString> newName_;
    QByteArray userBytes_; // as the name stands in a line, to pass over the others quickly
};

} // namespace tivoral
