#include "shell/textcaseframe.h"

#include "exercises/panelstyle.h"
#include "platform/twips.h"
#include "shell/mainviews.h"
#include "store/textcaseoption.h"

#include <QRadioButton>

namespace tivoral {

namespace {
constexpr int LeftTwips = 3600;
constexpr int FrameTopTwips = 600;
constexpr int FrameWidthTwips = 2055;
constexpr int FrameHeightTwips = 1455;
constexpr int OptionLeftTwips = 90;
constexpr int OptionHeightTwips = 345;
constexpr int OptionFontPoints = 10;

struct OptionRow {
    const char* name;
    const char* caption;
    int topTwips;
    TextCase value;
};

constexpr OptionRow Options[] = {
    {"upperCaseOption", "Großschrift", 360, TextCase::Upper},
    {"lowerCaseOption", "Kleinschrift", 720, TextCase::Lower},
    {"normalCaseOption", "Normalschrift", 1080, TextCase::Normal},
};
} // namespace

TextCaseFrame::TextCaseFrame(TextCaseOption& option, MainViews& views, QWidget* parent)
    : QGroupBox(parent) {
    setObjectName(QStringLiteral("textCaseFrame"));
    setAccessibleName(QStringLiteral("Textdarstellung"));
    panelstyle::setColours(this, panelstyle::LightBlue, panelstyle::Black);
    setGeometry(twips(LeftTwips), twips(FrameTopTwips), twips(FrameWidthTwips),
                twips(FrameHeightTwips));

    for (const OptionRow& row : Options) {
        auto* button = new QRadioButton(QString::fromUtf8(row.caption), this);
        button->setObjectName(QString::fromLatin1(row.name));
        button->setFont(panelstyle::layoutFont(OptionFontPoints, false));
        button->setGeometry(twips(OptionLeftTwips), twips(row.topTwips),
                            twips(FrameWidthTwips - 2 * OptionLeftTwips), twips(OptionHeightTwips));
        button->setChecked(option.value() == row.value);
        const TextCase value = row.value;
        connect(button, &QRadioButton::clicked, &views,
                [&views, value] { views.selectTextCase(value); });
        connect(&option, &TextCaseOption::changed, button,
                [button, value](TextCase chosen) { button->setChecked(chosen == value); });
    }
    connect(&views, &MainViews::changed, this, [this, &views] {
        setVisible(views.textCaseFrameOpen());
        if (isVisible())
            raise();
    });
    hide();
}

} // namespace tivoral
