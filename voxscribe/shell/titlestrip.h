// A title strip drawn by the program itself: a soft gradient with a name on it, across the top of
// a borderless window. The window drags by it (see WindowChrome).
#pragma once

#include <QString>
#include <QWidget>

namespace shell {

class TitleStrip : public QWidget {
    Q_OBJECT
public:
    explicit TitleStrip(QWidget* parent = nullptr);

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

}  // namespace shell
