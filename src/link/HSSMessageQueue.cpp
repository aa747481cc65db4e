#include "link/HSSMessageQueue.h"

#include "protocol/HSSCommand.h"

HSSMessageQueue::~HSSMessageQueue()
{
    clear();
}

void HSSMessageQueue::send(HSSCommand* command)
{
    {
        std::lock_guard lock(mutex);
        if (!closed) {
            entries.push_back(command);
            command = nullptr;
        }
    }
    if (command) {
        delete command;
        return;
    }
    added.notify_one();
}

HSSCommand* HSSMessageQueue::receive()
{
    std::unique_lock lock(mutex);
    added.wait(lock, [this] { return !entries.empty() || closed; });
    if (entries.empty())
        return nullptr;
    HSSCommand* command = entries.front();
    entries.pop_front();
    return command;
}

HSSCommand* HSSMessageQueue::tryReceive(std::chrono::milliseconds timeout)
{
    std::unique_lock lock(mutex);
    if (!added.wait_for(lock, timeout, [this] { return !entries.empty() || closed; }))
        return nullptr;
    if (entries.empty())
        return nullptr;
    HSSCommand* command = entries.front();
    entries.pop_front();
    return command;
}

void HSSMessageQueue::close()
{
    {
        std::lock_guard lock(mutex);
        closed = true;
    }
    added.notify_all();
}

bool HSSMessageQueue::isClosed() const
{
    std::lock_guard lock(mutex);
    return closed;
}

std::size_t HSSMessageQueue::size() const
{
    std::lock_guard lock(mutex);
    return entries.size();
}

void HSSMessageQueue::clear()
{
    std::deque<HSSCommand*> dropped;
    {
        std::lock_guard lock(mutex);
        dropped.swap(entries);
    }
    for (HSSCommand* command : dropped)
        delete command;
}

void HSSMessageQueueWrapper::Send(HSSCommand* command)
{
    if (mq)
        mq->send(command);
    else
        delete command;
}

HSSCommand* HSSMessageQueueWrapper::Receive()
{
    return mq ? mq->receive() : nullptr;
}

HSSCommand* HSSMessageQueueWrapper::tryReceive(std::chrono::milliseconds timeout)
{
    return mq ? mq->tryReceive(timeout) : nullptr;
}

void HSSMessageQueueWrapper::close()
{
    if (mq)
        mq->close();
}
