// What a user would notice in a window's layout: a control that covers part of another, and a
// caption that its control cuts off. Shared by the window tests that take a reviewer's picture,
// with where that picture goes.
#pragma once

#include <QAbstractButton>
#include <QAbstractScrollArea>
#include <QDir>
#include <QFontMetrics>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QStyle>
#include <QWidget>
#include <string>
#include <vector>

namespace layout_check {

// Where a reviewer's picture goes: the folder VOXSCRIBE_SNAPSHOT_DIR names, else the test's own.
inline QString snapshotPath(const QString& fileName, const QString& testFolder) {
    const QString folder = qEnvironmentVariableIsSet("VOXSCRIBE_SNAPSHOT_DIR")
                               ? qEnvironmentVariable("VOXSCRIBE_SNAPSHOT_DIR")
                               : testFolder;
    return QDir(folder).filePath(fileName);
}

inline std::string nameOf(const QWidget* widget) {
    return (widget->objectName().isEmpty() ? QString::fromLatin1(widget->metaObject()->className())
                                           : widget->objectName())
        .toStdString();
}

// Controls a user sees as things of their own; the parts inside a scroll area are its own.
inline bool isControl(const QWidget* widget) {
    if (const auto* label = qobject_cast<const QLabel*>(widget)) {
        return !label->text().isEmpty() || !label->pixmap().isNull();
    }
    return qobject_cast<const QAbstractButton*>(widget) != nullptr ||
           qobject_cast<const QLineEdit*>(widget) != nullptr ||
           qobject_cast<const QAbstractScrollArea*>(widget) != nullptr ||
           qobject_cast<const QGroupBox*>(widget) != nullptr ||
           qobject_cast<const QProgressBar*>(widget) != nullptr ||
           widget->objectName() == QLatin1String("Image1");  // the title strip
}

// The space the caption needs, or an empty size for a control without one.
inline QSize captionNeeds(const QWidget* widget) {
    const QFontMetrics metrics = widget->fontMetrics();
    if (const auto* label = qobject_cast<const QLabel*>(widget)) {
        if (label->text().isEmpty() || label->textFormat() == Qt::RichText) {
            return {};
        }
        if (label->wordWrap()) {
            return {0, label->heightForWidth(label->width())};
        }
        // The alignment places the text but does not change its size; measured centred, it
        // rounds a pixel up.
        const QRect text = metrics.boundingRect(QRect(0, 0, 100000, 100000),
                                                Qt::AlignLeft | Qt::AlignTop, label->text());
        const QMargins margins = label->contentsMargins();
        return text.size() + QSize(margins.left() + margins.right() + 2 * label->margin(),
                                   margins.top() + margins.bottom() + 2 * label->margin());
    }
    if (const auto* button = qobject_cast<const QPushButton*>(widget)) {
        if (button->text().isEmpty()) {
            return button->iconSize().boundedTo(button->icon().actualSize(button->iconSize()));
        }
        QString text = button->text();
        text.remove(QLatin1Char('&'));
        return metrics.size(Qt::TextShowMnemonic, text);
    }
    if (const auto* button = qobject_cast<const QAbstractButton*>(widget)) {
        // An option: its mark, the space after it, and its caption.
        QString text = button->text();
        text.remove(QLatin1Char('&'));
        const QStyle* style = button->style();
        const int mark = style->pixelMetric(QStyle::PM_ExclusiveIndicatorWidth, nullptr, button) +
                         style->pixelMetric(QStyle::PM_RadioButtonLabelSpacing, nullptr, button);
        return metrics.size(Qt::TextShowMnemonic, text) + QSize(mark, 0);
    }
    if (const auto* group = qobject_cast<const QGroupBox*>(widget)) {
        return {metrics.horizontalAdvance(group->title()), 0};
    }
    return {};
}

// One line for each problem; none for a sound layout.
inline std::vector<std::string> layoutProblems(const QWidget& window) {
    std::vector<std::string> problems;
    std::vector<const QWidget*> controls;
    for (const QWidget* widget : window.findChildren<QWidget*>()) {
        if (widget->isVisibleTo(&window) && isControl(widget)) {
            controls.push_back(widget);
        }
    }
    for (std::size_t i = 0; i < controls.size(); ++i) {
        const QWidget* control = controls[i];
        const QSize needs = captionNeeds(control);
        if (needs.width() > control->width() || needs.height() > control->height()) {
            problems.push_back(nameOf(control) + " cuts its caption off");
        }
        for (std::size_t j = i + 1; j < controls.size(); ++j) {
            const QWidget* other = controls[j];
            // Neighbours that share a pixel or two of their borders cover nothing of each other.
            const QRect shared = other->geometry().intersected(control->geometry());
            if (other->parentWidget() == control->parentWidget() && shared.width() > 2 &&
                shared.height() > 2) {
                problems.push_back(nameOf(control) + " overlaps " + nameOf(other));
            }
        }
    }
    return problems;
}

}  // namespace layout_check
