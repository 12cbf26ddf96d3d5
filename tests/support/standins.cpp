#include "standins.h"

namespace testing_support {

platform::Answer ScriptedMessageBoxes::show(QWidget*, const QString& text, platform::Icon icon,
                                            platform::Buttons buttons,
                                            platform::Answer defaultButton) {
    shown.push_back({text, icon, buttons, defaultButton});
    if (hook_) {
        hook_(shown.back());
    }
    if (answers_.empty()) {
        return defaultButton;
    }
    const platform::Answer a = answers_.front();
    answers_.pop_front();
    return a;
}

QString ScriptedFileDialogs::next() {
    if (answers_.empty()) {
        return {};
    }
    QString path = answers_.front();
    answers_.pop_front();
    return path;
}

QString ScriptedFileDialogs::saveFileName(QWidget*, const QString& title, const QString& filter,
                                          const QString& initialName) {
    requests.push_back({true, title, filter, initialName});
    return next();
}

QString ScriptedFileDialogs::openFileName(QWidget*, const QString& title, const QString& filter,
                                          const QString& initialName) {
    requests.push_back({false, title, filter, initialName});
    return next();
}

}  // namespace testing_support
