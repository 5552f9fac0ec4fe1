#include "shell/settingschoices.h"

#include "platform/fonts.h"
#include "platform/textcase.h"
#include "store/appstate.h"

namespace tivoral {

SettingsChoices::SettingsChoices(AppState& app, QObject* parent) : QObject(parent), app_(app) {}

void SettingsChoices::prepare() {
    setWaitText(QStringLiteral("Bitte etwas Geduld, die Schriften werden geladen ..."));
    sizes_.clear();
    for (int size = SmallestSize; size <= LargestSize; size += SizeStep)
        sizes_.append(QString::number(size));
    Q_EMIT listsChanged();
}

void SettingsChoices::loadFontLists(const QStringList& families) {
    fonts_ = families;
    sortCaseInsensitive(fonts_);
    fonts_ = fonts::readerFontsFirst(fonts_);
    setWaitText(QString());
    const FontChoice& current = app_.settings.previewFont();
    selectedSize_ = int(sizes_.indexOf(QString::number(current.pointSize)));
    selectedFont_ = int(fonts_.indexOf(current.family));
    Q_EMIT listsChanged();
}

void SettingsChoices::chooseFont(int index) {
    if (index < 0 || index >= fonts_.size())
        return;
    selectedFont_ = index;
    app_.settings.setPreviewFont(
        FontChoice{fonts_.at(index), app_.settings.previewFont().pointSize});
    Q_EMIT listsChanged();
}

void SettingsChoices::chooseSize(int index) {
    if (index < 0 || index >= sizes_.size())
        return;
    selectedSize_ = index;
    app_.settings.setPreviewFont(
        FontChoice{app_.settings.previewFont().family, sizes_.at(index).toInt()});
    Q_EMIT listsChanged();
}

void SettingsChoices::setPointLimit(int limit) {
    app_.settings.setPointLimit(limit);
}

bool SettingsChoices::save() {
    const FontChoice& current = app_.settings.previewFont();
    const QString fontName = selectedFont_ == NoEntry ? current.family : fonts_.at(selectedFont_);
    const QString fontSize =
        selectedSize_ == NoEntry ? QString::number(current.pointSize) : sizes_.at(selectedSize_);
    return saveSettings(app_, fontName, fontSize, QString::number(app_.settings.pointLimit()));
}

void SettingsChoices::returnToMainWindow() {
    app_.settings.applyExerciseFont(app_.settings.previewFont());
    fonts_.clear();
    selectedFont_ = NoEntry;
    Q_EMIT listsChanged();
}

void SettingsChoices::setWaitText(const QString& text) {
    if (text == waitText_)
        return;
    waitText_ = text;
    Q_EMIT waitTextChanged(waitText_);
}

} // namespace tivoral
