// Message boxes, file dialogs and opening a file with its application: the program asks through
// these interfaces, so that tests can answer in the user's place.
#pragma once

#include <QString>

class QWidget;

namespace platform {

// The title of every message box of the program.
inline QString messageTitle() {
    return QStringLiteral("友情提示");
}

enum class Icon { Information, Question, Critical };
enum class Buttons { Ok, OkCancel, YesNo, YesNoCancel, SaveDiscardCancel };
enum class Answer { Ok, Cancel, Yes, No, Save, Discard };

class MessageBoxes {
public:
    virtual ~MessageBoxes() = default;
    // A modal message box titled messageTitle(); Esc or closing it answers Cancel where there is
    // a Cancel button, No where there is only Yes and No.
    virtual Answer show(QWidget* parent, const QString& text, Icon icon, Buttons buttons,
                        Answer defaultButton) = 0;
};

class FileDialogs {
public:
    virtual ~FileDialogs() = default;
    // filter is in the "description|pattern|description|pattern|" form. The answer is the chosen
    // path, or empty when the user cancelled. A save dialog asks no overwrite question and adds
    // the chosen pattern's extension when the user typed none.
    virtual QString saveFileName(QWidget* parent, const QString& title, const QString& filter,
                                 const QString& initialName) = 0;
    virtual QString openFileName(QWidget* parent, const QString& title, const QString& filter,
                                 const QString& initialName) = 0;
};

class ShellOpener {
public:
    virtual ~ShellOpener() = default;
    // Opens the file with its associated application; the outcome is not reported.
    virtual void open(QWidget* parent, const QString& path) = 0;
};

// The real ones.
class QtMessageBoxes final : public MessageBoxes {
public:
    Answer show(QWidget* parent, const QString& text, Icon icon, Buttons buttons,
                Answer defaultButton) override;
};

class QtFileDialogs final : public FileDialogs {
public:
    QString saveFileName(QWidget* parent, const QString& title, const QString& filter,
                         const QString& initialName) override;
    QString openFileName(QWidget* parent, const QString& title, const QString& filter,
                         const QString& initialName) override;
};

class DesktopOpener final : public ShellOpener {
public:
    void open(QWidget* parent, const QString& path) override;
};

// "Word文档(*.doc)|*.doc|rtf文件(*.rtf)|*.rtf|" becomes "Word文档(*.doc);;rtf文件(*.rtf)"; a
// description without its patterns gets them in brackets ("Text|*.txt" becomes "Text (*.txt)").
QString qtFilter(const QString& filter);
// The extension (".doc") of the pattern that belongs to the Qt filter entry; empty for none.
QString extensionOfFilter(const QString& qtFilterEntry);
// Adds the chosen filter's extension to a name that has none.
QString withDefaultExtension(const QString& path, const QString& qtFilterEntry);
// Where a file dialog starts: an absolute initial name as it is, anything else in the user's
// documents folder (the home folder when there is none), not the folder the program was started
// from.
QString dialogStartPath(const QString& initialName);

}  // namespace platform
