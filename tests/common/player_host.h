#pragma once

// A top-level window holding one player at the size of an episode window's,
// for tests of the player on its own.

#include "player/engine.h"
#include "player/player_widget.h"

#include <QLabel>
#include <QTest>
#include <QWidget>

namespace testing {

struct PlayerHost
{
    QWidget window;
    player::PlayerWidget *player = nullptr;

    PlayerHost()
    {
        player = new player::PlayerWidget(&window);
        window.resize(329, 385);
        player->setGeometry(0, 0, 329, 385);
    }
    bool show()
    {
        window.show();
        return QTest::qWaitForWindowExposed(&window);
    }
    player::Engine *engine() const { return player->engine(); }
    double position() const { return engine() ? engine()->position() : 0.0; }
    player::Status status() const { return engine() ? engine()->status() : player::Status::Idle; }
    // The text a label of the control bar shows now.
    QString labelText(const char *name) const
    {
        return player->findChild<QLabel *>(QLatin1String(name))->text();
    }
    QString statusLabel() const { return labelText("statusLabel"); }
};

} // namespace testing
