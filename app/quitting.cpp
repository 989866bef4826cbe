#include "quitting.h"

#include "logging.h"
#include "player/player_widget.h"

#include <QEventLoop>
#include <QTimer>
#include <algorithm>

namespace app {

bool stopPlayersTogether(const QList<player::PlayerWidget *> &players,
                         std::chrono::milliseconds limit)
{
    for (player::PlayerWidget *player : players)
        player->stop();
    const auto allAtRest = [&players] {
        return std::all_of(players.begin(), players.end(),
                           [](const player::PlayerWidget *player) { return player->isAtRest(); });
    };
    QEventLoop loop;
    QTimer timeUp;
    timeUp.setSingleShot(true);
    timeUp.start(limit);
    // Waiting for more events wakes on each engine's events and on the timer.
    while (!allAtRest() && timeUp.isActive())
        loop.processEvents(QEventLoop::WaitForMoreEvents | QEventLoop::ExcludeUserInputEvents);
    if (allAtRest())
        return true;
    qCInfo(lcApp) << "players still stopping after" << limit.count() << "ms";
    return false;
}

} // namespace app
