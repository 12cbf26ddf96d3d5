#include "phoneticbuttons.h"

#include "documentstyle.h"
#include "twips.h"

#include <QButtonGroup>
#include <QFontDatabase>
#include <QFontInfo>
#include <QFontMetrics>
#include <QPainter>
#include <QPainterPath>
#include <QPushButton>

namespace keyboard {
namespace {

// The three marks are shown on a sample syllable: grey text before the mark, black after it.
struct MarkSample {
    std::string_view code;
    std::string_view before;
    std::string_view after;
};

constexpr MarkSample kMarkSamples[] = {
    {"5", "", "ei"},
    {"7", "", "ei"},
    {":", "a", ""},
};

constexpr int kButtonWidth = 525;
constexpr int kButtonHeight = 405;
constexpr int kWideButtonIndex = 20;  // "m"
constexpr int kWideButtonWidth = 570;
constexpr int kLowButtonIndex = 61;  // "ju:"
constexpr int kLowButtonHeight = 390;
constexpr int kRowLeft = 120;
constexpr int kGapWidth = 600;  // the wider space inside the vowel rows

constexpr int kPaletteHeight = 495;

QString latin(std::string_view text) {
    return QString::fromLatin1(text.data(), qsizetype(text.size()));
}

// Captions and glyph pictures share one size and weight, so that a row of buttons reads evenly.
QFont faceFont(const QString& family) {
    QFont font(family);
    font.setPointSizeF(15.75);
    font.setBold(true);
    return font;
}

void setPictureFace(QPushButton* button, std::string_view code) {
    const QSize size = button->size() - QSize(4, 4);
    button->setIcon(QIcon(phoneticFace(code, size, button->devicePixelRatioF())));
    button->setIconSize(size);
}

}  // namespace

QPixmap phoneticFace(std::string_view code, QSize size, qreal pixelRatio) {
    QString before;
    QString after;
    for (const MarkSample& sample : kMarkSamples) {
        if (sample.code == code) {
            before = latin(sample.before);
            after = latin(sample.after);
        }
    }
    const QString mark = latin(code);

    // Drawn at the screen's pixel density, so that the glyph stays sharp on a scaled screen.
    QPixmap pixmap(size * pixelRatio);
    pixmap.setDevicePixelRatio(pixelRatio);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    QFont font = faceFont(core::phoneticFont());
    // The phonetic font has no bold face of its own: the outlines are drawn with a pen as wide as
    // what a bold face adds to a stem, so that the glyphs weigh as much as the bold captions.
    const bool emboldened = !QFontInfo(font).bold() ||
                            !QFontDatabase::styles(font.family()).contains(QStringLiteral("Bold"));
    font.setBold(!emboldened);
    const QFontMetrics metrics(font, &pixmap);
    const int width = metrics.horizontalAdvance(before + mark + after);
    int x = (size.width() - width) / 2;
    const int baseline = (size.height() + metrics.ascent() - metrics.descent()) / 2;
    const qreal stroke = emboldened ? QFontInfo(font).pixelSize() / 18.0 : 0;

    const struct {
        QString text;
        QColor colour;
    } pieces[] = {{before, Qt::gray}, {mark, Qt::black}, {after, Qt::black}};
    for (const auto& piece : pieces) {
        QPainterPath outline;
        outline.addText(x, baseline, font, piece.text);
        painter.setPen(stroke > 0
                           ? QPen(piece.colour, stroke, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin)
                           : QPen(Qt::NoPen));
        painter.setBrush(piece.colour);
        painter.drawPath(outline);
        x += metrics.horizontalAdvance(piece.text);
    }
    return pixmap;
}

QButtonGroup* createKeyboardButtons(QWidget* frame, KeyboardWindow window) {
    auto* buttons = new QButtonGroup(frame);
    for (const KeyboardRow& row : kKeyboardRows) {
        const int top =
            window == KeyboardWindow::ManualInput ? row.topInManualInput : row.topInManualEntry;
        int left = kRowLeft;
        for (const int index : row.indexes) {
            if (index == kGap) {
                left += kGapWidth;
                continue;
            }
            const KeyboardButton* data = keyboardButton(index);
            auto* button = new QPushButton(frame);
            button->setObjectName(QStringLiteral("Command1_%1").arg(index));
            button->setAutoDefault(false);
            // Clicking a button must not take the focus, and with it the selection, from the box.
            button->setFocusPolicy(Qt::NoFocus);
            const int width = index == kWideButtonIndex ? kWideButtonWidth : kButtonWidth;
            const int height = index == kLowButtonIndex ? kLowButtonHeight : kButtonHeight;
            widgets::placeTwips(button, left, top, width, height);
            left += width;
            if (data->face == Face::Caption) {
                button->setFont(faceFont(QStringLiteral("Arial")));
                button->setText(latin(data->inserts));
            } else {
                setPictureFace(button, data->inserts);
            }
            button->setToolTip(tooltipText(*data));
            if (window == KeyboardWindow::ManualInput) {
                button->setCursor(Qt::PointingHandCursor);
            }
            buttons->addButton(button, index);
        }
    }
    return buttons;
}

QPushButton* createPaletteButton(const PaletteButton& data, QWidget* parent, int widthTwips) {
    auto* button = new QPushButton(parent);
    button->setObjectName(QStringLiteral("c1_%1").arg(data.index));
    button->setAutoDefault(false);
    button->setFocusPolicy(Qt::NoFocus);
    button->resize(widgets::pixels(widthTwips), widgets::pixels(kPaletteHeight));
    setPictureFace(button, std::string_view(&data.code, 1));
    return button;
}
}  // namespace keyboard
