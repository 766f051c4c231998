#include "report/platform/SerialWorker.h"

#include <algorithm>

namespace tovren::platform {

SerialWorker::SerialWorker(std::size_t maxWaiting)
    : m_maxWaiting(std::max<std::size_t>(1, maxWaiting))
    , m_thread([this] { run(); })
{}

SerialWorker::~SerialWorker()
{
    stop(true);
}

void SerialWorker::post(std::function<void()> task)
{
    std::unique_lock lock(m_mutex);
    m_changed.wait(lock, [this] { return m_waiting.size() < m_maxWaiting; });
    m_waiting.push_back(std::move(task));
    m_changed.notify_all();
}

void SerialWorker::finish()
{
    stop(false);
}

void SerialWorker::stop(bool dropWaiting)
{
    {
        const std::lock_guard lock(m_mutex);
        if (dropWaiting)
            m_waiting.clear();
        m_stopping = true;
        m_changed.notify_all();
    }
    if (m_thread.joinable())
        m_thread.join();
}

void SerialWorker::run()
{
    for (;;) {
        std::function<void()> task;
        {
            std::unique_lock lock(m_mutex);
            m_changed.wait(lock, [this] { return m_stopping || !m_waiting.empty(); });
            if (m_waiting.empty())
                return;
            task = std::move(m_waiting.front());
            m_waiting.pop_front();
            // Someone may be waiting for room.
            m_changed.notify_all();
        }
        task();
    }
}

} // namespace tovren::platform
