#pragma once

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QPixmap>
#include <QWidget>
#include <algorithm>
#include <cstdio>
#include <ctime>
#include <vector>

// Wall-clock and processor time of one step until the widget's first paint after it began has
// ended (painted during the step, while its events are handled, or by a grab), and the wall-clock
// time until the step and its events are all done. On a loaded machine the processor time is the
// steadier figure.
namespace benchsupport {

struct Timing {
    double wall = 0;    // ms to the end of the first paint
    double cpu = 0;     // ms of processor time to the same point
    double settled = 0; // ms until the step and the events it queued are done
};

// Delivers the widget's first paint from inside the filter, to note when it ends.
class FirstPaint : public QObject {
public:
    FirstPaint(QWidget *widget, const QElapsedTimer &timer, std::clock_t cpu)
        : m_widget(widget), m_timer(timer), m_cpu(cpu) {
        widget->installEventFilter(this);
    }
    ~FirstPaint() override { m_widget->removeEventFilter(this); }
    bool done() const { return m_done; }
    Timing timing() const { return m_timing; }

    bool eventFilter(QObject *watched, QEvent *event) override {
        if (watched != m_widget || event->type() != QEvent::Paint || m_inside || m_done)
            return false;
        m_inside = true;
        QCoreApplication::sendEvent(watched, event);
        m_inside = false;
        m_done = true;
        m_timing.wall = m_timer.nsecsElapsed() / 1e6;
        m_timing.cpu = (std::clock() - m_cpu) * 1000.0 / CLOCKS_PER_SEC;
        return true;
    }

private:
    QWidget *m_widget;
    const QElapsedTimer &m_timer;
    std::clock_t m_cpu;
    bool m_inside = false;
    bool m_done = false;
    Timing m_timing;
};

template <typename Step> Timing timePainted(QWidget *painted, Step step) {
    QElapsedTimer timer;
    timer.start();
    const std::clock_t cpu = std::clock();
    FirstPaint first(painted, timer, cpu);
    step();
    QCoreApplication::processEvents();
    const double settled = timer.nsecsElapsed() / 1e6;
    if (!first.done() && painted->grab().isNull())
        std::fprintf(stderr, "nothing painted\n");
    Timing ms = first.timing();
    ms.settled = settled;
    return ms;
}

inline Timing median(const std::vector<Timing> &runs) {
    std::vector<double> wall, cpu, settled;
    for (const Timing &t : runs) {
        wall.push_back(t.wall);
        cpu.push_back(t.cpu);
        settled.push_back(t.settled);
    }
    std::sort(wall.begin(), wall.end());
    std::sort(cpu.begin(), cpu.end());
    std::sort(settled.begin(), settled.end());
    return {wall[wall.size() / 2], cpu[cpu.size() / 2], settled[settled.size() / 2]};
}

} // namespace benchsupport
