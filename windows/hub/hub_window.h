#pragma once

// A hub window (the home window, the surah index, the programmes window),
// built from its stored layout: option buttons in one group, pictures, a
// menu bar and the window icon. Its option buttons and menu items ask for
// the windows their layout names; its link controls are wired from the
// link table by the application.

#include "resources/layouts/layout_types.h"
#include "windows/form_window.h"

class QAbstractButton;
class QButtonGroup;
class QKeyEvent;

namespace windows {

class HubWindow : public FormWindow
{
    Q_OBJECT

public:
    explicit HubWindow(const layout::WindowLayout &layout, QWidget *parent = nullptr);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    // Arrow keys move the focus among the option buttons and choose
    // nothing, so that a keyboard or screen-reader user can look through
    // them; Space or Enter chooses the focused one, as a click does.
    bool handleOptionKey(QAbstractButton *button, const QKeyEvent &key);

    QButtonGroup *m_options = nullptr;
};

} // namespace windows
