#pragma once

// A hub window (the home window, the surah index, the programmes window),
// built from its stored layout: option buttons in one group and a menu bar.
// Its commands are wired by the navigator from the navigation table.

#include "resources/layout_types.h"

#include <QMainWindow>

class QButtonGroup;

namespace windows {

class HubWindow : public QMainWindow
{
    Q_OBJECT

public:
    explicit HubWindow(const layout::WindowLayout &layout, QWidget *parent = nullptr);

    QButtonGroup *optionGroup() const { return m_options; }

private:
    QButtonGroup *m_options = nullptr;
};

} // namespace windows
