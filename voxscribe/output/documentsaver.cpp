#include "documentsaver.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QRandomGenerator>
#include <QTimer>
#include <chrono>

#include "documentbox.h"

namespace output {
namespace {

constexpr int kAutosaveInterval = 60 * 1000;
constexpr int kPartWaits = 1000;
constexpr int kTransferNumbers = 100000;

}  // namespace

QString saveFilter(widgets::WorkingWindow kind) {
    return QString::fromUtf8(widgets::factsOf(kind).saveFilter);
}

QString confirmationText(widgets::WorkingWindow kind, const QString& path) {
    if (widgets::factsOf(kind).autosave) {
        return path +
               QStringLiteral(
                   "\n已经保存!自动保存功能已经启动。\n每间隔一分钟,软件会自动保存一次文件.");
    }
    return path + QStringLiteral("已经保存好了!");
}

QString overwriteQuestion() {
    return QStringLiteral("文件名已经存在，将覆盖原文件！您确定要覆盖它吗？");
}

QString unsavedChangesQuestion() {
    return QStringLiteral("是否保存对文档的修改？");
}

QString saveDialogTitle() {
    return QStringLiteral("保存文件");
}

DocumentSaver::DocumentSaver(widgets::WorkingWindow kind, platform::Services& services,
                             DocumentBox* document, QWidget* window, QLabel* fileLabel,
                             QObject* parent)
    : QObject(parent),
      kind_(kind),
      services_(services),
      document_(document),
      window_(window),
      fileLabel_(fileLabel),
      timer_(new QTimer(this)) {
    // The label shows a path the user chose, which is never markup.
    if (fileLabel_) {
        fileLabel_->setTextFormat(Qt::PlainText);
    }
    timer_->setInterval(kAutosaveInterval);
    connect(timer_, &QTimer::timeout, this, &DocumentSaver::autosave);
}

bool DocumentSaver::hasAutosave() const {
    return widgets::factsOf(kind_).autosave;
}

bool DocumentSaver::save() {
    QString path;
    // Refusing to overwrite asks for another name.
    for (;;) {
        path =
            services_.files.saveFileName(window_, saveDialogTitle(), saveFilter(kind_), QString());
        if (path.isEmpty()) {
            return false;
        }
        if (!QFileInfo::exists(path)) {
            break;
        }
        if (services_.messages.show(window_, overwriteQuestion(), platform::Icon::Question,
                                    platform::Buttons::OkCancel,
                                    platform::Answer::Ok) == platform::Answer::Ok) {
            break;
        }
    }

    // What is written must be the whole document, since the window is then marked saved.
    if (!document_->makeWhole()) {
        return false;
    }
    QString error;
    if (!document_->saveToFile(path, &error)) {
        // Saying "saved" here would let the user close a window whose document exists nowhere.
        services_.messages.show(
            window_,
            QStringLiteral("文件没有保存：\n%1\n%2\n文档仍在窗口中，请换一个文件名或文件夹再保存。")
                .arg(path, error),
            platform::Icon::Critical, platform::Buttons::Ok, platform::Answer::Ok);
        return false;
    }

    currentFile_ = path;
    document_->document()->setModified(false);
    if (hasAutosave()) {
        if (fileLabel_) {
            fileLabel_->setText(path);
        }
        // A later save under another name keeps the minute running.
        if (!timer_->isActive()) {
            timer_->start();
        }
    }
    services_.messages.show(window_, confirmationText(kind_, path), platform::Icon::Information,
                            platform::Buttons::Ok, platform::Answer::Ok);
    return true;
}

bool DocumentSaver::confirmClose() {
    if (!document_->document()->isModified()) {
        return true;
    }
    switch (services_.messages.show(window_, unsavedChangesQuestion(), platform::Icon::Question,
                                    platform::Buttons::SaveDiscardCancel, platform::Answer::Save)) {
        case platform::Answer::Save:
            // A cancelled save dialog cancels the close too.
            return save();
        case platform::Answer::Discard:
            return true;
        default:
            return false;
    }
}

void DocumentSaver::autosave() {
    if (!hasAutosave() || currentFile_.isEmpty()) {
        return;
    }
    if (!document_->isWhole()) {
        // A part of the document would be written as the whole.
        timer_->start(kPartWaits);
        return;
    }
    if (timer_->interval() != kAutosaveInterval) {
        timer_->start(kAutosaveInterval);
    }
    // A failed autosave leaves the old file intact.
    if (document_->saveToFile(currentFile_)) {
        document_->document()->setModified(false);
    }
}

QString transferFilePath(const platform::ProgramFolder& folder, int number) {
    return folder.writableFile(QStringLiteral("tmp%1.doc").arg(number));
}

void transferToWord(platform::Services& services, const DocumentBox& document, QWidget* window) {
    // A generator of its own, seeded from the clock at each transfer.
    const auto now = std::chrono::high_resolution_clock::now().time_since_epoch().count();
    QRandomGenerator generator(quint32(now) ^ quint32(quint64(now) >> 32));
    const int number = int(generator.generateDouble() * kTransferNumbers);
    const QString path = transferFilePath(services.folder, number);
    if (!document.makeWhole()) {
        return;
    }
    document.saveToFile(path);
    services.shell.open(window, path);
}

void removeTransferFiles(const platform::ProgramFolder& folder) {
    QDir dir(folder.writablePath());
    const QStringList names =
        dir.entryList({QStringLiteral("tmp*.doc")}, QDir::Files | QDir::Hidden | QDir::System);
    for (const QString& name : names) {
        // A file the word processor still holds stays until the next cleanup.
        QFile::remove(dir.filePath(name));
    }
}

}  // namespace output
