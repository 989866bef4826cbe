#pragma once

// Real user input for GUI tests: clicks on menu-bar items and drop-down
// items, choices in an episode list through its popup, typing in its field.

#include <QAbstractItemView>
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QTest>

namespace testing {

// The top-level windows of the system that are visible now.
inline QList<QMainWindow *> visibleWindows()
{
    QList<QMainWindow *> visible;
    for (QWidget *w : QApplication::topLevelWidgets()) {
        if (auto *main = qobject_cast<QMainWindow *>(w); main && main->isVisible())
            visible.append(main);
    }
    return visible;
}

// Clicks the menu item of that objectName: directly on the menu bar, or by
// opening its drop-down from the menu bar and clicking the item in it.
inline bool clickMenuItem(QMainWindow *window, const QString &name)
{
    QMenuBar *bar = window->menuBar();
    QAction *item = window->findChild<QAction *>(name);
    if (!item)
        return false;
    const QRect onBar = bar->actionGeometry(item);
    if (onBar.isValid()) {
        QTest::mouseClick(bar, Qt::LeftButton, {}, onBar.center());
        return true;
    }
    for (QMenu *menu : window->findChildren<QMenu *>()) {
        if (!menu->actions().contains(item))
            continue;
        const QRect title = bar->actionGeometry(menu->menuAction());
        QTest::mouseClick(bar, Qt::LeftButton, {}, title.center());
        if (!QTest::qWaitFor([menu] { return menu->isVisible(); }, 3000))
            return false;
        QTest::mouseClick(menu, Qt::LeftButton, {}, menu->actionGeometry(item).center());
        return true;
    }
    return false;
}

// Opens the list's popup and chooses the entry at `index` with the keyboard
// (Home, Down..., Enter), as a user does.
inline bool chooseWithKeyboard(QComboBox *list, int index)
{
    list->showPopup();
    QAbstractItemView *view = list->view();
    if (!QTest::qWaitFor([view] { return view->isVisible(); }, 3000))
        return false;
    QTest::keyClick(view, Qt::Key_Home);
    if (index == list->count() - 1) {
        QTest::keyClick(view, Qt::Key_End);
    } else {
        for (int i = 0; i < index; ++i)
            QTest::keyClick(view, Qt::Key_Down);
    }
    QTest::keyClick(view, Qt::Key_Return);
    return QTest::qWaitFor([view] { return !view->isVisible(); }, 3000);
}

// Opens the list's popup by clicking the list and clicks the entry.
inline bool chooseWithMouse(QComboBox *list, int index)
{
    QTest::mouseClick(list, Qt::LeftButton, {}, QPoint(list->width() - 6, list->height() / 2));
    QAbstractItemView *view = list->view();
    if (!QTest::qWaitFor([view] { return view->isVisible(); }, 3000))
        return false;
    // The popup ignores a release that follows its opening too closely.
    QTest::qWait(QApplication::doubleClickInterval() + 50);
    const QModelIndex entry = view->model()->index(index, list->modelColumn());
    view->scrollTo(entry);
    const QPoint at = view->visualRect(entry).center();
    QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, at);
    return QTest::qWaitFor([view] { return !view->isVisible(); }, 3000);
}

} // namespace testing
