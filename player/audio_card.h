#pragma once

// What the video area shows while a file without a picture plays: a card
// with the episode's title, drawn by the player, instead of a black area.

#include <QWidget>

namespace player {

class AudioCard : public QWidget
{
    Q_OBJECT

public:
    explicit AudioCard(QWidget *parent = nullptr);

    QString title() const { return m_title; }
    void setTitle(const QString &title);

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QString m_title;
};

} // namespace player
