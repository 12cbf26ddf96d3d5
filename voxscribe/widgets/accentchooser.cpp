#include "accentchooser.h"

#include <QSettings>
#include <QTextCursor>

namespace widgets {
namespace {

QString keyOf(const QString& window) {
    return window + QStringLiteral("/accent");
}

// The user's own settings file of the program, whatever the running executable is called.
class ProgramSettings final : public QSettings {
public:
    ProgramSettings()
        : QSettings(QSettings::IniFormat, QSettings::UserScope, QStringLiteral("voxscribe"),
                    QStringLiteral("voxscribe")) {}
};

}  // namespace

AccentChooser::AccentChooser(const QString& window, QWidget* parent)
    : QComboBox(parent), window_(window) {
    setObjectName(QStringLiteral("Accent"));
    for (const core::AccentFacts& facts : core::accents()) {
        addItem(QString::fromUtf8(facts.caption), int(facts.accent));
    }
    setToolTip(QStringLiteral("写英式音标、美式音标，或两种都写"));
    showAccent(remembered(window));
    connect(this, &QComboBox::activated, this, &AccentChooser::onActivated);
}

platform::Voice AccentChooser::voiceAt(const QTextCursor& caret, bool lastAmerican) const {
    const core::PointedTranscription pointed = core::pointedTranscription(caret);
    const bool american = pointed.codes.isEmpty() ? lastAmerican : pointed.american;
    return american || accent() == core::Accent::American ? platform::Voice::American
                                                          : platform::Voice::British;
}

core::Accent AccentChooser::accent() const {
    return core::Accent(currentData().toInt());
}

void AccentChooser::showAccent(core::Accent accent) {
    const QSignalBlocker blocker(this);
    setCurrentIndex(findData(int(accent)));
}

core::Accent AccentChooser::remembered(const QString& window) {
    ProgramSettings settings;
    const QString option = settings.value(keyOf(window)).toString();
    return core::accentOfOption(option).value_or(core::Accent::British);
}

void AccentChooser::onActivated(int index) {
    const core::Accent chosen = core::Accent(itemData(index).toInt());
    ProgramSettings settings;
    settings.setValue(keyOf(window_), QString::fromLatin1(core::factsOf(chosen).option));
    Q_EMIT accentChosen(chosen);
}

}  // namespace widgets
