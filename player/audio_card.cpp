#include "audio_card.h"

#include <QLinearGradient>
#include <QPainter>

namespace player {
namespace {

constexpr QColor kTop{0x1d, 0x3b, 0x4f};
constexpr QColor kBottom{0x0b, 0x16, 0x1e};
constexpr QColor kText{0xf2, 0xee, 0xe3};
constexpr int kMargin = 16;

} // namespace

AudioCard::AudioCard(QWidget *parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("audioCard"));
    setAttribute(Qt::WA_OpaquePaintEvent);
    // Mouse and keys belong to the player, as over the video.
    setAttribute(Qt::WA_TransparentForMouseEvents);
}

void AudioCard::setTitle(const QString &title)
{
    if (title == m_title)
        return;
    m_title = title;
    update();
}

void AudioCard::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    QLinearGradient background(0, 0, 0, height());
    background.setColorAt(0, kTop);
    background.setColorAt(1, kBottom);
    painter.fillRect(rect(), background);

    // A note above the title says "sound only" without words.
    const QRect area = rect().adjusted(kMargin, kMargin, -kMargin, -kMargin);
    QFont noteFont = font();
    noteFont.setPixelSize(qMax(12, height() / 5));
    painter.setFont(noteFont);
    painter.setPen(kText);
    const QRect noteBox(area.left(), area.top(), area.width(), area.height() / 2);
    painter.drawText(noteBox, Qt::AlignHCenter | Qt::AlignBottom, QStringLiteral("♪"));

    QFont titleFont = font();
    titleFont.setBold(true);
    painter.setFont(titleFont);
    const QRect titleBox(area.left(), area.center().y() + kMargin / 2, area.width(),
                         area.bottom() - area.center().y());
    painter.drawText(titleBox, Qt::AlignHCenter | Qt::AlignTop | Qt::TextWordWrap, m_title);
}

} // namespace player
