#include "window_registry.h"

#include "catalogue/catalogue.h"
#include "player/player_widget.h"
#include "resources/episode_layouts.h"
#include "resources/hub_layouts.h"
#include "windows/episode/episode_window.h"
#include "windows/hub/hub_window.h"

#include <QLoggingCategory>
#include <QMainWindow>

Q_LOGGING_CATEGORY(lcApp, "tafsir.app")

namespace app {
namespace {

// Players stopping at once are at rest within a few tens of milliseconds;
// one that is not by then is torn down all the same.
constexpr std::chrono::milliseconds kStopWait{250};

std::unique_ptr<QMainWindow> createWindow(int number)
{
    switch (number) {
    case 1:
        return std::make_unique<windows::HubWindow>(layout::kHomeLayout);
    case 2:
        return std::make_unique<windows::HubWindow>(layout::kSurahIndexLayout);
    case 63:
        return std::make_unique<windows::HubWindow>(layout::kProgrammesLayout);
    default:
        break;
    }
    const QByteArray name = QByteArray("Form") + QByteArray::number(number);
    for (const layout::EpisodeLayout &episode : layout::kEpisodeLayouts) {
        if (episode.name == std::string_view(name.constData(), name.size()))
            return std::make_unique<windows::EpisodeWindow>(episode);
    }
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

int WindowRegistry::slotOf(QStringView name)
{
    if (!name.startsWith(u"Form"))
        return -1;
    const QStringView digits = name.sliced(4);
    if (digits.isEmpty() || digits.size() > 2 || digits.front() == u'0')
        return -1;
    bool ok = false;
    const int number = digits.toInt(&ok);
    if (!ok || number < 1 || number > kWindowCount)
        return -1;
    return number - 1;
}

QMainWindow *WindowRegistry::existing(QStringView name) const
{
    const int slot = slotOf(name);
    return slot < 0 ? nullptr : m_slots[static_cast<std::size_t>(slot)].get();
}

QMainWindow *WindowRegistry::window(QStringView name)
{
    const int slot = slotOf(name);
    if (slot < 0) {
        qCWarning(lcApp) << "no such window:" << name;
        return nullptr;
    }
    auto &held = m_slots[static_cast<std::size_t>(slot)];
    if (!held) {
        held = createWindow(slot + 1);
        if (!held) {
            qCWarning(lcApp) << "cannot create window" << name;
            return nullptr;
        }
        emit created(held.get());
    }
    return held.get();
}

void WindowRegistry::stopPlayers()
{
    player::PlayerWidget::stopAll(players(), kStopWait);
}

QList<player::PlayerWidget *> WindowRegistry::players() const
{
    QList<player::PlayerWidget *> all;
    for (const auto &slot : m_slots) {
        if (slot)
            all += slot->findChildren<player::PlayerWidget *>();
    }
    return all;
}

} // namespace app
