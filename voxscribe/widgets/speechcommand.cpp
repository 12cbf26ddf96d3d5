#include "speechcommand.h"

#include <QWidget>

#include "speech.h"

namespace widgets {
namespace {

const QString kTip = QStringLiteral("朗读音标（F5）");

}  // namespace

SpeechCommand::SpeechCommand(QWidget* control, std::function<QString()> codes)
    : QObject(control), control_(control), codes_(std::move(codes)) {
    refresh();
}

void SpeechCommand::setSpeech(std::shared_ptr<core::Speech> speech) {
    speech_ = std::move(speech);
    refresh();
}

// Only the device is asked here: eSpeak NG is loaded at the first word said, not when a window
// opens.
void SpeechCommand::refresh() {
    const QString reason =
        speech_ != nullptr && speech_->hasDevice() ? QString() : core::noSoundDeviceReason();
    control_->setEnabled(reason.isEmpty());
    control_->setToolTip(reason.isEmpty() ? kTip : reason);
}

void SpeechCommand::speak() {
    if (speech_ == nullptr || !control_->isEnabled()) {
        return;
    }
    const QString reason = speech_->unavailableReason();
    if (!reason.isEmpty()) {
        control_->setEnabled(false);
        control_->setToolTip(reason);
        return;
    }
    speech_->speak(codes_());
}

}  // namespace widgets
