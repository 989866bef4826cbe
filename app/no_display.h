#pragma once

// Starting without a display. Qt ends the process with an abort (status
// 134) and a hint about reinstalling when its platform cannot start, which
// for this application means that no display could be reached: no DISPLAY,
// a dead X server, or garbage in the variable. While the QApplication is
// made, that fatal message becomes one line in the user's language and
// exit status 1.

#include <QByteArray>

namespace app {

// The line for a user whose locale variables are these (LANGUAGE,
// LC_ALL, LC_MESSAGES, LANG; the first that is set decides): Arabic for an
// Arabic locale, English otherwise.
const char *noDisplayMessage(const QByteArray &language, const QByteArray &lcAll,
                             const QByteArray &lcMessages, const QByteArray &lang);

// Holds the handler from its making until release() or its end; made just
// before the QApplication and released just after.
class NoDisplayGuard
{
public:
    NoDisplayGuard();
    ~NoDisplayGuard() { release(); }
    void release();
    NoDisplayGuard(const NoDisplayGuard &) = delete;
    NoDisplayGuard &operator=(const NoDisplayGuard &) = delete;

private:
    bool m_installed = false;
};

} // namespace app
