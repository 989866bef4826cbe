#include "window_registry.h"

#include "catalogue/catalogue.h"
#include "logging.h"
#include "player/player_widget.h"
#include "resources/layouts/episode_layouts.h"
#include "resources/layouts/hub_layouts.h"
#include "windows/episode/episode_window.h"
#include "windows/hub/hub_window.h"

#include <QMainWindow>

namespace app {
namespace {

std::unique_ptr<QMainWindow> createWindow(layout::WindowId id)
{
    if (id == layout::kHomeLayout.id())
        return std::make_unique<windows::HubWindow>(layout::kHomeLayout);
    if (id == layout::kSurahIndexLayout.id())
        return std::make_unique<windows::HubWindow>(layout::kSurahIndexLayout);
    if (id == layout::kProgrammesLayout.id())
        return std::make_unique<windows::HubWindow>(layout::kProgrammesLayout);
    if (const layout::EpisodeLayout *episode = layout::episodeLayoutOf(id))
        return std::make_unique<windows::EpisodeWindow>(*episode);
    return nullptr;
}

} // namespace

WindowRegistry::WindowRegistry(QObject *parent) : QObject(parent) {}

WindowRegistry::~WindowRegistry()
{
    for (player::PlayerWidget *player : players())
        player->stop();
    for (auto &slot : m_slots)
        slot.reset();
}

QMainWindow *WindowRegistry::existing(layout::WindowId id) const
{
    return id.isValid() ? m_slots[std::size_t(id.number() - 1)].get() : nullptr;
}

QMainWindow *WindowRegistry::window(layout::WindowId id)
{
    if (!id.isValid()) {
        qCWarning(lcApp) << "no such window:" << id.number();
        return nullptr;
    }
    auto &held = m_slots[std::size_t(id.number() - 1)];
    if (!held) {
        held = createWindow(id);
        if (!held) {
            qCWarning(lcApp) << "cannot create window" << layout::nameOf(id);
            return nullptr;
        }
        emit created(held.get());
    }
    return held.get();
}

QList<QMainWindow *> WindowRegistry::windows() const
{
    QList<QMainWindow *> all;
    for (const auto &slot : m_slots) {
        if (slot)
            all << slot.get();
    }
    return all;
}

QList<player::PlayerWidget *> WindowRegistry::players() const
{
    QList<player::PlayerWidget *> all;
    for (QMainWindow *window : windows())
        all += window->findChildren<player::PlayerWidget *>();
    return all;
}

} // namespace app
