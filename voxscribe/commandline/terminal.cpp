#include "terminal.h"

namespace commandline {

void write(std::FILE* stream, const QString& text) {
    const QByteArray bytes = text.toUtf8();
    std::fwrite(bytes.constData(), 1, size_t(bytes.size()), stream);
}

void tell(const QString& text) {
    QString line = text;
    line.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    write(stderr, QStringLiteral("voxscribe: ") + line + u'\n');
}

QuietServices::QuietServices(platform::Services& services)
    : services_{services.folder, services.components, messages_, services.files, services.shell} {}

platform::Answer QuietServices::StandardErrorMessages::show(QWidget*, const QString& text,
                                                            platform::Icon, platform::Buttons,
                                                            platform::Answer defaultButton) {
    tell(text);
    return defaultButton;
}

}  // namespace commandline
