#pragma once

// Every navigation command of the system, read from the layouts: the option
// buttons and menu items that carry a target. Windows ask for the targets and
// the application's navigator carries the commands out; this view of them is
// for checking them as a whole.

#include "episode_layouts.h"
#include "hub_layouts.h"

#include <vector>

namespace layout {

struct NavigationCommand
{
    WindowId source;
    std::string_view control; // the objectName of an option button or a menu item
    WindowId target;
};

inline std::vector<NavigationCommand> navigationCommands()
{
    std::vector<NavigationCommand> commands;
    const auto collect = [&commands](WindowId source, std::span<const Control> controls,
                                     std::span<const MenuEntry> menu) {
        for (const Control &control : controls) {
            if (control.target.isValid())
                commands.push_back({source, control.name, control.target});
        }
        for (const MenuEntry &entry : menu) {
            if (entry.target.isValid())
                commands.push_back({source, entry.name, entry.target});
        }
    };
    for (const WindowLayout *hub : {&kHomeLayout, &kSurahIndexLayout, &kProgrammesLayout})
        collect(hub->id(), hub->controls, hub->menu);
    for (const EpisodeLayout &episode : kEpisodeLayouts)
        collect(episode.id(), {}, episodeMenuOf(episode.id()));
    return commands;
}

} // namespace layout
