#pragma once
// Encoders whose library builds process-wide tables again each time one of
// them opens (libxvid). An opening while another such encoder is at work
// leaves that one reading tables in the making, and its pictures come out
// damaged; a program that converts one file per process never meets this,
// tasks at once in one process do. So such an opening waits until none of
// them is encoding, and their encoding waits while one opens.

#include <mutex>
#include <shared_mutex>

struct AVCodec;

namespace engine {

bool UsesSharedEncoderTables(const AVCodec* ACodec);

// Held around an opening of such an encoder: alone. Inactive, it holds
// nothing.
class TSharedTablesSetUp {
public:
    explicit TSharedTablesSetUp(bool AActive);

private:
    std::unique_lock<std::shared_mutex> FLock;
};

// Held around one call that encodes with such an encoder: beside the
// others that encode. Inactive, it holds nothing.
class TSharedTablesUse {
public:
    explicit TSharedTablesUse(bool AActive);

private:
    std::shared_lock<std::shared_mutex> FLock;
};

} // namespace engine
