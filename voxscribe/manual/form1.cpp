#include "form1.h"

#include <QApplication>
#include <QButtonGroup>
#include <QCloseEvent>
#include <QGroupBox>
#include <QInputMethod>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QShortcut>

#include "clickablelabel.h"
#include "documentbox.h"
#include "documentsaver.h"
#include "fontcheck.h"
#include "keyboardframe.h"
#include "lockedentrybox.h"
#include "phoneticbuttons.h"
#include "phonetickeyboard.h"
#include "speechcommand.h"
#include "twips.h"
#include "windowchrome.h"
#include "workingdocument.h"

namespace manual {
namespace {

using widgets::kTwipsPerPixel;
using widgets::pixels;
using widgets::placeTwips;

// How the window shows its mode: the hidden lblconvert's caption and the entry's prompt.
struct ModeLook {
    Form1::EntryMode mode;
    QStringView caption;
    QStringView prompt;
};
constexpr ModeLook kModeLooks[] = {
    {Form1::EntryMode::Phonetic, u"音标", u"输入音标："},
    {Form1::EntryMode::Word, u"单词", u"输入单词："},
};

const ModeLook& lookOf(Form1::EntryMode mode) {
    return kModeLooks[static_cast<int>(mode)];
}

const QString kSongti = QStringLiteral("宋体");

// The window's size limits (outer size, twips).
constexpr int kMinWidth = 7860;
constexpr int kMaxWidth = 9400;
constexpr int kMinHeight = 8430;
constexpr int kMaxHeight = 8440;
// The rare-symbol panel is shown by widening the window.
constexpr int kPanelOpenWidth = 9420;
constexpr int kPanelClosedWidth = 7875;
// The panel stands just beyond the closed width, so that none of it shows while it is closed.
constexpr int kPanelLeft = 7875;

QFont fontOf(const QString& family, qreal pointSize) {
    QFont font(family);
    font.setPointSizeF(pointSize);
    return font;
}

QLabel* plainLabel(const QString& name, const QString& caption, QWidget* parent) {
    auto* label = new QLabel(caption, parent);
    label->setObjectName(name);
    return label;
}

}  // namespace

Form1::Form1(platform::Services& services, QWidget* parent)
    : EscProofDialog(parent), services_(services) {
    setObjectName(QStringLiteral("Form1"));
    createControls();
    new widgets::WindowChrome(this, widgets::WorkingWindow::ManualInput);
    // The same limits as hints, so that the window system offers no other size to begin with: the
    // largest whole pixel sizes within them.
    setMinimumSize(pixels(kMinWidth), pixels(kMinHeight));
    setMaximumSize(pixels(kMaxWidth - kTwipsPerPixel / 2), pixels(kMaxHeight - kTwipsPerPixel / 2));
    resize(pixels(kPanelClosedWidth), pixels(kMinHeight));

    // Start-up: the phonetic font of the word box is set here, everything starts empty.
    wordEntry_->setFont(fontOf(core::phoneticFont(), 9.75));
    phoneticEntry_->clear();
    wordEntry_->clear();
    document_->clearDocument();
    checkPhoneticFont();

    qApp->installEventFilter(this);
}

Form1::~Form1() {
    qApp->removeEventFilter(this);
}

void Form1::createControls() {
    modeLabel_ = plainLabel(QStringLiteral("lblconvert"), lookOf(mode_).caption.toString(), this);
    modeLabel_->hide();

    createKeyboardFrame();
    createEntryFrame();

    confirm_ = widgets::placed(new QPushButton(QStringLiteral("确认"), this), "Command6",
                               {6840, 4140, 675, 450});
    confirm_->setFont(fontOf(kSongti, 10.5));
    confirm_->setToolTip(QStringLiteral("回车键为快捷键"));
    confirm_->setDefault(true);
    confirm_->setEnabled(false);
    connect(confirm_, &QPushButton::clicked, this, &Form1::onConfirmClicked);

    workingDocument_ =
        new output::WorkingDocument(widgets::WorkingWindow::ManualInput, services_, this,
                                    QStringLiteral("Label12"), QStringLiteral("保 存"));
    document_ = workingDocument_->box();
    document_->setDefaultFormat(kSongti, 14.25);
    placeTwips(document_, 135, 5310, 6225, 2460);
    placeTwips(workingDocument_->saveLabel(), 6480, 5400, 1100, 300);
    placeTwips(workingDocument_->transferLabel(), 6480, 5880, 1100, 300);
    placeTwips(workingDocument_->fileLabel(), 135, 7830, 6225, 300);

    auto* speakLabel = new widgets::ClickableLabel(widgets::speechCaption(), this);
    speakLabel->setObjectName(QStringLiteral("Label14"));
    speakLabel->setCursor(Qt::PointingHandCursor);
    placeTwips(speakLabel, 6480, 6360, 1100, 300);
    // F5 types a code here; the label alone speaks what the entry box holds.
    speech_ = new widgets::SpeechCommand(speakLabel, [this] { return phoneticEntry_->text(); });
    connect(speakLabel, &widgets::ClickableLabel::clicked, speech_, &widgets::SpeechCommand::speak);

    createPalettePanel();
}

void Form1::createKeyboardFrame() {
    keyboard_ = widgets::placed(new KeyboardFrame(services_.messages, this), "Frame1",
                                {135, 420, 7440, 3450});
    connect(keyboard_, &KeyboardFrame::phoneticButtonClicked, this,
            &Form1::onPhoneticButtonClicked);
    connect(keyboard_, &KeyboardFrame::moreClicked, this, &Form1::onMoreClicked);
}

void Form1::createEntryFrame() {
    auto* frame = widgets::placed(new QGroupBox(QStringLiteral("按Esc在单词/音标间转换  "), this),
                                  "Frame3", {135, 3900, 6600, 1350});

    prompt_ = plainLabel(QStringLiteral("Label2"), lookOf(mode_).prompt.toString(), frame);
    prompt_->setFont(fontOf(kSongti, 12));
    placeTwips(prompt_, 120, 255, 1380, 330);

    phoneticEntry_ = widgets::placed(new LockedEntryBox(frame), "Text1", {1530, 195, 4935, 435});
    phoneticEntry_->setFont(fontOf(core::phoneticFont(), 12));
    phoneticEntry_->setReadOnly(true);
    // After setReadOnly, which decides the input method on its own.
    phoneticEntry_->setAttribute(Qt::WA_InputMethodEnabled, false);
    phoneticEntry_->setToolTip(QStringLiteral("中文输入法被屏蔽"));

    wordEntry_ = widgets::placed(new QLineEdit(frame), "Text2", {1530, 195, 4935, 435});
    wordEntry_->setFont(fontOf(core::manualInputLatinFont(), 9.75));
    wordEntry_->setInputMethodHints(Qt::ImhPreferLatin);
    // English words are typed here, so the input method starts off; Ctrl+Space, the key Chinese
    // input methods switch with, turns it on for a name or a note in Chinese.
    wordEntry_->setAttribute(Qt::WA_InputMethodEnabled, false);
    wordEntry_->setToolTip(QStringLiteral("按Ctrl+空格键打开或关闭中文输入法"));
    auto* inputMethodSwitch = new QShortcut(QKeySequence(Qt::CTRL | Qt::Key_Space), wordEntry_,
                                            nullptr, nullptr, Qt::WidgetShortcut);
    connect(inputMethodSwitch, &QShortcut::activated, this, &Form1::toggleWordInputMethod);
    wordEntry_->hide();
    for (QLineEdit* entry : {phoneticEntry_, wordEntry_}) {
        connect(entry, &QLineEdit::textChanged, this, &Form1::onEntryChanged);
    }

    marksFrame_ = widgets::placed(new QGroupBox(frame), "Frame2", {105, 690, 6390, 555});
    marksFrame_->setAutoFillBackground(true);
    marksFrame_->setBackgroundRole(QPalette::Window);
    const struct {
        core::ManualMarks marks;
        const char* caption;
        const char* name;
        QRect place;
    } options[] = {
        {core::ManualMarks::SquareBrackets, "自动加音标边界[] &1", "Option1", {90, 150, 2085, 300}},
        {core::ManualMarks::Slashes, "自动加音位边界// &2", "Option3", {2220, 150, 2085, 300}},
        {core::ManualMarks::None, "不加[]也不加// &3", "Option2", {4350, 150, 1950, 300}},
    };
    marks_ = new QButtonGroup(marksFrame_);
    for (const auto& option : options) {
        auto* button =
            widgets::placed(new QRadioButton(QString::fromUtf8(option.caption), marksFrame_),
                            option.name, option.place);
        marks_->addButton(button, static_cast<int>(option.marks));
    }
    marks_->button(static_cast<int>(core::ManualMarks::SquareBrackets))->setChecked(true);
}

void Form1::createPalettePanel() {
    pinLabel_ = new widgets::ClickableLabel(QStringLiteral(">>>>"), this);
    pinLabel_->setObjectName(QStringLiteral("Label11"));
    pinLabel_->setCursor(Qt::PointingHandCursor);
    pinLabel_->setFrameShape(QFrame::NoFrame);
    placeTwips(pinLabel_, kPanelLeft, 420, 1395, 240);
    connect(pinLabel_, &widgets::ClickableLabel::clicked, this, &Form1::onPinClicked);

    palette_ = new QGroupBox(this);
    palette_->setObjectName(QStringLiteral("Frame4"));
    placeTwips(palette_, kPanelLeft, 660, 1395, 3675);
    auto* buttons = new QButtonGroup(palette_);
    for (const keyboard::PalettePlace& place : keyboard::kPanelPlaces) {
        for (const keyboard::PaletteButton& data : keyboard::kPaletteButtons) {
            if (data.index == place.index) {
                QPushButton* button = keyboard::createPaletteButton(data, palette_);
                button->move(pixels(place.left), pixels(place.top));
                buttons->addButton(button, data.index);
            }
        }
    }
    connect(buttons, &QButtonGroup::idClicked, this, &Form1::onPaletteButtonClicked);
}

void Form1::checkPhoneticFont() {
    if (platform::phoneticFontInstalled()) {
        return;
    }
    // The mapped keys still work: they do not go through the buttons.
    keyboard_->setEnabled(false);
    services_.messages.show(this, platform::missingFontMessage(services_.folder, false),
                            platform::Icon::Critical, platform::Buttons::Ok, platform::Answer::Ok);
}

QSize Form1::limitedSize(QSize twips) {
    int width = twips.width();
    int height = twips.height();
    if (width < kMinWidth) {
        width = kMinWidth;
    }
    if (width > kMaxWidth) {
        width = kMaxWidth;
    }
    if (height < kMinHeight) {
        height = kMinHeight;
    }
    if (height > kMaxHeight) {
        height = kMinHeight;
    }
    return {width, height};
}

bool Form1::isFirstDelivery(QObject* receiver, QEvent* event) {
    // A key press that the focused control ignores travels up to its parents; only its first
    // delivery counts.
    bool propagated = false;
    if (event == keyEvent_ && keyReceiver_ != nullptr && receiver->isWidgetType() &&
        keyReceiver_->isWidgetType()) {
        propagated = static_cast<QWidget*>(receiver)->isAncestorOf(
            static_cast<QWidget*>(keyReceiver_.data()));
    }
    keyEvent_ = event;
    keyReceiver_ = receiver;
    return !propagated;
}

bool Form1::eventFilter(QObject* watched, QEvent* event) {
    switch (event->type()) {
        case QEvent::KeyPress:
            if (watched->isWidgetType() && static_cast<QWidget*>(watched)->window() == this &&
                isFirstDelivery(watched, event)) {
                onKeyDown(keyboard::virtualKeyCode(*static_cast<QKeyEvent*>(event)));
            }
            break;
        case QEvent::ShortcutOverride:
        case QEvent::KeyRelease:
            keyEvent_ = nullptr;  // the next press is a new one, even at the same address
            break;
        default:
            break;
    }
    return QDialog::eventFilter(watched, event);
}

void Form1::onKeyDown(int keyCode) {
    if (keyCode == keyboard::kKeyEscape) {
        toggleMode();
    }
    if (keyCode == keyboard::kKeyBackspace && !phoneticEntry_->text().isEmpty()) {
        phoneticEntry_->setText(phoneticEntry_->text().chopped(1));
        phoneticEntry_->setCursorPosition(int(phoneticEntry_->text().size()));
    }
    if (mode_ == EntryMode::Phonetic) {
        const int index = keyboard::buttonForKey(keyCode);
        if (index >= 0) {
            onPhoneticButtonClicked(index);
        }
    }
}

void Form1::onPhoneticButtonClicked(int index) {
    phoneticEntry_->insert(keyboard::insertedText(index));
    phoneticEntry_->setFocus();
}

void Form1::onPaletteButtonClicked(int index) {
    if (mode_ != EntryMode::Phonetic) {
        return;
    }
    phoneticEntry_->insert(QString(QLatin1Char(keyboard::paletteCode(index))));
    phoneticEntry_->setFocus();
    if (!panelPinned_) {
        setWidthTwips(kPanelClosedWidth);
    }
}

void Form1::onEntryChanged(const QString& text) {
    if (!text.isEmpty()) {
        confirm_->setEnabled(true);
    }
}

void Form1::onConfirmClicked() {
    const QString codes = phoneticEntry_->text();
    const QString word = wordEntry_->text();
    // One edit for the whole entry: the paragraph is laid out once, and undone as one.
    document_->insert(
        mode_ == EntryMode::Word
            ? core::manualInputWord(word)
            : core::manualInputCodes(codes, static_cast<core::ManualMarks>(marks_->checkedId())));
    phoneticEntry_->clear();
    wordEntry_->clear();
    confirm_->setEnabled(false);
    (mode_ == EntryMode::Word ? wordEntry_ : phoneticEntry_)->setFocus();
}

void Form1::toggleWordInputMethod() {
    wordEntry_->setAttribute(Qt::WA_InputMethodEnabled,
                             !wordEntry_->testAttribute(Qt::WA_InputMethodEnabled));
    QGuiApplication::inputMethod()->update(Qt::ImEnabled);
}

void Form1::toggleMode() {
    mode_ = mode_ == EntryMode::Phonetic ? EntryMode::Word : EntryMode::Phonetic;
    const bool words = mode_ == EntryMode::Word;
    modeLabel_->setText(lookOf(mode_).caption.toString());
    prompt_->setText(lookOf(mode_).prompt.toString());
    keyboard_->setVisible(!words);
    marksFrame_->setVisible(!words);
    phoneticEntry_->setVisible(!words);
    palette_->setEnabled(!words);
    wordEntry_->setVisible(words);
    (words ? wordEntry_ : phoneticEntry_)->setFocus();
}

output::DocumentBox* Form1::documentBox() const {
    return document_;
}

output::DocumentSaver* Form1::documentSaver() const {
    return workingDocument_->saver();
}

void Form1::setSpeech(std::shared_ptr<core::Speech> speech) {
    speech_->setSpeech(std::move(speech));
}

void Form1::onMoreClicked() {
    setWidthTwips(kPanelOpenWidth);
}

void Form1::onPinClicked() {
    panelPinned_ = !panelPinned_;
    if (panelPinned_) {
        setWidthTwips(kPanelOpenWidth);
        pinLabel_->setFrameStyle(QFrame::Box | QFrame::Plain);
        pinLabel_->setLineWidth(1);
    } else {
        pinLabel_->setFrameShape(QFrame::NoFrame);
        setWidthTwips(kPanelClosedWidth);
    }
}

void Form1::setWidthTwips(int twips) {
    const QSize size = limitedSize(QSize(twips, height() * kTwipsPerPixel));
    resize(pixels(size.width()), pixels(size.height()));
}

void Form1::resizeEvent(QResizeEvent* event) {
    QDialog::resizeEvent(event);
    if (isMinimized()) {
        return;
    }
    const QSize twips = size() * kTwipsPerPixel;
    const QSize limited = limitedSize(twips);
    if (limited != twips) {
        resize(pixels(limited.width()), pixels(limited.height()));
    }
}

void Form1::closeEvent(QCloseEvent* event) {
    if (!workingDocument_->confirmClose()) {
        event->ignore();
        return;
    }
    output::removeTransferFiles(services_.folder);
    QDialog::closeEvent(event);
}

}  // namespace manual
