// Reassembly of framed TCP messages: "VYSTART", a big-endian u32 length n,
// n payload bytes, "VYEND".
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

namespace sockmesh {
namespace detail {

constexpr char kFrameStart[] = "VYSTART";
constexpr char kFrameEnd[] = "VYEND";
constexpr std::size_t kFrameStartSize = 7;
constexpr std::size_t kFrameEndSize = 5;
constexpr std::size_t kFrameHeaderSize = 11;
constexpr std::size_t kFrameOverhead = 16;
// A header announcing more than this is taken as a false start, so a peer
// cannot make the receiver buffer gigabytes. Camera packets are a few MB.
constexpr uint64_t kMaxFramePayload = 64ull * 1024 * 1024;

// The 11 bytes in front of a payload of `length` bytes.
void write_frame_header(char* header, std::size_t length);

// Writes the whole frame of `payload` into a new buffer.
std::vector<char> build_frame(const void* payload, std::size_t length);

class FrameAssembler {
public:
    explicit FrameAssembler(std::size_t initial_capacity = 2097152);

    // Drops everything held; the capacity stays.
    void clear();

    // Adds k received bytes. False only when memory for them cannot be had
    // (the input is then dropped).
    bool append(const char* data, std::size_t k);

    // Takes the next whole message out of the input. The payload pointer stays
    // valid until the next call of append, next or clear.
    bool next(const char** payload, uint32_t* length);

    std::size_t buffered() const { return end_ - begin_; }
    std::size_t capacity() const { return capacity_; }

private:
    // Moves begin_ to the next start marker; with none, keeps only a trailing
    // partial marker. False when no whole marker is held.
    bool seek_start();

    std::unique_ptr<char[]> buffer_;
    std::size_t capacity_ = 0;
    std::size_t begin_ = 0;
    std::size_t end_ = 0;
};

}  // namespace detail
}  // namespace sockmesh
