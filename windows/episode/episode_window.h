#pragma once

// An episode window: one class for all 63, configured by its stored layout
// and its episode list. It fills its list once, inside its first show, and
// hands the location of every chosen entry to its player. Its two menu
// items ask for the windows their layout names.

#include "resources/layouts/episode_layouts.h"
#include "windows/form_window.h"

namespace player {
class PlayerWidget;
}

namespace windows {

class EpisodeList;

class EpisodeWindow : public FormWindow
{
    Q_OBJECT

public:
    explicit EpisodeWindow(const layout::EpisodeLayout &layout, QWidget *parent = nullptr);
    ~EpisodeWindow() override;

    EpisodeList *list() const { return m_list; }
    player::PlayerWidget *player() const { return m_player; }
    bool isLoaded() const { return m_loaded; }

    // The load step runs inside the first show, before the window appears.
    void setVisible(bool visible) override;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    // A window whose player has played keeps its native window: the video
    // surface watches it.
    bool canRelease() const override;

private:
    void createControls(QWidget *client);
    void useLargeFont();
    void connectControls();
    void formLoad();
    void playSelected();
    // Chooses the nearest entry before (-1) or after (+1) the selected one
    // that has a location, as a choice in the list would.
    void chooseNeighbour(int step);
    void updateNeighbours();
    // Full screen shows the player alone over the whole screen; leaving it
    // brings back the stored layout.
    void setPlayerFullScreen(bool fullScreen);

    const layout::EpisodeLayout &m_layout;
    EpisodeList *m_list = nullptr;
    player::PlayerWidget *m_player = nullptr;
    bool m_loaded = false;
    QRect m_playerGeometry;
    QRect m_normalGeometry; // the client area's, before full screen
};

} // namespace windows
