#include "shell/readingaidspage.h"

#include "exercises/panelstyle.h"
#include "platform/controls.h"
#include "platform/fonts.h"
#include "platform/syllablecolours.h"
#include "platform/syllables.h"
#include "platform/textcase.h"
#include "platform/windowscale.h"
#include "store/appstate.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QSignalBlocker>

namespace tivoral {

namespace {

constexpr int CaptionLeftTwips = 120;
constexpr int CaptionWidthTwips = 2400;
constexpr int ChoiceLeftTwips = 2640;
constexpr int RowHeightTwips = 375;
constexpr int WideChoiceTwips = 4800;
constexpr int NarrowChoiceTwips = 2400;
constexpr int SwitchWidthTwips = 6855;

constexpr int ChildTopTwips = 120;
constexpr int WindowSizeTopTwips = 720;
constexpr int FontTopTwips = 1200;
constexpr int SpacingTopTwips = 1680;
// The contrast shares the window size's row, right of it.
constexpr int ContrastCaptionLeftTwips = 5280;
constexpr int ContrastCaptionWidthTwips = 1080;
constexpr int ContrastChoiceLeftTwips = 6480;
// "Silben farbig" stands beside the spacing, the other choice about how the letters look.
constexpr int SyllableSwitchLeftTwips = 5280;
constexpr int SyllableSwitchWidthTwips = 4215;
// The switches stand closer than the choices, so that four of them, the sample and the record
// row fit the page.
constexpr int SwitchStepTwips = 390;
constexpr int SpeechTopTwips = 2160;
constexpr int HearTargetTopTwips = SpeechTopTwips + SwitchStepTwips;
constexpr int UmlautKeysTopTwips = HearTargetTopTwips + SwitchStepTwips;
constexpr int TroubleTopTwips = UmlautKeysTopTwips + SwitchStepTwips;
// Two short switches share the last row.
constexpr int HalfSwitchWidthTwips = 3360;
constexpr int SecondHalfLeftTwips = ChoiceLeftTwips + HalfSwitchWidthTwips + 120;
constexpr int SampleGapTwips = 480;
constexpr int SampleTopTwips = TroubleTopTwips + SampleGapTwips;
constexpr int SampleWidthTwips = 9375;
constexpr int SampleHeightTwips = 495;
constexpr int SampleFontPoints = 14;
constexpr int SampleMarginPixels = 6;
constexpr int RecordTopTwips = 4410;
constexpr int RecordSwitchWidthTwips = 4200;
constexpr int EmptyRecordLeftTwips = 6855;
constexpr int EmptyRecordWidthTwips = 2640;

const QString AllChildren = QStringLiteral("Alle Kinder (Grundeinstellung)");
const QString SettingsFont = QStringLiteral("Schrift aus den Einstellungen");
const QString SampleText = QStringLiteral("Der Bauer fährt mit dem Traktor aufs Feld.");

QString windowSizeCaption(int percent) {
    return percent == ReadingOptions::FillScreen ? QStringLiteral("Bildschirm füllen")
                                                 : QString::number(percent) + QStringLiteral(" %");
}

} // namespace

ReadingAidsPage::ReadingAidsPage(AppState& app, QWidget* parent) : QWidget(parent), app_(app) {
    setObjectName(QStringLiteral("readingAidsPage"));
    setAccessibleName(QStringLiteral("Lesehilfen"));
    setAutoFillBackground(true);

    child_ = addChoice("readingAidsChild", QStringLiteral("Lesehilfen für"), ChildTopTwips,
                       WideChoiceTwips);
    windowSize_ = addChoice("windowSizeChoice", QStringLiteral("Fenstergröße"), WindowSizeTopTwips,
                            NarrowChoiceTwips);
    for (const int percent : ReadingOptions::WindowPercents)
        windowSize_->addItem(windowSizeCaption(percent), percent);
    font_ = addChoice("readerFontChoice", QStringLiteral("Schrift"), FontTopTwips, WideChoiceTwips);
    spacing_ = addChoice("letterSpacingChoice", QStringLiteral("Buchstabenabstand"),
                         SpacingTopTwips, NarrowChoiceTwips);
    for (const LetterSpacing spacing :
         {LetterSpacing::Normal, LetterSpacing::Wide, LetterSpacing::Wider})
        spacing_->addItem(spacingValue(spacing), int(spacing));

    contrast_ = tivoral::addChoice(
        this, QStringLiteral("contrastChoice"), QStringLiteral("Kontrast"),
        twipsRect(ContrastCaptionLeftTwips, WindowSizeTopTwips, ContrastCaptionWidthTwips,
                  RowHeightTwips),
        twipsRect(ContrastChoiceLeftTwips, WindowSizeTopTwips, NarrowChoiceTwips, RowHeightTwips));
    for (const bool high : {false, true})
        contrast_->addItem(contrastValue(high), high);

    speech_ = addSwitch("speechSwitch", QStringLiteral("Vorlesen (Sätze und Wörter anhören)"),
                        SpeechTopTwips);
    hearTarget_ = addSwitch("hearTargetSwitch",
                            QStringLiteral("Gesuchten Satz anhören (kostet wie die Lupe)"),
                            HearTargetTopTwips);
    umlautKeys_ = addSwitch("umlautKeysSwitch", QStringLiteral("Tasten ä ö ü ß Ä Ö Ü zeigen"),
                            UmlautKeysTopTwips);
    troubleMoreOften_ = tivoral::addSwitch(
        this, QStringLiteral("troubleMoreOftenSwitch"), QStringLiteral("Schwierige Sätze öfter üben"),
        twipsRect(ChoiceLeftTwips, TroubleTopTwips, HalfSwitchWidthTwips, RowHeightTwips));
    announceMarks_ = tivoral::addSwitch(
        this, QStringLiteral("announceMarksSwitch"), QStringLiteral("Satzzeichen ansagen"),
        twipsRect(SecondHalfLeftTwips, TroubleTopTwips, HalfSwitchWidthTwips, RowHeightTwips));
    announceMarks_->setToolTip(QStringLiteral("Im Hördiktat „Komma“, „Punkt“ … sagen"));

    addSyllableSwitch();

    sample_ = new SyllableLabel(this);
    sample_->setText(SampleText);
    sample_->setObjectName(QStringLiteral("readingAidsSample"));
    sample_->setAccessibleName(QStringLiteral("Schriftprobe"));
    sample_->setWordWrap(true);
    sample_->setMargin(SampleMarginPixels);
    sample_->setGeometry(
        twipsRect(CaptionLeftTwips, SampleTopTwips, SampleWidthTwips, SampleHeightTwips));
    panelstyle::setColours(sample_, panelstyle::Blue, panelstyle::White);

    addRecordControls();

    using K = ReadingOptionKeys;
    connect(child_, &QComboBox::currentIndexChanged, this, &ReadingAidsPage::showOptions);
    connect(windowSize_, &QComboBox::currentIndexChanged, this, [this] {
        change(K::WindowPercent, windowPercentValue(windowSize_->currentData().toInt()));
    });
    connect(font_, &QComboBox::currentIndexChanged, this,
            [this] { change(K::FontFamily, font_->currentData().toString()); });
    connect(spacing_, &QComboBox::currentIndexChanged, this, [this] {
        change(K::Spacing, spacingValue(LetterSpacing(spacing_->currentData().toInt())));
    });
    connect(contrast_, &QComboBox::currentIndexChanged, this,
            [this] { change(K::Contrast, contrastValue(contrast_->currentData().toBool())); });
    connect(speech_, &QCheckBox::toggled, this,
            [this](bool on) { change(K::Speech, switchValue(on)); });
    connect(hearTarget_, &QCheckBox::toggled, this,
            [this](bool on) { change(K::HearTarget, switchValue(on)); });
    connect(umlautKeys_, &QCheckBox::toggled, this,
            [this](bool on) { change(K::UmlautKeys, switchValue(on)); });
    connect(troubleMoreOften_, &QCheckBox::toggled, this,
            [this](bool on) { change(K::TroubleMoreOften, switchValue(on)); });
    connect(announceMarks_, &QCheckBox::toggled, this,
            [this](bool on) { change(K::AnnounceMarks, switchValue(on)); });
}

void ReadingAidsPage::addSyllableSwitch() {
    const bool available = syllablesAvailable();
    const QString caption = available ? QStringLiteral("Silben farbig")
                                      : QStringLiteral("Silben farbig (nicht verfügbar)");
    syllableColours_ = tivoral::addSwitch(this, QStringLiteral("syllableColoursSwitch"), caption,
                                          twipsRect(SyllableSwitchLeftTwips, SpacingTopTwips,
                                                    SyllableSwitchWidthTwips, RowHeightTwips));
    syllableColours_->setEnabled(available);
    syllableColours_->setToolTip(
        available ? QStringLiteral("Die Silben der Sätze abwechselnd blau und rot zeigen")
                  : QStringLiteral("Nicht verfügbar: Die deutsche Silbentrennung (Paket "
                                   "hyphen-de) ist nicht installiert."));
    connect(syllableColours_, &QCheckBox::toggled, this,
            [this](bool on) { change(ReadingOptionKeys::SyllableColours, switchValue(on)); });
}

QComboBox* ReadingAidsPage::addChoice(const char* name, const QString& caption, int top,
                                      int width) {
    return tivoral::addChoice(this, QLatin1String(name), caption,
                              twipsRect(CaptionLeftTwips, top, CaptionWidthTwips, RowHeightTwips),
                              twipsRect(ChoiceLeftTwips, top, width, RowHeightTwips));
}

QCheckBox* ReadingAidsPage::addSwitch(const char* name, const QString& caption, int top) {
    return tivoral::addSwitch(this, QLatin1String(name), caption,
                              twipsRect(ChoiceLeftTwips, top, SwitchWidthTwips, RowHeightTwips));
}

void ReadingAidsPage::addRecordControls() {
    recordSwitch_ = tivoral::addSwitch(
        this, QStringLiteral("recordSwitch"), QStringLiteral("Übungsprotokoll führen"),
        twipsRect(CaptionLeftTwips, RecordTopTwips, RecordSwitchWidthTwips, RowHeightTwips));
    recordSwitch_->setToolTip(QStringLiteral("Übungsprotokoll führen (für alle Kinder)"));
    connect(recordSwitch_, &QCheckBox::toggled, this, [this](bool on) {
        app_.practiceRecord.changeSwitch(app_.dialogs, on);
        showRecordSwitch();
    });

    auto* empty = new QPushButton(QStringLiteral("Protokoll leeren"), this);
    empty->setObjectName(QStringLiteral("emptyRecordButton"));
    empty->setAccessibleName(empty->text());
    empty->setToolTip(QStringLiteral("Übungsprotokoll leeren (für alle Kinder)"));
    empty->setGeometry(
        twipsRect(EmptyRecordLeftTwips, RecordTopTwips, EmptyRecordWidthTwips, RowHeightTwips));
    connect(empty, &QPushButton::clicked, this,
            [this] { app_.practiceRecord.emptyAfterAsking(app_.dialogs); });
}

void ReadingAidsPage::showRecordSwitch() {
    const QSignalBlocker blocker(recordSwitch_);
    // The page shows the folder's switch as it stands now, perhaps set on another computer.
    app_.practiceRecord.forgetSwitch();
    recordSwitch_->setChecked(app_.practiceRecord.isOn());
}

void ReadingAidsPage::prepare() {
    {
        const QSignalBlocker blocker(child_);
        // The child chosen in the main window first, then whoever the teacher looked at last.
        std::optional<QString> chosen = chosenUser();
        if (!chosen && app_.users.names().contains(app_.users.current()))
            chosen = app_.users.current();
        child_->clear();
        child_->addItem(AllChildren);
        for (const QString& name : app_.users.names())
            child_->addItem(name, name);
        child_->setCurrentIndex(chosen ? std::max(0, child_->findData(*chosen)) : 0);
    }
    {
        const QSignalBlocker blocker(font_);
        QStringList families = fonts::installedFamilies();
        sortCaseInsensitive(families);
        font_->clear();
        font_->addItem(SettingsFont, QString());
        for (const QString& family : fonts::readerFontsFirst(families))
            font_->addItem(family, family);
    }
    // The teacher may switch the coloured syllables on: their patterns are read meanwhile.
    if (syllablesAvailable())
        preloadSyllablePatternsInBackground();
    showOptions();
    showRecordSwitch();
}

std::optional<QString> ReadingAidsPage::chosenUser() const {
    // The first entry is all children; every other one carries its name.
    if (child_->currentIndex() <= 0)
        return std::nullopt;
    return child_->currentData().toString();
}

void ReadingAidsPage::showOptions() {
    const ReadingOptions options = app_.readingAids.file().optionsFor(chosenUser());
    const QSignalBlocker windowSizeBlocker(windowSize_);
    const QSignalBlocker fontBlocker(font_);
    const QSignalBlocker spacingBlocker(spacing_);
    const QSignalBlocker contrastBlocker(contrast_);
    const QSignalBlocker speechBlocker(speech_);
    const QSignalBlocker hearTargetBlocker(hearTarget_);
    const QSignalBlocker umlautKeysBlocker(umlautKeys_);
    const QSignalBlocker troubleMoreOftenBlocker(troubleMoreOften_);
    const QSignalBlocker announceMarksBlocker(announceMarks_);
    const QSignalBlocker syllableColoursBlocker(syllableColours_);
    windowSize_->setCurrentIndex(windowSize_->findData(options.windowPercent));
    const int font = font_->findData(options.fontFamily);
    if (font < 0 && !options.fontFamily.isEmpty()) // a font of another computer
        font_->addItem(options.fontFamily, options.fontFamily);
    font_->setCurrentIndex(std::max(0, font_->findData(options.fontFamily)));
    spacing_->setCurrentIndex(spacing_->findData(int(options.spacing)));
    contrast_->setCurrentIndex(contrast_->findData(options.highContrast));
    speech_->setChecked(options.speech);
    hearTarget_->setChecked(options.hearTarget);
    umlautKeys_->setChecked(options.umlautKeys);
    troubleMoreOften_->setChecked(options.troubleMoreOften);
    announceMarks_->setChecked(options.announceMarks);
    syllableColours_->setChecked(options.syllableColours && syllablesAvailable());
    showSample(options);
}

void ReadingAidsPage::showSample(const ReadingOptions& options) {
    QFont font = panelstyle::layoutFont(SampleFontPoints);
    // At the teacher's window size, not the child's.
    font.setPointSizeF(SampleFontPoints * windowscale::factorOf(*this));
    if (const std::optional<FontChoice>& chosen = app_.settings.exerciseFont())
        font.setFamily(chosen->family);
    sample_->setFont(panelstyle::withReadingAids(font, options));
    const std::optional<SyllableColours> colours = panelstyle::syllableColours(options);
    if (colours)
        panelstyle::setColours(sample_, panelstyle::White, panelstyle::Black);
    else
        panelstyle::setColours(
            sample_, panelstyle::colours(panelstyle::TextRole::Sentence, options.highContrast));
    sample_->setSyllableColours(colours);
}

void ReadingAidsPage::change(const char* key, const QString& value) {
    app_.readingAids.change(app_.dialogs, chosenUser(), QLatin1String(key), value);
    // A failed write shows the options that are really in force.
    showOptions();
}

} // namespace tivoral
