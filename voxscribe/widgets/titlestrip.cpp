#include "titlestrip.h"

#include <QLinearGradient>
#include <QPainter>

namespace widgets {
namespace {

const QColor kLeftColour(0x1f, 0x4e, 0x79);
const QColor kRightColour(0x3a, 0x8f, 0xb7);
const QColor kLineColour(0xf2, 0xb1, 0x34);

}  // namespace

QFont TitleStrip::titleFont(const QFont& base) {
    QFont font = base;
    font.setBold(true);
    font.setPointSizeF(base.pointSizeF() * 1.4);
    return font;
}

TitleStrip::TitleStrip(QWidget* parent) : QWidget(parent) {
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void TitleStrip::setTitle(const QString& title) {
    title_ = title;
    update();
}

void TitleStrip::setSubtitle(const QString& subtitle) {
    subtitle_ = subtitle;
    update();
}

void TitleStrip::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    QLinearGradient gradient(rect().topLeft(), rect().topRight());
    gradient.setColorAt(0, kLeftColour);
    gradient.setColorAt(1, kRightColour);
    painter.fillRect(rect(), gradient);

    // Faint rings on the right, like sound spreading from a speaker.
    painter.setPen(QPen(QColor(255, 255, 255, 40), 2));
    const QPointF centre(width() - height() * 0.6, height() * 0.5);
    for (int ring = 1; ring <= 4; ++ring) {
        const qreal radius = height() * 0.22 * ring;
        painter.drawArc(QRectF(centre.x() - radius, centre.y() - radius, 2 * radius, 2 * radius),
                        -60 * 16, 120 * 16);
    }
    painter.fillRect(QRect(0, height() - kLineHeight, width(), kLineHeight), kLineColour);

    const QFont font = titleFont(this->font());
    painter.setFont(font);
    painter.setPen(Qt::white);
    const QRect textArea = rect().adjusted(kTextIndent, 0, -kTextIndent, -kLineHeight);
    painter.drawText(textArea, Qt::AlignLeft | Qt::AlignVCenter, title_);
    if (!subtitle_.isEmpty()) {
        const int titleWidth = QFontMetrics(font).horizontalAdvance(title_ + QLatin1Char(' '));
        painter.setFont(this->font());
        painter.setPen(QColor(255, 255, 255, 210));
        painter.drawText(textArea.adjusted(titleWidth + kTextIndent / 2, 0, 0, 0),
                         Qt::AlignLeft | Qt::AlignVCenter, subtitle_);
    }
}

}  // namespace widgets
