#pragma once

// A slider that tells a screen reader its value as a person reads it: the
// seek bar in seconds, with the time text, rather than in the milliseconds
// it counts in; the volume in percent.

#include <QSlider>
#include <functional>

namespace player {

class SpokenSlider : public QSlider
{
    Q_OBJECT

public:
    // `unit` is how many of the slider's steps make one spoken unit;
    // `spoken` turns a value into the text a screen reader reads.
    SpokenSlider(int unit, std::function<QString(int)> spoken, QWidget *parent = nullptr);

    int unit() const { return m_unit; }
    void setUnit(int unit) { m_unit = unit; }
    QString spokenValue() const { return m_spoken(value()); }

private:
    int m_unit;
    std::function<QString(int)> m_spoken;
};

} // namespace player
