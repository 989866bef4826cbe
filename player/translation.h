#pragma once

namespace player {

// Installs the Arabic texts of the player (its sources are English) into
// the application. The player speaks Arabic whatever the system's language.
void installTranslation();

} // namespace player
