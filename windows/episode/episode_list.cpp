#include "episode_list.h"

#include "windows/window_frame.h"

#include <QKeyEvent>
#include <QLineEdit>
#include <QSignalBlocker>

namespace windows {

EpisodeList::EpisodeList(QWidget *parent) : QComboBox(parent)
{
    setEditable(true);
    // Opaque, so that a player under the list leaves it out of each frame
    // it draws: neither the video under the list nor the list is painted
    // again 25 times a second.
    setAutoFillBackground(true);
    setInsertPolicy(QComboBox::NoInsert);
    // Completion would rewrite what the user types into a label.
    setCompleter(nullptr);
    lineEdit()->installEventFilter(this);
    connect(this, &QComboBox::activated, this, &EpisodeList::chosen);
    connect(lineEdit(), &QLineEdit::textEdited, this, &EpisodeList::onTextEdited);
}

void EpisodeList::fill(const QStringList &labels, const QString &text)
{
    const QSignalBlocker quiet(this);
    addItems(labels);
    // QComboBox selects the first item added to an empty list; the stored
    // list starts with nothing selected and its own text in the field.
    setCurrentIndex(-1);
    // A line edit takes its direction from its text, here Arabic; a
    // left-to-right mark keeps the field left to right, so the stored
    // leading blanks push the words to the right.
    setEditText(QChar(kLeftToRightMark) + text);
    lineEdit()->setCursorPosition(0);
}

void EpisodeList::showPopup()
{
    emit aboutToChoose();
    QComboBox::showPopup();
}

qint16 EpisodeList::listIndex() const
{
    return static_cast<qint16>(currentIndex());
}

void EpisodeList::onTextEdited(const QString &text)
{
    if (currentIndex() != -1) {
        // Clearing the selection clears the field too; put the user's text back.
        const int cursor = lineEdit()->cursorPosition();
        const QSignalBlocker quiet(this);
        setCurrentIndex(-1);
        lineEdit()->setText(text);
        lineEdit()->setCursorPosition(cursor);
    }
}

// Enter in the field would look the typed text up and select a matching
// entry; a typed text selects nothing here. The key may reach the field
// directly or through the combo box, so both ways are closed.
bool EpisodeList::isEnter(const QEvent *event)
{
    if (event->type() != QEvent::KeyPress)
        return false;
    const int key = static_cast<const QKeyEvent *>(event)->key();
    return key == Qt::Key_Return || key == Qt::Key_Enter;
}

bool EpisodeList::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == lineEdit() && isEnter(event))
        return true;
    return QComboBox::eventFilter(watched, event);
}

void EpisodeList::keyPressEvent(QKeyEvent *event)
{
    if (isEnter(event)) {
        event->accept();
        return;
    }
    QComboBox::keyPressEvent(event);
}

} // namespace windows
