#include "form1.h"

#include <QAction>
#include <QApplication>
#include <QButtonGroup>
#include <QCloseEvent>
#include <QGroupBox>
#include <QInputMethod>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QShortcut>
#include <QTextCursor>
#include <QTimer>

#include "clickablelabel.h"
#include "documentbox.h"
#include "documentsaver.h"
#include "fontcheck.h"
#include "keyboardframe.h"
#include "lockedentrybox.h"
#include "phoneticbuttons.h"
#include "phonetickeyboard.h"
#include "twips.h"
#include "windowchrome.h"
#include "workingdocument.h"

namespace manual {
namespace {

using widgets::kTwipsPerPixel;
using widgets::pixels;
using widgets::placeTwips;

const QString kPhoneticMode = QStringLiteral("音标");
const QString kWordMode = QStringLiteral("单词");
const QString kPhoneticCaption = QStringLiteral("输入音标：");
const QString kWordCaption = QStringLiteral("输入单词：");
const QString kHide = QStringLiteral("隐藏");
const QString kShow = QStringLiteral("显示");
const QString kHint = QStringLiteral("提示");
const QString kWordFont = QStringLiteral("Courier");
const QString kSongti = QStringLiteral("宋体");

const QString kLetterBlockMessage = QStringLiteral(
    "    本簇音标与键盘字母对应。您可以选择用键\n"
    "盘输入它们，也可以点击这些按钮来输入它们。\n"
    "其中tr/dr在键盘上等价于t/d与r两个字母组合。\n"
    "再次单击这个地方可以隐藏它们。");

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

QString textOf(std::string_view utf8) {
    return QString::fromUtf8(utf8.data(), qsizetype(utf8.size()));
}

widgets::ClickableLabel* handLabel(const QString& name, const QString& caption, QWidget* parent) {
    auto* label = new widgets::ClickableLabel(caption, parent);
    label->setObjectName(name);
    label->setCursor(Qt::PointingHandCursor);
    return label;
}

QLabel* plainLabel(const QString& name, const QString& caption, QWidget* parent) {
    auto* label = new QLabel(caption, parent);
    label->setObjectName(name);
    return label;
}

void setTextColour(QLabel* label, const QColor& colour) {
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, colour);
    label->setPalette(palette);
}

}  // namespace

Form1::Form1(platform::Services& services, QWidget* parent)
    : EscProofDialog(parent), services_(services) {
    setObjectName(QStringLiteral("Form1"));
    createControls();
    connectControls();
    new widgets::WindowChrome(this, core::WorkingWindow::ManualInput);
    // The same limits as hints, so that the window system offers no other size to begin with: the
    // largest whole pixel sizes within them.
    setMinimumSize(pixels(kMinWidth), pixels(kMinHeight));
    setMaximumSize(pixels(kMaxWidth - kTwipsPerPixel / 2), pixels(kMaxHeight - kTwipsPerPixel / 2));
    resize(pixels(kPanelClosedWidth), pixels(kMinHeight));

    // Start-up: the phonetic font of the word box is set here, everything starts empty.
    Text2->setFont(fontOf(core::phoneticFont(), 9.75));
    Text1->clear();
    Text2->clear();
    Rich1->clearDocument();
    checkPhoneticFont();

    qApp->installEventFilter(this);
}

Form1::~Form1() {
    qApp->removeEventFilter(this);
}

void Form1::createControls() {
    lblconvert = plainLabel(QStringLiteral("lblconvert"), kPhoneticMode, this);
    lblconvert->hide();

    createKeyboardFrame();
    createEntryFrame();

    Command6 = widgets::placed(new QPushButton(QStringLiteral("确认"), this), "Command6",
                               {6840, 4140, 675, 450});
    Command6->setFont(fontOf(kSongti, 10.5));
    Command6->setToolTip(QStringLiteral("回车键为快捷键"));
    Command6->setDefault(true);
    Command6->setEnabled(false);

    document_ = new output::WorkingDocument(core::WorkingWindow::ManualInput, services_, this,
                                            QStringLiteral("Label12"), QStringLiteral("保 存"));
    Rich1 = document_->box();
    Rich1->setDefaultFormat(kSongti, 14.25);
    placeTwips(Rich1, 135, 5310, 6225, 2460);
    placeTwips(document_->saveLabel(), 6480, 5400, 1100, 300);
    placeTwips(document_->transferLabel(), 6480, 5880, 1100, 300);
    placeTwips(document_->fileLabel(), 135, 7830, 6225, 300);

    createPalettePanel();
    createHintMenu();
}

void Form1::createKeyboardFrame() {
    Frame1 =
        widgets::placed(new KeyboardFrame(QStringLiteral("辅音：9+19；元音：20；符号：3"), this),
                        "Frame1", {135, 420, 7440, 3450});
    Command1 = keyboard::createKeyboardButtons(Frame1, keyboard::KeyboardWindow::ManualInput);

    const struct {
        QLabel** hint;
        const char* name;
        int top;
        std::string_view text;
    } hints[] = {
        {&Label1, "Label1", 690, keyboard::kKeyboardRows[0].hint},
        {&Label6, "Label6", 1455, keyboard::kKeyboardRows[1].hint},
        {&Label8, "Label8", 2220, keyboard::kKeyboardRows[2].hint},
    };
    for (const auto& hint : hints) {
        *hint.hint = plainLabel(QLatin1String(hint.name), textOf(hint.text), Frame1);
        (*hint.hint)->setFont(fontOf(kSongti, 12));
        placeTwips(*hint.hint, 120, hint.top, 6420, 300);
    }

    const struct {
        widgets::ClickableLabel** toggle;
        const char* name;
        const QString caption;
        int left;
        int top;
    } toggles[] = {
        {&Label4, "Label4", kHide, 6660, 330},
        {&Label7, "Label7", kHide, 6660, 1095},
        {&Label9, "Label9", kHide, 6660, 1860},
        {&Label5, "Label5", kHint, 6660, 2805},
    };
    for (const auto& toggle : toggles) {
        *toggle.toggle = handLabel(QLatin1String(toggle.name), toggle.caption, Frame1);
        (*toggle.toggle)->setToolTip(QStringLiteral("单击"));
        placeTwips(*toggle.toggle, toggle.left, toggle.top, 600, 270);
    }
    Label10 = handLabel(QStringLiteral("Label10"), QStringLiteral("more"), Frame1);
    placeTwips(Label10, 6840, 3135, 540, 255);
}

void Form1::createEntryFrame() {
    Frame3 = widgets::placed(new QGroupBox(QStringLiteral("按Esc在单词/音标间转换  "), this),
                             "Frame3", {135, 3900, 6600, 1350});

    Label2 = plainLabel(QStringLiteral("Label2"), kPhoneticCaption, Frame3);
    Label2->setFont(fontOf(kSongti, 12));
    placeTwips(Label2, 120, 255, 1380, 330);

    Text1 = widgets::placed(new LockedEntryBox(Frame3), "Text1", {1530, 195, 4935, 435});
    Text1->setFont(fontOf(core::phoneticFont(), 12));
    Text1->setReadOnly(true);
    // After setReadOnly, which decides the input method on its own.
    Text1->setAttribute(Qt::WA_InputMethodEnabled, false);
    Text1->setToolTip(QStringLiteral("中文输入法被屏蔽"));

    Text2 = widgets::placed(new QLineEdit(Frame3), "Text2", {1530, 195, 4935, 435});
    Text2->setFont(fontOf(kWordFont, 9.75));
    Text2->setInputMethodHints(Qt::ImhPreferLatin);
    // English words are typed here, so the input method starts off; Ctrl+Space, the key Chinese
    // input methods switch with, turns it on for a name or a note in Chinese.
    Text2->setAttribute(Qt::WA_InputMethodEnabled, false);
    Text2->setToolTip(QStringLiteral("按Ctrl+空格键打开或关闭中文输入法"));
    auto* inputMethodSwitch = new QShortcut(QKeySequence(Qt::CTRL | Qt::Key_Space), Text2, nullptr,
                                            nullptr, Qt::WidgetShortcut);
    connect(inputMethodSwitch, &QShortcut::activated, this, &Form1::toggleWordInputMethod);
    Text2->hide();

    Frame2 = widgets::placed(new QGroupBox(Frame3), "Frame2", {105, 690, 6390, 555});
    Frame2->setAutoFillBackground(true);
    Frame2->setBackgroundRole(QPalette::Window);
    Option1 = widgets::placed(new QRadioButton(QStringLiteral("自动加音标边界[] &1"), Frame2),
                              "Option1", {90, 150, 2085, 300});
    Option3 = widgets::placed(new QRadioButton(QStringLiteral("自动加音位边界// &2"), Frame2),
                              "Option3", {2220, 150, 2085, 300});
    Option2 = widgets::placed(new QRadioButton(QStringLiteral("不加[]也不加// &3"), Frame2),
                              "Option2", {4350, 150, 1950, 300});
    Option1->setChecked(true);
}

void Form1::createPalettePanel() {
    Label11 = handLabel(QStringLiteral("Label11"), QStringLiteral(">>>>"), this);
    Label11->setFrameShape(QFrame::NoFrame);
    placeTwips(Label11, kPanelLeft, 420, 1395, 240);

    Frame4 = new QGroupBox(this);
    c1 = new QButtonGroup(Frame4);
    Frame4->setObjectName(QStringLiteral("Frame4"));
    placeTwips(Frame4, kPanelLeft, 660, 1395, 3675);
    for (const keyboard::PalettePlace& place : keyboard::kPanelPlaces) {
        for (const keyboard::PaletteButton& data : keyboard::kPaletteButtons) {
            if (data.index == place.index) {
                QPushButton* button = createPaletteButton(data, Frame4);
                button->move(pixels(place.left), pixels(place.top));
                c1->addButton(button, data.index);
            }
        }
    }
}

void Form1::createHintMenu() {
    popmenu = new QMenu(this);
    popmenu->setObjectName(QStringLiteral("popmenu"));
    mnu1 = popmenu->addAction(QStringLiteral("第一组辅音输入提示"));
    popmenu->addSeparator();
    mnu3 = popmenu->addAction(QStringLiteral("第一组元音输入提示"));
    popmenu->addSeparator();
    mnu4 = popmenu->addAction(QStringLiteral("第二组元音输入提示"));
    popmenu->addSeparator();
    mnu2 = popmenu->addAction(QStringLiteral("第二组辅音输入提示"));
    mnu1->setObjectName(QStringLiteral("mnu1"));
    mnu2->setObjectName(QStringLiteral("mnu2"));
    mnu3->setObjectName(QStringLiteral("mnu3"));
    mnu4->setObjectName(QStringLiteral("mnu4"));
}

void Form1::connectControls() {
    connect(Command1, &QButtonGroup::idClicked, this, &Form1::onCommand1Clicked);
    connect(c1, &QButtonGroup::idClicked, this, &Form1::onC1Clicked);
    connect(Command6, &QPushButton::clicked, this, &Form1::onConfirmClicked);
    connect(Text1, &QLineEdit::textChanged, this, &Form1::onEntryChanged);
    connect(Text2, &QLineEdit::textChanged, this, &Form1::onEntryChanged);

    connect(Label4, &widgets::ClickableLabel::clicked, this, &Form1::onLabel4Clicked);
    connect(Label7, &widgets::ClickableLabel::clicked, this, &Form1::onLabel7Clicked);
    connect(Label9, &widgets::ClickableLabel::clicked, this, &Form1::onLabel9Clicked);
    connect(Label5, &widgets::ClickableLabel::clicked, this, &Form1::onLabel5Clicked);
    connect(Label10, &widgets::ClickableLabel::clicked, this, &Form1::onMoreClicked);
    connect(Label11, &widgets::ClickableLabel::clicked, this, &Form1::onPinClicked);
    connect(mnu1, &QAction::triggered, this, &Form1::onLabel4Clicked);
    connect(mnu3, &QAction::triggered, this, &Form1::onLabel7Clicked);
    connect(mnu4, &QAction::triggered, this, &Form1::onLabel9Clicked);
    connect(mnu2, &QAction::triggered, this, &Form1::onLabel5Clicked);

    for (widgets::ClickableLabel* label : {Label4, Label5, Label7, Label9, Label10}) {
        connect(label, &widgets::ClickableLabel::mouseMoved, this,
                [this, label] { onHintLabelHovered(label); });
    }
    connect(Frame1, &KeyboardFrame::backgroundHovered, this, &Form1::onFrame1BackgroundHovered);
    connect(Frame1, &KeyboardFrame::backgroundRightPressed, this,
            &Form1::onFrame1BackgroundRightPressed);
}

void Form1::checkPhoneticFont() {
    if (platform::phoneticFontInstalled()) {
        return;
    }
    // The mapped keys still work: they do not go through the buttons.
    Frame1->setEnabled(false);
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

bool Form1::inPhoneticMode() const {
    return lblconvert->text() == kPhoneticMode;
}

bool Form1::panelPinned() const {
    return Label11->frameShape() != QFrame::NoFrame;
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
        switchMode();
    }
    if (keyCode == keyboard::kKeyBackspace && !Text1->text().isEmpty()) {
        Text1->setText(Text1->text().chopped(1));
        Text1->setCursorPosition(int(Text1->text().size()));
    }
    if (inPhoneticMode()) {
        const int index = keyboard::buttonForKey(keyCode);
        if (index >= 0) {
            onCommand1Clicked(index);
        }
    }
}

void Form1::onCommand1Clicked(int index) {
    Text1->insert(keyboard::insertedText(index));
    Text1->setFocus();
}

void Form1::onC1Clicked(int index) {
    if (Label2->text() != kPhoneticCaption) {
        return;
    }
    Text1->insert(QString(QLatin1Char(keyboard::paletteCode(index))));
    Text1->setFocus();
    if (!panelPinned()) {
        setWidthTwips(kPanelClosedWidth);
    }
}

void Form1::onEntryChanged(const QString& text) {
    if (!text.isEmpty()) {
        Command6->setEnabled(true);
    }
}

void Form1::onConfirmClicked() {
    const QString phonetic = Text1->text();
    const QString word = Text2->text();
    const auto setFormat = [this](const QString& family, quint32 colour) {
        Rich1->setInsertionFont(family);
        Rich1->setInsertionColour(colour);
    };

    Rich1->setLocked(false);
    // One edit for the whole entry: the paragraph is laid out once, and undone as one.
    QTextCursor edit(Rich1->document());
    edit.beginEditBlock();
    if (lblconvert->text() == kWordMode) {
        setFormat(kWordFont, core::kBlack);
        output::stagedInsert(*Rich1, word + QLatin1Char(' '));
    } else if (lblconvert->text() == kPhoneticMode) {
        const struct {
            QRadioButton* option;
            QString before;
            QString after;
        } styles[] = {
            {Option1, QStringLiteral(" ["), QStringLiteral("] ")},
            {Option3, QStringLiteral("/"), QStringLiteral("/")},
            {Option2, QString(), QString()},
        };
        for (const auto& style : styles) {
            if (!style.option->isChecked()) {
                continue;
            }
            if (!style.before.isEmpty()) {
                setFormat(kWordFont, core::kBlack);
                Rich1->replaceSelection(style.before);
            }
            setFormat(core::phoneticFont(), core::kBlue);
            output::stagedInsert(*Rich1, phonetic);
            if (!style.after.isEmpty()) {
                setFormat(kWordFont, core::kBlack);
                Rich1->replaceSelection(style.after);
            }
        }
    }
    edit.endEditBlock();
    Text1->clear();
    Text2->clear();
    Command6->setEnabled(false);
    if (lblconvert->text() == kWordMode) {
        Text2->setFocus();
    } else {
        Text1->setFocus();
    }
    Rich1->setLocked(true);
}

void Form1::toggleWordInputMethod() {
    Text2->setAttribute(Qt::WA_InputMethodEnabled,
                        !Text2->testAttribute(Qt::WA_InputMethodEnabled));
    QGuiApplication::inputMethod()->update(Qt::ImEnabled);
}

void Form1::switchMode() {
    const bool toWords = inPhoneticMode();
    lblconvert->setText(toWords ? kWordMode : kPhoneticMode);
    Frame1->setVisible(!toWords);
    Frame2->setVisible(!toWords);
    Label2->setText(toWords ? kWordCaption : kPhoneticCaption);
    Text1->setVisible(!toWords);
    Frame4->setEnabled(!toWords);
    Text2->setVisible(toWords);
    if (toWords) {
        Text2->setFocus();
    } else {
        Text1->setFocus();
    }
}

void Form1::toggleHint(QLabel* toggle, QLabel* hint, int row) {
    if (!hint->text().isEmpty()) {
        hint->clear();
        toggle->setText(kShow);
    } else {
        hint->setText(textOf(keyboard::kKeyboardRows[row].hint));
        toggle->setText(kHide);
    }
}

void Form1::onLabel4Clicked() {
    toggleHint(Label4, Label1, 0);
}

void Form1::onLabel7Clicked() {
    toggleHint(Label7, Label6, 1);
}

void Form1::onLabel9Clicked() {
    toggleHint(Label9, Label8, 2);
}

void Form1::onLabel5Clicked() {
    const QString caption = Label5->text();
    if (caption == kHint) {
        Label5->setText(kHide);
        services_.messages.show(this, kLetterBlockMessage, platform::Icon::Information,
                                platform::Buttons::Ok, platform::Answer::Ok);
    } else if (caption == kHide) {
        Label5->setText(kShow);
        setLetterBlockVisible(false);
    } else if (caption == kShow) {
        Label5->setVisible(true);
        Label5->setText(kHint);
        setLetterBlockVisible(true);
    }
}

void Form1::setLetterBlockVisible(bool visible) {
    for (const keyboard::KeyboardButton& button : keyboard::kKeyboardButtons) {
        if (inLetterBlock(button)) {
            Command1->button(button.index)->setVisible(visible);
        }
    }
}

void Form1::onMoreClicked() {
    setWidthTwips(kPanelOpenWidth);
}

void Form1::onPinClicked() {
    if (panelPinned()) {
        Label11->setFrameShape(QFrame::NoFrame);
        setWidthTwips(kPanelClosedWidth);
    } else {
        setWidthTwips(kPanelOpenWidth);
        Label11->setFrameStyle(QFrame::Box | QFrame::Plain);
        Label11->setLineWidth(1);
    }
}

void Form1::onFrame1BackgroundRightPressed(const QPoint& globalPosition) {
    popmenu->popup(globalPosition);
}

void Form1::onFrame1BackgroundHovered() {
    const QColor normal = Label2->palette().color(QPalette::WindowText);
    for (QLabel* label : {Label4, Label5, Label7, Label9, Label10}) {
        setTextColour(label, normal);
    }
}

void Form1::onHintLabelHovered(QLabel* label) {
    setTextColour(label, output::colourFromBgr(core::kBlue));
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
    if (!document_->confirmClose()) {
        event->ignore();
        return;
    }
    output::removeTransferFiles(services_.folder);
    QDialog::closeEvent(event);
}

}  // namespace manual
