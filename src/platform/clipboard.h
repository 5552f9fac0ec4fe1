#pragma once

#include <QString>

namespace tivoral {

// Plain text on the system clipboard, behind an interface so copy and paste can be tested.
class Clipboard {
public:
    virtual ~Clipboard() = default;
    virtual QString text() const = 0;
    // Replaces whatever the clipboard held.
    virtual void setText(const QString& text) = 0;
    virtual void clear() = 0;
};

} // namespace tivoral
