#include "sources/thread_player_show.h"

#include "sources/player_pacing.h"

#include <QElapsedTimer>

ThreadPlayerShow::ThreadPlayerShow(IRPlayer* player) : m_player(player) {}

ThreadPlayerShow::~ThreadPlayerShow() { stop_and_join(); }

void ThreadPlayerShow::set_playing(bool on)
{
    QMutexLocker lock(&m_state);
    m_b_playing = on;
    m_b_end_request = false;
    m_wake.wakeAll();
}

bool ThreadPlayerShow::take_end_request()
{
    QMutexLocker lock(&m_state);
    const bool requested = m_b_end_request;
    m_b_end_request = false;
    return requested;
}

bool ThreadPlayerShow::is_playing() const
{
    QMutexLocker lock(&m_state);
    return m_b_playing;
}

void ThreadPlayerShow::stop_and_join()
{
    {
        QMutexLocker lock(&m_state);
        m_b_quit = true;
        m_wake.wakeAll();
    }
    wait();
}

void ThreadPlayerShow::frame_shown(uint32_t request, const IRPlayer::Cycle& cycle)
{
    QMutexLocker lock(&m_state);
    if (request != m_n_request) {
        return;
    }
    m_cycle = cycle;
    m_b_shown = true;
    m_wake.wakeAll();
}

bool ThreadPlayerShow::show_frame(IRPlayer::Cycle& cycle)
{
    uint32_t request = 0;
    {
        QMutexLocker lock(&m_state);
        request = ++m_n_request;
        m_b_shown = false;
    }
    m_player->request_show_frame(request);
    QMutexLocker lock(&m_state);
    while (!m_b_shown && m_b_playing && !m_b_quit) {
        m_wake.wait(&m_state);
    }
    cycle = m_cycle;
    return m_b_shown;
}

bool ThreadPlayerShow::wait_for_play()
{
    QMutexLocker lock(&m_state);
    while (!m_b_playing && !m_b_quit) {
        m_wake.wait(&m_state);
    }
    return !m_b_quit;
}

void ThreadPlayerShow::pace(int64_t ms)
{
    if (ms <= 0) {
        return;
    }
    QElapsedTimer timer;
    timer.start();
    QMutexLocker lock(&m_state);
    int64_t left = ms;
    while (m_b_playing && !m_b_quit && left > 0) {
        m_wake.wait(&m_state, static_cast<unsigned long>(left));
        left = ms - timer.elapsed();
    }
}

void ThreadPlayerShow::run()
{
    while (wait_for_play()) {
        QElapsedTimer tick;
        tick.start();
        const float speed = m_player->speed();
        const float interval = m_player->frame_interval();
        IRPlayer::Cycle cycle;
        if (!show_frame(cycle)) {
            continue;
        }
        uint32_t next = cycle.frame;
        const uint32_t step = m_player->step();
        for (uint32_t i = 0; i < step; ++i) {
            ++next;
            if (m_player->has_mark(next)) {
                break;
            }
        }
        if (!is_playing()) {
            continue;
        }
        const bool past_end = !m_player->commit_frame(next, cycle);
        if (!m_player->no_pacing()) {
            pace(player_pacing::sleep_ms(interval, speed, tick.elapsed()));
        }
        if (past_end) {
            // The continuation opens files and resizes the picture: it runs
            // on the interface thread, which owns both.
            {
                QMutexLocker lock(&m_state);
                if (!m_b_playing) {
                    continue;
                }
                m_b_playing = false;
                m_b_end_request = true;
            }
            m_player->request_next_video(cycle.generation);
        }
    }
}
