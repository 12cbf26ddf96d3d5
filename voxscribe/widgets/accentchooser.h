// The choice 英 / 美 / 英美 of the windows that look words up: which transcriptions they write.
// Each window remembers its own choice between runs.
#pragma once

#include <QComboBox>
#include <QString>

#include "accent.h"
#include "espeaklibrary.h"

class QTextCursor;

namespace widgets {

class AccentChooser : public QComboBox {
    Q_OBJECT
public:
    // window: the object name of the window, under which its choice is remembered.
    AccentChooser(const QString& window, QWidget* parent);

    core::Accent accent() const;
    // Shows accent as chosen, without remembering it or telling anyone.
    void showAccent(core::Accent accent);
    // The voice that says the transcription at caret: American where the reader points at an
    // American one, or where nothing is pointed at and the last written was (lastAmerican), or
    // where American is chosen.
    platform::Voice voiceAt(const QTextCursor& caret, bool lastAmerican) const;

    // The choice a window remembered; British when it has none.
    static core::Accent remembered(const QString& window);

Q_SIGNALS:
    // The user chose an accent; it is remembered already.
    void accentChosen(core::Accent accent);

private:
    void onActivated(int index);

    QString window_;
};

}  // namespace widgets
