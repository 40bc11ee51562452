#include "engine/player/FFPlay_Queue.h"

#include "engine/loader/AVCodecStubs.h"

namespace engine {

void TPacketQueue::Init()
{
    Flush();
    std::lock_guard<std::mutex> guard(FLock);
    Fabort_request = false;
}

void TPacketQueue::Flush()
{
    std::deque<TNode> nodes;
    {
        std::lock_guard<std::mutex> guard(FLock);
        nodes.swap(FNodes);
        Fnb_packets = 0;
        Fsize = 0;
    }
    for (TNode& node : nodes)
        if (node.Packet)
            ff::av_packet_free(&node.Packet);
}

int TPacketQueue::Put(AVPacket* APacket)
{
    AVPacket* kept = ff::av_packet_alloc();
    if (!kept)
        return -1;
    // The reader reuses its packet: the queue must own the data it keeps.
    if (ff::av_packet_make_refcounted(APacket) < 0) {
        ff::av_packet_free(&kept);
        return -1;
    }
    ff::av_packet_move_ref(kept, APacket);
    {
        std::lock_guard<std::mutex> guard(FLock);
        FNodes.push_back(TNode{kept});
        ++Fnb_packets;
        Fsize += kept->size + PACKET_NODE_SIZE;
    }
    FCond.notify_one();
    return 0;
}

int TPacketQueue::PutFlush()
{
    {
        std::lock_guard<std::mutex> guard(FLock);
        FNodes.push_back(TNode{nullptr});
        ++Fnb_packets;
        Fsize += PACKET_NODE_SIZE;
    }
    FCond.notify_one();
    return 0;
}

void TPacketQueue::Abort()
{
    std::lock_guard<std::mutex> guard(FLock);
    Fabort_request = true;
    FCond.notify_all();
}

int TPacketQueue::Get(AVPacket* APacket, bool ABlock, bool& AIsFlush)
{
    std::unique_lock<std::mutex> lock(FLock);
    for (;;) {
        if (Fabort_request)
            return -1;
        if (!FNodes.empty()) {
            TNode node = FNodes.front();
            FNodes.pop_front();
            --Fnb_packets;
            Fsize -= (node.Packet ? node.Packet->size : 0) + PACKET_NODE_SIZE;
            lock.unlock();
            AIsFlush = node.Packet == nullptr;
            if (node.Packet) {
                ff::av_packet_move_ref(APacket, node.Packet);
                ff::av_packet_free(&node.Packet);
            }
            return 1;
        }
        if (!ABlock)
            return 0;
        FCond.wait(lock);
    }
}

int TPacketQueue::nb_packets() const
{
    std::lock_guard<std::mutex> guard(FLock);
    return Fnb_packets;
}

int TPacketQueue::size() const
{
    std::lock_guard<std::mutex> guard(FLock);
    return Fsize;
}

bool TPacketQueue::abort_request() const
{
    std::lock_guard<std::mutex> guard(FLock);
    return Fabort_request;
}

} // namespace engine
