#include "diary/search_warm_up.h"

#include "diary/store.h"

namespace diary {

SearchWarmUp::SearchWarmUp(Store &store, QObject *parent) : QObject(parent), m_store(store) {
    connect(&m_timer, &QTimer::timeout, this, &SearchWarmUp::turn);
}

void SearchWarmUp::start(int delayMs) {
    m_timer.start(qMax(0, delayMs));
}

void SearchWarmUp::stop() {
    m_timer.stop();
}

void SearchWarmUp::turn() {
    m_timer.setInterval(0);
    if (m_store.warmSearch(RowsPerTurn))
        return;
    m_timer.stop();
    emit finished();
}

} // namespace diary
