#pragma once

// The logging category of windows/ ("tafsir.windows"): warnings only unless
// QT_LOGGING_RULES asks for more.

#include <QLoggingCategory>

Q_DECLARE_LOGGING_CATEGORY(lcWindows)
