#pragma once

#include <QObject>
#include <QString>

namespace tivoral {

enum class TextCase { Upper, Lower, Normal };

// The text-case choice of the main window; it shapes only what the child sees.
class TextCaseOption final : public QObject {
    Q_OBJECT
public:
    TextCase value() const { return value_; }
    void set(TextCase value);

    QString displayForm(const QString& text) const;
    static QString windowTitle(TextCase value);

Q_SIGNALS:
    void changed(TextCase value);

private:
    TextCase value_ = TextCase::Upper;
};

} // namespace tivoral
