#pragma once

// A style of ours, one for the whole process: every widget that takes it
// shares the one instance, which the application owns and deletes with
// itself (a style must outlive the widgets that use it).

#include <QApplication>
#include <QPointer>
#include <QStyle>

namespace toolkit {

template <typename Style> QStyle *processStyle()
{
    static QPointer<Style> style;
    if (!style) {
        style = new Style;
        style->setParent(qApp);
    }
    return style;
}

} // namespace toolkit
