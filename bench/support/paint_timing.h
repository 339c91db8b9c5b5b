#pragma once

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QPixmap>
#include <QWidget>
#include <algorithm>
#include <cstdio>
#include <ctime>
#include <vector>

// Wall-clock and processor time of one step that ends with the widget painted; on a loaded
// machine the processor time is the steadier of the two.
namespace benchsupport {

struct Timing {
    double wall = 0; // ms
    double cpu = 0;  // ms of processor time
};

template <typename Step> Timing timePainted(QWidget *painted, Step step) {
    QElapsedTimer timer;
    timer.start();
    const std::clock_t cpu = std::clock();
    step();
    QCoreApplication::processEvents();
    const QPixmap shot = painted->grab();
    const Timing ms{timer.nsecsElapsed() / 1e6, (std::clock() - cpu) * 1000.0 / CLOCKS_PER_SEC};
    if (shot.isNull())
        std::fprintf(stderr, "nothing painted\n");
    return ms;
}

inline Timing median(const std::vector<Timing> &runs) {
    std::vector<double> wall, cpu;
    for (const Timing &t : runs) {
        wall.push_back(t.wall);
        cpu.push_back(t.cpu);
    }
    std::sort(wall.begin(), wall.end());
    std::sort(cpu.begin(), cpu.end());
    return {wall[wall.size() / 2], cpu[cpu.size() / 2]};
}

} // namespace benchsupport
