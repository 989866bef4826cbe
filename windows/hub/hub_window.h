#pragma once

// A hub window (the home window, the surah index, the programmes window),
// built from its stored layout: option buttons in one group, pictures, a
// menu bar and the window icon. Its commands are wired from the navigation
// and link tables by the navigator and the link commands.

#include "resources/layout_types.h"

#include <QMainWindow>

class QButtonGroup;

namespace windows {

class HubWindow : public QMainWindow
{
    Q_OBJECT

public:
    explicit HubWindow(const layout::WindowLayout &layout, QWidget *parent = nullptr);

private:
    QButtonGroup *m_options = nullptr;
};

} // namespace windows
