// The title strip of every window of the program, drawn by the program itself: a blue gradient with
// faint rings on the right and an amber line along the bottom, the name in bold white. The launcher
// paints its name and subtitle on it; a working window carries its name and its minimise and close
// labels as labels on it (see WindowChrome), which drags the window by the strip.
#pragma once

#include <QFont>
#include <QString>
#include <QWidget>

namespace widgets {

class TitleStrip : public QWidget {
    Q_OBJECT
public:
    explicit TitleStrip(QWidget* parent = nullptr);

    // The look of the names and labels on the strip.
    static QFont titleFont(const QFont& base);
    static constexpr int kTextIndent = 14;
    static constexpr int kLineHeight = 3;
    static constexpr const char* kLabelStyle =
        "QLabel { color: white; background: transparent; padding: 0; }"
        "QLabel:hover { background: rgba(255, 255, 255, 60); }";
    // The edge of a window without a system frame, in the strip's darker blue.
    static constexpr const char* kEdgeStyle =
        "QFrame { border: 1px solid #1f4e79; background: transparent; }";

    void setTitle(const QString& title);
    QString title() const { return title_; }
    void setSubtitle(const QString& subtitle);
    QString subtitle() const { return subtitle_; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QString title_;
    QString subtitle_;
};

}  // namespace widgets
