#include "dialogs.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDesktopServices>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QUrl>
#include <utility>

#include "programfolder.h"

namespace platform {
namespace {

// The message boxes' words for ours, as tables; a value the table lacks gets the fallback.
template <class From, class To, std::size_t N>
To translated(const std::pair<From, To> (&table)[N], From from, To fallback) {
    for (const auto& [key, value] : table) {
        if (key == from) {
            return value;
        }
    }
    return fallback;
}

const std::pair<Answer, QMessageBox::StandardButton> kAnswers[] = {
    {Answer::Ok, QMessageBox::Ok},     {Answer::Cancel, QMessageBox::Cancel},
    {Answer::Yes, QMessageBox::Yes},   {Answer::No, QMessageBox::No},
    {Answer::Save, QMessageBox::Save}, {Answer::Discard, QMessageBox::Discard},
};
const std::pair<Buttons, QMessageBox::StandardButtons> kButtonSets[] = {
    {Buttons::Ok, QMessageBox::Ok},
    {Buttons::OkCancel, QMessageBox::Ok | QMessageBox::Cancel},
    {Buttons::YesNo, QMessageBox::Yes | QMessageBox::No},
    {Buttons::YesNoCancel, QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel},
    {Buttons::SaveDiscardCancel, QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel},
};
// The words of the buttons that the program names itself, whatever the translation says.
const std::pair<QMessageBox::StandardButton, const char*> kCaptions[] = {
    {QMessageBox::Save, "保存"},
    {QMessageBox::Discard, "不保存"},
    {QMessageBox::Cancel, "取消"},
};
const std::pair<Icon, QMessageBox::Icon> kIcons[] = {
    {Icon::Information, QMessageBox::Information},
    {Icon::Question, QMessageBox::Question},
    {Icon::Critical, QMessageBox::Critical},
};

QMessageBox::StandardButton toButton(Answer answer) {
    return translated(kAnswers, answer, QMessageBox::NoButton);
}

// A box closed without a button (Esc, the window's close) answers Cancel.
Answer toAnswer(int button) {
    for (const auto& [answer, standard] : kAnswers) {
        if (standard == button) {
            return answer;
        }
    }
    return Answer::Cancel;
}

QMessageBox::StandardButtons toButtons(Buttons buttons) {
    return translated(kButtonSets, buttons, QMessageBox::StandardButtons(QMessageBox::Ok));
}

QMessageBox::Icon toIcon(Icon icon) {
    return translated(kIcons, icon, QMessageBox::NoIcon);
}

}  // namespace

Answer QtMessageBoxes::show(QWidget* parent, const QString& text, Icon icon, Buttons buttons,
                            Answer defaultButton) {
    // Without a window of its own the box stands over the window in front.
    if (parent == nullptr) {
        parent = QApplication::activeWindow();
    }
    QMessageBox box(toIcon(icon), messageTitle(), QString(), toButtons(buttons), parent);
    // Messages carry entries and paths as the user typed them: "<b>" is text, not markup.
    box.setTextFormat(Qt::PlainText);
    box.setText(text);
    if (buttons == Buttons::SaveDiscardCancel) {
        for (const auto& [button, caption] : kCaptions) {
            box.button(button)->setText(QString::fromUtf8(caption));
        }
    }
    box.setDefaultButton(toButton(defaultButton));
    if (buttons == Buttons::YesNo) {
        box.setEscapeButton(QMessageBox::No);
    } else if (buttons != Buttons::Ok) {
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
        // A description that names its patterns already ("Word文档(*.doc)") is shown as written;
        // the dialog reads the patterns from it.
        const bool named = parts[i].endsWith(u'(' + patterns + u')');
        entries << (named ? parts[i] : QStringLiteral("%1 (%2)").arg(parts[i], patterns));
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
