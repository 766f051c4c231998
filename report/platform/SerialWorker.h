#pragma once

#include <condition_variable>
#include <deque>
#include <functional>
#include <mutex>
#include <thread>

namespace tovren::platform {

/// Runs tasks one after another, in the order they were posted, on a thread of its own.
///
/// At most a given number of tasks wait at a time; whoever posts more waits for room, which
/// bounds the memory the waiting tasks hold. Tasks must not throw.
class SerialWorker
{
public:
    explicit SerialWorker(std::size_t maxWaiting);
    /// Drops the tasks that have not started and waits for the one running.
    ~SerialWorker();
    SerialWorker(const SerialWorker &) = delete;
    SerialWorker &operator=(const SerialWorker &) = delete;

    void post(std::function<void()> task);
    /// Runs every task posted, then stops the thread; nothing may be posted after.
    void finish();

private:
    void run();
    void stop(bool dropWaiting);

    const std::size_t m_maxWaiting;
    std::mutex m_mutex;
    std::condition_variable m_changed;
    std::deque<std::function<void()>> m_waiting;
    bool m_stopping = false;
    std::thread m_thread; // last: started once the rest exists
};

} // namespace tovren::platform
