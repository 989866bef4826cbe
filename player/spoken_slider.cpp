#include "spoken_slider.h"

#include "toolkit/accessible_factory.h"

#include <QAccessibleWidget>

namespace player {
namespace {

class SpokenSliderAccessible : public QAccessibleWidget, public QAccessibleValueInterface
{
public:
    explicit SpokenSliderAccessible(SpokenSlider *slider)
        : QAccessibleWidget(slider, QAccessible::Slider)
    {}

    void *interface_cast(QAccessible::InterfaceType type) override
    {
        if (type == QAccessible::ValueInterface)
            return static_cast<QAccessibleValueInterface *>(this);
        return QAccessibleWidget::interface_cast(type);
    }

    QString text(QAccessible::Text t) const override
    {
        if (t == QAccessible::Value)
            return slider()->spokenValue();
        return QAccessibleWidget::text(t);
    }

    QVariant currentValue() const override { return inUnits(slider()->value()); }
    void setCurrentValue(const QVariant &value) override
    {
        // As a user's move: the slider's own signals carry it out.
        slider()->setSliderPosition(qRound(value.toDouble() * slider()->unit()));
    }
    QVariant maximumValue() const override { return inUnits(slider()->maximum()); }
    QVariant minimumValue() const override { return inUnits(slider()->minimum()); }
    QVariant minimumStepSize() const override { return inUnits(slider()->singleStep()); }

private:
    SpokenSlider *slider() const { return static_cast<SpokenSlider *>(widget()); }
    QVariant inUnits(int steps) const
    {
        if (slider()->unit() == 1)
            return steps;
        return double(steps) / slider()->unit();
    }
};

} // namespace

SpokenSlider::SpokenSlider(int unit, std::function<QString(int)> spoken, QWidget *parent)
    : QSlider(Qt::Horizontal, parent), m_unit(unit), m_spoken(std::move(spoken))
{
    toolkit::installAccessibleInterface<SpokenSlider, SpokenSliderAccessible>();
}

} // namespace player
