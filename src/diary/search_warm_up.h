#pragma once

#include <QObject>
#include <QTimer>

namespace diary {

class Store;

// Reads the store's folded texts a few rows per turn of the event loop once the program is idle,
// so that the first search for a short word finds them in memory. Each turn is a few
// milliseconds; input is handled between turns. Stops by itself when done or when the store is
// closed, and at once on stop().
class SearchWarmUp : public QObject {
    Q_OBJECT
public:
    static constexpr int RowsPerTurn = 128;

    explicit SearchWarmUp(Store &store, QObject *parent = nullptr);
    // The first turn comes after delayMs, the others as soon as the loop is idle.
    void start(int delayMs);
    void stop();
    bool isRunning() const { return m_timer.isActive(); }

signals:
    void finished();

private:
    void turn();

    Store &m_store;
    QTimer m_timer;
};

} // namespace diary
