// The "朗读" command of a window: a label or a button (and F5 where the window has it) that says
// the codes the window hands it, as the document or the entry box shows them. Speaking inserts
// or changes nothing.
#pragma once

#include <QObject>
#include <QString>
#include <functional>
#include <memory>

#include "espeaklibrary.h"
#include "speech.h"

class QWidget;

namespace widgets {

inline QString speechCaption() {
    return QStringLiteral("朗读");
}

// Why speech cannot be heard or written, as the command's tooltip and the command line say it.
// Empty for None, and for FileNotWritten, which the file's own message explains.
QString speechProblemText(core::SpeechProblem problem);

class SpeechCommand : public QObject {
    Q_OBJECT
public:
    // control: the window's command; codes: what there is to say when the command is used.
    SpeechCommand(QWidget* control, std::function<QString()> codes);

    // Without speech (or before it is given) the command is off.
    void setSpeech(std::shared_ptr<core::Speech> speech);
    // The voice for the codes there are to say at the time; British without it.
    void setVoice(std::function<platform::Voice()> voice) { voice_ = std::move(voice); }
    // Says the codes. A command that finds it cannot be heard (no sound device, no eSpeak NG)
    // turns itself off, its tooltip saying why.
    void speak();
    // F5 anywhere in window says the codes as well.
    void speakOnF5(QWidget* window);

private:
    // On while there is a device to play on; the tooltip says why not.
    void refresh();

    QWidget* control_;
    std::function<QString()> codes_;
    std::function<platform::Voice()> voice_;
    std::shared_ptr<core::Speech> speech_;
    QString tip_;
};

}  // namespace widgets
