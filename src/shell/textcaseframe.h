#pragma once

#include <QGroupBox>

namespace tivoral {

class MainViews;
class TextCaseOption;

// The frame with the three text-case options of the sentence displays.
class TextCaseFrame final : public QGroupBox {
    Q_OBJECT
public:
    TextCaseFrame(TextCaseOption& option, MainViews& views, QWidget* parent = nullptr);
};

} // namespace tivoral
