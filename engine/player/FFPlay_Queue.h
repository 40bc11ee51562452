#pragma once
// Thread-safe packet queues between the player's reader and its decoders.
// A queue also carries "flush" markers: after a seek the reader puts one in
// every open queue so that each decoder drops its buffered state.

extern "C" {
#include <libavcodec/packet.h>
}

#include <condition_variable>
#include <deque>
#include <mutex>

namespace engine {

// Every queued packet is accounted with this much bookkeeping on top of its
// data, so that the reader's fill limits count small packets fairly.
constexpr int PACKET_NODE_SIZE = 72;

class TPacketQueue {
public:
    TPacketQueue() = default;
    ~TPacketQueue() { Flush(); }
    TPacketQueue(const TPacketQueue&) = delete;
    TPacketQueue& operator=(const TPacketQueue&) = delete;

    // Empties the queue and clears the abort flag: a fresh queue.
    void Init();
    // Frees every queued packet; the abort flag keeps its value.
    void Flush();
    // Moves APacket's reference into the queue (APacket is left blank).
    // -1 when the packet could not be kept.
    int Put(AVPacket* APacket);
    int PutFlush();
    // Wakes every waiting Get, which then answers -1.
    void Abort();
    // 1: a packet was moved into APacket (or a flush marker, AIsFlush set);
    // 0: empty and not blocking; -1: aborted.
    int Get(AVPacket* APacket, bool ABlock, bool& AIsFlush);

    int nb_packets() const;
    int size() const;
    bool abort_request() const;

private:
    struct TNode {
        AVPacket* Packet; // nullptr for a flush marker
    };
    mutable std::mutex FLock;
    std::condition_variable FCond;
    std::deque<TNode> FNodes;
    int Fnb_packets = 0;
    int Fsize = 0;
    bool Fabort_request = false;
};

} // namespace engine
