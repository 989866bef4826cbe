#pragma once

// An option button of the hub windows. Choosing one runs its command, as
// a click does, whether by the mouse, by Space or Enter, or by a screen
// reader's action; a plain radio button's accessible action only checks
// the button and would leave the command unrun.

#include <QRadioButton>

namespace windows {

class OptionButton : public QRadioButton
{
    Q_OBJECT

public:
    explicit OptionButton(const QString &caption, QWidget *parent = nullptr);
};

} // namespace windows
