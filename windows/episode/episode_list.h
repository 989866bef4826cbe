#pragma once

// The episode list of an episode window (Combo1): a drop-down list with an
// editable text field, unsorted, whose entry at list index k is label k of
// the catalogue. It reports an entry chosen (by mouse or keyboard, the entry
// already chosen included). After an edit of the field the list index reads
// -1, so an edit plays nothing; no typing, completion or Enter ever adds an
// entry or moves one.

#include <QComboBox>

namespace windows {

class EpisodeList : public QComboBox
{
    Q_OBJECT

public:
    explicit EpisodeList(QWidget *parent = nullptr);

    // Appends the labels in order, then shows `text` in the field, after a
    // left-to-right mark, with no entry selected. Reports no choice.
    void fill(const QStringList &labels, const QString &text);

    // The selection as the window reads it: 0 for the first entry, -1 for none.
    qint16 listIndex() const;

    // Opening the list tells first that a choice may follow.
    void showPopup() override;

signals:
    void chosen();
    void aboutToChoose();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    static bool isEnter(const QEvent *event);
    void onTextEdited(const QString &text);
};

} // namespace windows
