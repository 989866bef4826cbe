#include "option_button.h"

#include "toolkit/accessible_factory.h"

#include <QAccessibleWidget>

namespace windows {
namespace {

class OptionAccessible : public QAccessibleWidget
{
public:
    explicit OptionAccessible(OptionButton *button)
        : QAccessibleWidget(button, QAccessible::RadioButton)
    {}

    QAccessible::State state() const override
    {
        QAccessible::State state = QAccessibleWidget::state();
        state.checkable = true;
        state.checked = button()->isChecked();
        return state;
    }

    QString text(QAccessible::Text t) const override
    {
        if (t == QAccessible::Name && widget()->accessibleName().isEmpty())
            return button()->text();
        return QAccessibleWidget::text(t);
    }

    QStringList actionNames() const override
    {
        QStringList names = QAccessibleWidget::actionNames();
        names.prepend(pressAction());
        return names;
    }

    void doAction(const QString &action) override
    {
        if (action == pressAction() && button()->isEnabled())
            button()->click();
        else
            QAccessibleWidget::doAction(action);
    }

private:
    OptionButton *button() const { return static_cast<OptionButton *>(widget()); }
};

} // namespace

OptionButton::OptionButton(const QString &caption, QWidget *parent) : QRadioButton(caption, parent)
{
    toolkit::installAccessibleInterface<OptionButton, OptionAccessible>();
}

} // namespace windows
