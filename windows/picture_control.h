#pragma once

// A picture control: a static image at its natural pixel size, one image
// pixel per screen pixel, never stretched. It reports a click (the left
// button released inside it) for the commands that a window binds to it; a
// picture without a command ignores its clicks. A picture that opens
// something can also take the keyboard focus: Enter or Space then act as a
// click, and a focus frame is drawn round it.

#include <QPixmap>
#include <QWidget>

namespace windows {

class PictureControl : public QWidget
{
    Q_OBJECT

public:
    PictureControl(const QPixmap &pixmap, QWidget *parent = nullptr);

    const QPixmap &pixmap() const { return m_pixmap; }

    // Reachable with Tab, and acting on Enter and Space; named to a screen
    // reader as a link.
    void setActivatable(bool activatable);
    bool isActivatable() const { return m_activatable; }

    // What a screen reader says for the picture, where its tooltip would not
    // do. Kept here rather than as the widget's accessible name: setting
    // that announces a change, and the first announcement connects the
    // application to the accessibility bus, which would then happen while
    // the window is built rather than once it is on the screen.
    void setSpokenName(const QString &name) { m_spokenName = name; }
    const QString &spokenName() const { return m_spokenName; }

signals:
    void clicked();

protected:
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void focusInEvent(QFocusEvent *event) override;
    void focusOutEvent(QFocusEvent *event) override;

private:
    QPixmap m_pixmap;
    QString m_spokenName;
    bool m_activatable = false;
};

} // namespace windows
