#include "speechcommand.h"

#include <QKeySequence>
#include <QShortcut>
#include <QWidget>
#include <algorithm>
#include <iterator>
#include <utility>

namespace widgets {

QString speechProblemText(core::SpeechProblem problem) {
    static constexpr std::pair<core::SpeechProblem, const char*> kTexts[] = {
        {core::SpeechProblem::NoSoundDevice, "没有找到声音输出设备"},
        {core::SpeechProblem::NoEspeak, "没有找到 eSpeak NG 或它的英语数据"},
        {core::SpeechProblem::NothingToSay, "音标中没有可以朗读的音"},
    };
    const auto* found = std::find_if(std::begin(kTexts), std::end(kTexts),
                                     [problem](const auto& row) { return row.first == problem; });
    return found == std::end(kTexts) ? QString() : QString::fromUtf8(found->second);
}

SpeechCommand::SpeechCommand(QWidget* control, std::function<QString()> codes)
    : QObject(control),
      control_(control),
      codes_(std::move(codes)),
      tip_(QStringLiteral("朗读音标")) {
    refresh();
}

void SpeechCommand::speakOnF5(QWidget* window) {
    auto* key = new QShortcut(QKeySequence(Qt::Key_F5), window);
    connect(key, &QShortcut::activated, this, &SpeechCommand::speak);
    tip_ = QStringLiteral("朗读音标（F5）");
    refresh();
}

void SpeechCommand::setSpeech(std::shared_ptr<core::Speech> speech) {
    speech_ = std::move(speech);
    refresh();
}

// Only the device is asked here: eSpeak NG is loaded at the first word said, not when a window
// opens.
void SpeechCommand::refresh() {
    const QString reason = speech_ != nullptr && speech_->hasDevice()
                               ? QString()
                               : speechProblemText(core::SpeechProblem::NoSoundDevice);
    control_->setEnabled(reason.isEmpty());
    control_->setToolTip(reason.isEmpty() ? tip_ : reason);
}

void SpeechCommand::speak() {
    if (speech_ == nullptr || !control_->isEnabled()) {
        return;
    }
    const platform::Voice voice = voice_ ? voice_() : platform::Voice::British;
    if (speech_->speak(codes_(), voice)) {
        return;
    }
    // Nothing to say, or no way to say it: only the second turns the command off.
    const QString reason = speechProblemText(speech_->unavailableReason());
    if (!reason.isEmpty()) {
        control_->setEnabled(false);
        control_->setToolTip(reason);
    }
}

}  // namespace widgets
