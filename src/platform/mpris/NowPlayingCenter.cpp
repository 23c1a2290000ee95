#include "NowPlayingCenter.h"

void NowPlayingCenter::setState(State state) {
    if (m_state == state) return;
    m_state = std::move(state);
    emit stateChanged();
}
