#pragma once

// What the link tests share: the five link commands as the home window is
// meant to carry them, written out here independently of the application's
// table, real clicks on their controls, and the state of the window registry.

#include "app/window_registry.h"
#include "common/gui_actions.h"
#include "common/window_names.h"
#include "windows/picture_control.h"

#include <QApplication>
#include <QList>
#include <QMainWindow>
#include <QTest>
#include <QWindow>

namespace testing {

struct ExpectedLink
{
    QString control;
    bool isMenuItem;
    QString text;    // the link text as stored
    QString address; // what the desktop opens: the text, or the text as a web address
};

inline QList<ExpectedLink> expectedLinks()
{
    return {
        {"Image1", false, "https://www.instagram.com/nofarth_foundation",
         "https://www.instagram.com/nofarth_foundation"},
        {"Image3", false, "https://www.facebook.com/NofarthFoundation/",
         "https://www.facebook.com/NofarthFoundation/"},
        {"Image4", false, "www.youtube.com/SheikhAlNofarth",
         "http://www.youtube.com/SheikhAlNofarth"},
        {"Image6", false, "http://www.nofarth-foundation.org", "http://www.nofarth-foundation.org"},
        {"بب", true,
         "https://play.google.com/store/apps/details?id=org.nofarthfoundation.talandeem"
         "&fbclid=IwAR2xKq7Lm9VtP3sNd0RbJ5yHc8WgZ1fUe4oTa6iQpXk",
         "https://play.google.com/store/apps/details?id=org.nofarthfoundation.talandeem"
         "&fbclid=IwAR2xKq7Lm9VtP3sNd0RbJ5yHc8WgZ1fUe4oTa6iQpXk"},
    };
}

// A real click at the centre of a picture, delivered through the window, so
// that the window decides which control is under the pointer.
inline bool clickPictureThroughWindow(QMainWindow *window, const QString &name)
{
    auto *picture = window->findChild<windows::PictureControl *>(name);
    if (!picture)
        return false;
    const QPoint centre = picture->mapTo(window, picture->rect().center());
    QTest::mouseClick(window->windowHandle(), Qt::LeftButton, {}, centre);
    return true;
}

inline bool clickLinkControl(QMainWindow *window, const ExpectedLink &link)
{
    return link.isMenuItem ? clickMenuItem(window, link.control)
                           : clickPictureThroughWindow(window, link.control);
}

inline QList<QMainWindow *> visibleMainWindows()
{
    QList<QMainWindow *> visible;
    for (QWidget *w : QApplication::topLevelWidgets()) {
        if (auto *main = qobject_cast<QMainWindow *>(w); main && main->isVisible())
            visible.append(main);
    }
    return visible;
}

// The names of the windows that exist besides Form1.
inline QStringList otherWindows(const app::WindowRegistry &registry)
{
    QStringList created;
    for (int n = 2; n <= app::WindowRegistry::kWindowCount; ++n) {
        const QString name = QString("Form%1").arg(n);
        if (registry.existing(testing::idOf(name)))
            created.append(name);
    }
    return created;
}

} // namespace testing
