#include "episode_window.h"

#include "catalogue/catalogue.h"
#include "catalogue/episode_lists.h"
#include "episode_list.h"
#include "player/player_actions.h"
#include "player/player_widget.h"
#include "resources/layouts/text.h"
#include "windows/picture_control.h"
#include "windows/window_frame.h"

#include <QAction>
#include <QApplication>
#include <QEvent>
#include <QLayout>
#include <QMenuBar>
#include <QWindow>
#include <algorithm>

namespace windows {
namespace {

// The episode lists and the episode layouts describe the same 63 windows,
// one row each; a window finds its list by its name. Both tables name the
// same windows in the same order, and a layout is a programme's exactly
// where its list serves no surah.
constexpr bool episodeTablesAgree()
{
    const auto &lists = catalogue::data::kWindows;
    const auto &layouts = layout::kEpisodeLayouts;
    if (lists.size() != layouts.size())
        return false;
    for (std::size_t i = 0; i < lists.size(); ++i) {
        const bool programme = layouts[i].kind == layout::EpisodeKind::Programme;
        if (lists[i].name != layouts[i].name || (lists[i].surah == 0) != programme)
            return false;
    }
    return true;
}
static_assert(episodeTablesAgree(), "episode lists and episode layouts differ");

// The larger font of some windows: 13 points (17 pixels at 96 dpi) rather
// than the stored 13.5 (18 pixels), at which Form18's list text runs under
// its arrow button.
constexpr qreal kLargeFontPointSize = 13;

QString caption(const layout::EpisodeLayout &layout)
{
    const std::string_view text =
        layout.captionText.empty() ? layout::kEpisodeCaptionText : layout.captionText;
    return QString(layout.captionBlanks, QLatin1Char(' ')) + layout::toQString(text);
}

QString storedListText(const layout::EpisodeLayout &layout)
{
    return QString(layout.listLeadingBlanks, QLatin1Char(' ')) +
           layout::toQString(layout.listText) +
           QString(layout.listTrailingBlanks, QLatin1Char(' '));
}

} // namespace

EpisodeWindow::EpisodeWindow(const layout::EpisodeLayout &layout, QWidget *parent)
    : FormWindow(layout.id(), parent), m_layout(layout)
{
    QWidget *client = setUpFrame(this, caption(layout), layout.clientWidth, layout.clientHeight);
    if (layout.hasIcon)
        applyWindowIcon(this);
    createControls(client);
    buildMenuBar(this, layout::episodeMenuOf(layout.id()));
    if (layout.hasLargeFont)
        useLargeFont();
    if (layout.position)
        placeClientArea(this, *layout.position);
    client->installEventFilter(this);
    connectControls();
}

// The player with the list on it, and the portrait the player covers.
void EpisodeWindow::createControls(QWidget *client)
{
    const bool programme = m_layout.kind == layout::EpisodeKind::Programme;
    m_player = new player::PlayerWidget(client);
    m_player->setObjectName(layout::toQString(layout::kPlayerName));
    m_player->setGeometry(
        toPixels(programme ? layout::kProgrammePlayerGeometry : layout::kSurahPlayerGeometry));

    m_list = new EpisodeList(client);
    m_list->setObjectName(layout::toQString(layout::kEpisodeListName));
    m_list->setGeometry(toPixels(m_layout.listGeometry.value_or(layout::kEpisodeListGeometry)));

    QWidget *picture =
        addPicture(client, programme ? layout::kProgrammePicture : layout::kSurahPicture);

    // The list lies on the player, which covers the picture.
    stackTopmostFirst({m_list, m_player, picture});
    if (m_layout.listTabFirst)
        applyTabOrder({{0, m_list}, {1, m_player}});
    else
        applyTabOrder({{0, m_player}, {1, m_list}});
}

// The window's own font, a size larger, for the window and its list.
void EpisodeWindow::useLargeFont()
{
    QFont large = font();
    large.setPointSizeF(kLargeFontPointSize);
    setFont(large);
    // The player draws its controls in the desktop's size, as in every other
    // window: it is a component of its own, not one of the form's. Setting
    // the size marks it as the player's own, so that the window's font no
    // longer passes to it.
    QFont own = QApplication::font();
    own.setPointSizeF(own.pointSizeF());
    m_player->setFont(own);
}

void EpisodeWindow::connectControls()
{
    connect(m_player, &player::PlayerWidget::fullScreenRequested, this,
            &EpisodeWindow::setPlayerFullScreen);
    connect(m_list, &EpisodeList::chosen, this, &EpisodeWindow::playSelected);
    // The first choice of a session would otherwise load the playback engine
    // on the GUI thread, a wait of a few hundred milliseconds.
    connect(m_list, &EpisodeList::aboutToChoose, m_player, &player::PlayerWidget::prepare);
    connect(m_list, &QComboBox::currentIndexChanged, this, &EpisodeWindow::updateNeighbours);
    connect(m_list, &QComboBox::editTextChanged, this, &EpisodeWindow::updateNeighbours);
    player::PlayerActions &actions = m_player->actions();
    connect(actions.previousEpisode, &QAction::triggered, this, [this] { chooseNeighbour(-1); });
    connect(actions.nextEpisode, &QAction::triggered, this, [this] { chooseNeighbour(1); });
}

EpisodeWindow::~EpisodeWindow()
{
    // A window destroyed while shown is closed by QWidget's destructor, and
    // the list, losing the focus then, signals a change of its entry: no
    // longer to this window, which is no more than a QWidget by that time.
    disconnect(m_list, nullptr, this, nullptr);
}

void EpisodeWindow::setVisible(bool visible)
{
    if (visible && !m_loaded) {
        m_loaded = true;
        formLoad();
    }
    FormWindow::setVisible(visible);
}

bool EpisodeWindow::canRelease() const
{
    return !m_player->surface() && FormWindow::canRelease();
}

void EpisodeWindow::setPlayerFullScreen(bool fullScreen)
{
    if (fullScreen == isFullScreen())
        return;
    QWidget *client = centralWidget();
    if (fullScreen) {
        m_playerGeometry = m_player->geometry();
        m_normalGeometry = geometry();
        menuBar()->hide();
        m_list->hide();
        // The stored frame is fixed; full screen needs it free for a while.
        layout()->setSizeConstraint(QLayout::SetDefaultConstraint);
        for (QWidget *w : {static_cast<QWidget *>(this), client}) {
            w->setMinimumSize(0, 0);
            w->setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
        }
        showFullScreen();
    } else {
        showNormal();
        menuBar()->show();
        m_list->show();
        client->setFixedSize(toPixels(m_layout.clientWidth), toPixels(m_layout.clientHeight));
        layout()->setSizeConstraint(QLayout::SetFixedSize);
        layout()->activate();
        m_player->setGeometry(m_playerGeometry);
        // Window managers restore a window from full screen as they kept
        // it: openbox with the frame of a resizable window (the size limits
        // were lifted) and, on some screens, its title bar off the top
        // edge, and the compositor leaves full screen's pixels under the
        // controls. Shown afresh, the window is framed, placed and drawn
        // from what it asks for now.
        setGeometry(m_normalGeometry);
        hide();
        show();
        activateWindow();
    }
    m_player->setFullScreenShown(fullScreen);
    m_player->setFocus();
}

bool EpisodeWindow::eventFilter(QObject *watched, QEvent *event)
{
    // In full screen the player follows the client area wherever it goes.
    if (watched == centralWidget() && event->type() == QEvent::Resize && isFullScreen())
        m_player->setGeometry(centralWidget()->rect());
    return FormWindow::eventFilter(watched, event);
}

void EpisodeWindow::formLoad()
{
    const auto labels = catalogue::labels(id());
    QStringList texts;
    texts.reserve(static_cast<qsizetype>(labels.size()));
    for (std::string_view label : labels)
        texts.append(layout::toQString(label));
    m_list->fill(texts, storedListText(m_layout));
    updateNeighbours();
}

void EpisodeWindow::playSelected()
{
    const auto location = catalogue::location(id(), m_list->listIndex());
    if (!location)
        return;
    // The desktop's media controls and the still picture of a sound-only
    // file name the episode as the window does: its list text and label.
    m_player->setTitle(layout::toQString(m_layout.listText).trimmed() + QStringLiteral(" - ") +
                       m_list->currentText().trimmed());
    m_player->setUrl(layout::toQString(*location));
}

void EpisodeWindow::chooseNeighbour(int step)
{
    const auto target = catalogue::neighbourWithLocation(id(), m_list->listIndex(), step);
    if (!target)
        return;
    // As if the user had chosen it in the list.
    m_list->setCurrentIndex(*target);
    playSelected();
}

void EpisodeWindow::updateNeighbours()
{
    const qint16 index = m_list->listIndex();
    m_player->actions().setNeighbours(catalogue::neighbourWithLocation(id(), index, -1).has_value(),
                                      catalogue::neighbourWithLocation(id(), index, 1).has_value());
}

} // namespace windows
