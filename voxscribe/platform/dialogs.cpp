#include "dialogs.h"

#include <QDesktopServices>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QUrl>

#include "programfolder.h"

namespace platform {
namespace {

struct ButtonMap {
    Answer answer;
    QMessageBox::StandardButton button;
};
constexpr ButtonMap kButtons[] = {
    {Answer::Ok, QMessageBox::Ok},
    {Answer::Cancel, QMessageBox::Cancel},
    {Answer::Yes, QMessageBox::Yes},
    {Answer::No, QMessageBox::No},
};

QMessageBox::StandardButton toButton(Answer answer) {
    for (const ButtonMap& map : kButtons) {
        if (map.answer == answer) {
            return map.button;
        }
    }
    return QMessageBox::NoButton;
}

Answer toAnswer(int button) {
    for (const ButtonMap& map : kButtons) {
        if (map.button == button) {
            return map.answer;
        }
    }
    return Answer::Cancel;
}

QMessageBox::StandardButtons toButtons(Buttons buttons) {
    switch (buttons) {
        case Buttons::Ok:
            return QMessageBox::Ok;
        case Buttons::OkCancel:
            return QMessageBox::Ok | QMessageBox::Cancel;
        case Buttons::YesNoCancel:
            return QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel;
    }
    return QMessageBox::Ok;
}

QMessageBox::Icon toIcon(Icon icon) {
    switch (icon) {
        case Icon::Information:
            return QMessageBox::Information;
        case Icon::Question:
            return QMessageBox::Question;
        case Icon::Critical:
            return QMessageBox::Critical;
    }
    return QMessageBox::NoIcon;
}

}  // namespace

Answer QtMessageBoxes::show(QWidget* parent, const QString& text, Icon icon, Buttons buttons,
                            Answer defaultButton) {
    QMessageBox box(toIcon(icon), messageTitle(), QString(), toButtons(buttons), parent);
    // Messages carry entries and paths as the user typed them: "<b>" is text, not markup.
    box.setTextFormat(Qt::PlainText);
    box.setText(text);
    box.setDefaultButton(toButton(defaultButton));
    if (buttons != Buttons::Ok) {
        box.setEscapeButton(QMessageBox::Cancel);
    }
    return toAnswer(box.exec());
}

QString qtFilter(const QString& filter) {
    const QStringList parts = filter.split('|', Qt::SkipEmptyParts);
    QStringList entries;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        QString patterns = parts[i + 1];
        patterns.replace(';', ' ');
        entries << QStringLiteral("%1 (%2)").arg(parts[i], patterns);
    }
    return entries.join(QStringLiteral(";;"));
}

QString extensionOfFilter(const QString& qtFilterEntry) {
    static const QRegularExpression pattern(QStringLiteral("\\(\\*(\\.[^ ;)*]+)[^()]*\\)\\s*$"));
    const QRegularExpressionMatch match = pattern.match(qtFilterEntry);
    return match.hasMatch() ? match.captured(1) : QString();
}

QString withDefaultExtension(const QString& path, const QString& qtFilterEntry) {
    if (path.isEmpty() || !QFileInfo(path).suffix().isEmpty()) {
        return path;
    }
    return path + extensionOfFilter(qtFilterEntry);
}

QString dialogStartPath(const QString& initialName) {
    if (QFileInfo(initialName).isAbsolute()) {
        return initialName;
    }
    QString folder = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    if (folder.isEmpty() || !QFileInfo(folder).isDir()) {
        folder = QDir::homePath();
    }
    return initialName.isEmpty() ? folder : joinPath(folder, initialName);
}

QString QtFileDialogs::saveFileName(QWidget* parent, const QString& title, const QString& filter,
                                    const QString& initialName) {
    QString chosenFilter;
    const QString path =
        QFileDialog::getSaveFileName(parent, title, dialogStartPath(initialName), qtFilter(filter),
                                     &chosenFilter, QFileDialog::DontConfirmOverwrite);
    return withDefaultExtension(path, chosenFilter);
}

QString QtFileDialogs::openFileName(QWidget* parent, const QString& title, const QString& filter,
                                    const QString& initialName) {
    return QFileDialog::getOpenFileName(parent, title, dialogStartPath(initialName),
                                        qtFilter(filter));
}

void DesktopOpener::open(QWidget*, const QString& path) {
    QDesktopServices::openUrl(QUrl::fromLocalFile(path));
}

}  // namespace platform
