#include "standins.h"

#include <dlfcn.h>

#include "espeaklibrary.h"

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

bool espeakLoaded() {
    void* handle = dlopen("libespeak-ng.so.1", RTLD_NOW | RTLD_NOLOAD);
    if (handle != nullptr) {
        dlclose(handle);
    }
    return handle != nullptr;
}

std::size_t phonemeCountOf(const char* codes) {
    return core::soundOfCodes(platform::EspeakLibrary::open(), QString::fromLatin1(codes))
        .phonemes.size();
}

QStringList phonemeNames(const platform::SpokenSound& sound) {
    QStringList names;
    for (const platform::SpokenPhoneme& phoneme : sound.phonemes) {
        names << phoneme.name;
    }
    return names;
}

}  // namespace testing_support
