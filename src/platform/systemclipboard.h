#pragma once

#include "platform/clipboard.h"

namespace tivoral {

class SystemClipboard final : public Clipboard {
public:
    QString text() const override;
    void setText(const QString& text) override;
    void clear() override;
};

} // namespace tivoral
