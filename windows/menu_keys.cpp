#include "menu_keys.h"

#include "toolkit/process_style.h"

#include <QAction>
#include <QApplication>
#include <QKeyEvent>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QPointer>
#include <QProxyStyle>

namespace windows {
namespace {

// Qt's menu bar follows Alt alone, and takes Enter and the arrows while it
// has the focus, only where the style asks for it, as the Windows style
// does and Fusion does not.
class AltKeyStyle : public QProxyStyle
{
public:
    int styleHint(StyleHint hint, const QStyleOption *option, const QWidget *widget,
                  QStyleHintReturn *returnData) const override
    {
        if (hint == SH_MenuBar_AltKeyNavigation)
            return 1;
        return QProxyStyle::styleHint(hint, option, widget, returnData);
    }
};

// F10 for one window's menu bar, and Esc back to where the focus was.
class MenuKeys : public QObject
{
public:
    MenuKeys(QMainWindow *window, QMenuBar *bar) : QObject(bar), m_bar(bar)
    {
        auto *openMenu = new QAction(window);
        openMenu->setObjectName(QStringLiteral("openMenuAction"));
        openMenu->setShortcut(Qt::Key_F10);
        openMenu->setShortcutContext(Qt::WindowShortcut);
        window->addAction(openMenu);
        connect(openMenu, &QAction::triggered, this, &MenuKeys::openFirstMenu);
        bar->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (watched == m_bar && event->type() == QEvent::KeyPress &&
            static_cast<QKeyEvent *>(event)->key() == Qt::Key_Escape && m_bar->hasFocus() &&
            m_previousFocus) {
            m_bar->setActiveAction(nullptr);
            m_previousFocus->setFocus(Qt::MenuBarFocusReason);
            return true;
        }
        if (watched == m_bar && event->type() == QEvent::FocusOut)
            m_previousFocus = nullptr;
        return QObject::eventFilter(watched, event);
    }

private:
    void openFirstMenu()
    {
        const QList<QAction *> entries = m_bar->actions();
        if (entries.isEmpty() || !m_bar->isVisible())
            return;
        // The keys go to the bar with its first entry highlighted (opened,
        // if it has a drop-down): the arrows move along the bar, into and
        // out of drop-downs, and Enter runs an entry.
        QWidget *focus = QApplication::focusWidget();
        m_bar->setFocus(Qt::MenuBarFocusReason);
        m_previousFocus = focus;
        m_bar->setActiveAction(entries.first());
    }

    QMenuBar *m_bar;
    QPointer<QWidget> m_previousFocus;
};

} // namespace

void addMenuKeys(QMainWindow *window, QMenuBar *bar)
{
    bar->setStyle(toolkit::processStyle<AltKeyStyle>());
    new MenuKeys(window, bar);
}

} // namespace windows
