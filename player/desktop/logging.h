#pragma once

#include <QLoggingCategory>

// The player's desktop integration: screensaver inhibition and MPRIS.
Q_DECLARE_LOGGING_CATEGORY(lcDesktop)
