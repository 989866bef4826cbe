#include "form_window.h"

#include "logging.h"

#include <QHideEvent>
#include <algorithm>

namespace windows {

FormWindow::FormWindow(layout::WindowId id, QWidget *parent) : QMainWindow(parent), m_id(id)
{
    setObjectName(layout::nameOf(id));
    m_release.setSingleShot(true);
    m_release.setInterval(kReleaseDelay);
    connect(&m_release, &QTimer::timeout, this, &FormWindow::releaseIfHidden);
}

bool FormWindow::holdsNativeWindow() const
{
    return testAttribute(Qt::WA_WState_Created);
}

void FormWindow::hideEvent(QHideEvent *event)
{
    QMainWindow::hideEvent(event);
    // A window minimised by the user is hidden spontaneously: it stays as it is.
    if (!event->spontaneous())
        m_release.start();
}

void FormWindow::showEvent(QShowEvent *event)
{
    m_release.stop();
    QMainWindow::showEvent(event);
}

bool FormWindow::canRelease() const
{
    const QList<QWidget *> children = findChildren<QWidget *>();
    return std::none_of(children.begin(), children.end(), [](const QWidget *child) {
        return child->testAttribute(Qt::WA_NativeWindow);
    });
}

void FormWindow::releaseIfHidden()
{
    if (isVisible() || !holdsNativeWindow() || !canRelease())
        return;
    qCDebug(lcWindows) << "releasing the native window of hidden" << objectName();
    destroy();
}

} // namespace windows
