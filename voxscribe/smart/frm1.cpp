#include "frm1.h"

#include <QButtonGroup>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QShortcut>

#include "annotation.h"
#include "documentbox.h"
#include "frm21.h"
#include "misslog.h"
#include "phoneticbuttons.h"
#include "phonetickeyboard.h"
#include "speechcommand.h"
#include "twips.h"

namespace smart {
namespace {

constexpr int kClientWidth = 7575;
constexpr int kClientHeight = 4485;
// With the row of the suggestion below the entry.
constexpr int kClientHeightWithSuggestion = 5040;

}  // namespace

Frm1::Frm1(platform::Services& services, Frm3* frm3, std::shared_ptr<core::Suggestion> suggestion,
           QWidget* parent)
    : EscProofDialog(parent), services_(services), frm3_(frm3), suggestion_(std::move(suggestion)) {
    setObjectName(QStringLiteral("Frm1"));
    setWindowTitle(QStringLiteral("手动添加音标"));
    setFixedSize(widgets::pixels(kClientWidth), widgets::pixels(kClientHeightWithSuggestion));

    auto* keyboardFrame =
        widgets::placed(new QGroupBox(QStringLiteral("辅音：9+19；元音：20；符号：3"), this),
                        "Frame1", {60, 30, 7455, 3690});
    QButtonGroup* buttons =
        keyboard::createKeyboardButtons(keyboardFrame, keyboard::KeyboardWindow::ManualEntry);
    auto* more = widgets::placed(new QPushButton(QStringLiteral("more"), keyboardFrame), "Command7",
                                 {6540, 3150, 735, 405});
    more->setAutoDefault(false);

    auto* entryFrame = widgets::placed(new QGroupBox(this), "Frame3", {60, 3750, 6600, 675});
    widgets::placed(new QLabel(QStringLiteral("接受音标输入"), entryFrame), "Label2",
                    {120, 195, 1320, 300});
    entry_ = widgets::placed(new QLineEdit(entryFrame), "Text1", {1470, 120, 5010, 435});
    QFont phonetic(core::phoneticFont());
    phonetic.setPointSizeF(12);
    entry_->setFont(phonetic);
    entry_->setAttribute(Qt::WA_InputMethodEnabled, false);
    entry_->setToolTip(QStringLiteral("中文输入法被屏蔽"));

    auto* confirm = widgets::placed(new QPushButton(QStringLiteral("确认"), this), "Command6",
                                    {6780, 3855, 675, 450});
    confirm->setToolTip(QStringLiteral("回车键为快捷键"));
    confirm->setDefault(true);

    suggestionPrompt_ = widgets::placed(new QLabel(QStringLiteral("建议："), this), "Label3",
                                        {180, 4560, 660, 300});
    suggestionCodes_ = widgets::placed(new QLabel(this), "Label4", {840, 4470, 5820, 450});
    suggestionCodes_->setFont(phonetic);
    suggestionCodes_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    adopt_ = widgets::placed(new QPushButton(QStringLiteral("采用"), this), "Command8",
                             {6780, 4470, 675, 450});
    adopt_->setToolTip(QStringLiteral("Ctrl+回车键为快捷键"));
    adopt_->setAutoDefault(false);
    for (const QKeySequence& keys :
         {QKeySequence(Qt::CTRL | Qt::Key_Return), QKeySequence(Qt::CTRL | Qt::Key_Enter)}) {
        auto* shortcut = new QShortcut(keys, this);
        connect(shortcut, &QShortcut::activated, this, &Frm1::onAdoptClicked);
    }

    auto* speak = widgets::placed(new QPushButton(widgets::speechCaption(), keyboardFrame),
                                  "Command9", {5745, 3150, 735, 405});
    speak->setAutoDefault(false);
    speech_ = new widgets::SpeechCommand(speak, [this] { return entry_->text(); });
    connect(speak, &QPushButton::clicked, speech_, &widgets::SpeechCommand::speak);
    speech_->speakOnF5(this);

    connect(buttons, &QButtonGroup::idClicked, this, &Frm1::onPhoneticButtonClicked);
    connect(more, &QPushButton::clicked, this, &Frm1::onMoreClicked);
    connect(confirm, &QPushButton::clicked, this, &Frm1::onConfirmClicked);
    connect(adopt_, &QPushButton::clicked, this, &Frm1::onAdoptClicked);

    if (frm3_ != nullptr) {
        connect(frm3_->entryBox(), &QLineEdit::textChanged, this, &Frm1::onWordChanged);
        // Without its window the dialog has nowhere to write: it goes with it.
        connect(frm3_, &Frm3::closing, this, &QWidget::close);
        connect(frm3_, &QObject::destroyed, this, &QObject::deleteLater);
    }
}

void Frm1::setSpeech(std::shared_ptr<core::Speech> speech) {
    speech_->setSpeech(std::move(speech));
}

void Frm1::showEntry() {
    if (frm3_ == nullptr) {
        return;
    }
    showSuggestion();
    show();
    raise();
    activateWindow();
    entry_->setFocus();
}

void Frm1::reject() {
    entry_->clear();
    QDialog::reject();
}

void Frm1::onPhoneticButtonClicked(int index) {
    entry_->insert(keyboard::insertedText(index));
    entry_->setFocus();
}

void Frm1::onMoreClicked() {
    keyboard::Frm21 palette(entry_);
    palette.exec();
}

void Frm1::onWordChanged() {
    // The suggestion follows the word that a confirmation would log: whatever Frm3's entry box
    // holds. A hidden dialog waits until it is shown.
    if (isVisible()) {
        showSuggestion();
    }
}

void Frm1::showSuggestion() {
    // The first suggestion loads the service; without it the row stays empty. The entry takes
    // one transcription: the American one in 美, else the British one, which leads in 英美.
    QString codes;
    if (suggestion_ != nullptr && frm3_ != nullptr) {
        const QString word = frm3_->entryBox()->text();
        codes = frm3_->accent() == core::Accent::American ? suggestion_->suggestAmerican(word)
                                                          : suggestion_->suggest(word);
    }
    suggestionCodes_->setText(codes);
    for (QWidget* widget :
         std::initializer_list<QWidget*>{suggestionPrompt_, suggestionCodes_, adopt_}) {
        widget->setVisible(!codes.isEmpty());
    }
    setFixedSize(widgets::pixels(kClientWidth),
                 widgets::pixels(codes.isEmpty() ? kClientHeight : kClientHeightWithSuggestion));
}

void Frm1::onAdoptClicked() {
    if (suggestionCodes_->text().isEmpty()) {
        return;  // no suggestion to take
    }
    entry_->setText(suggestionCodes_->text());
    entry_->setFocus();
}

void Frm1::onConfirmClicked() {
    hide();
    if (frm3_ == nullptr) {
        return;
    }
    QLineEdit* entry = frm3_->entryBox();
    const QString word = entry->text().toLower();
    const QString transcription = entry_->text();
    core::MissLog(services_.folder.writableFile(core::MissLog::fileName()))
        .appendEntry(word, transcription);

    frm3_->documentBox()->insert(core::manualEntryLine(word, transcription));

    entry->clear();
    entry_->clear();
    frm3_->activateWindow();
    entry->setFocus();
}

void attachManualEntry(Frm3& frm3, platform::Services& services,
                       std::shared_ptr<core::Suggestion> suggestion,
                       std::shared_ptr<core::Speech> speech) {
    // One dialog per window, made at the first Yes and again after it was closed.
    auto dialog = std::make_shared<QPointer<Frm1>>();
    Frm3* window = &frm3;
    frm3.setManualEntryOpener([window, &services, dialog, suggestion, speech] {
        if (*dialog == nullptr) {
            *dialog = new Frm1(services, window, suggestion);
            (*dialog)->setAttribute(Qt::WA_DeleteOnClose);
            (*dialog)->setSpeech(speech);
        }
        (*dialog)->showEntry();
    });
}

}  // namespace smart
