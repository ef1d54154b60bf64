// A pan-tilt head on 127.0.0.1 for tests and demos: it accepts one TCP link
// at a time, records every byte it receives, answers each complete Pelco-D
// frame with the four-byte general response (0xFF, address, alarms 0,
// checksum) and can drop its link on request to play a head that went away.
#pragma once

#include <array>
#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace headsim {

using Frame = std::array<uint8_t, 7>;

class HeadSimulator {
public:
    HeadSimulator() = default;
    ~HeadSimulator();
    HeadSimulator(const HeadSimulator&) = delete;
    HeadSimulator& operator=(const HeadSimulator&) = delete;

    // Listens on 127.0.0.1:port (0: a port chosen by the kernel).
    bool start(int port = 0);
    void stop();
    int port() const { return port_; }

    // Everything received so far, in order, over all links.
    std::string received();
    // The complete frames with a valid sync byte and checksum, in order.
    std::vector<Frame> frames();
    int connections();
    int bad_frames();

    // Wait (with the given upper bound) until so many bytes or links arrived,
    // or until no link is open.
    bool wait_for_bytes(std::size_t count, std::chrono::milliseconds limit = std::chrono::seconds(10));
    bool wait_for_connections(int count, std::chrono::milliseconds limit = std::chrono::seconds(10));
    bool wait_until_unlinked(std::chrono::milliseconds limit = std::chrono::seconds(10));

    // Closes the open link, as a head that lost power would look to its peer.
    void drop_link();
    // Clears the record of received bytes and frames.
    void clear();

private:
    void run();
    void take_bytes(const char* data, std::size_t size);
    void close_client();

    std::mutex mutex_;
    std::condition_variable changed_;
    std::string received_;
    std::string pending_;  // bytes of a frame not yet complete
    std::vector<Frame> frames_;
    int connections_ = 0;
    int bad_frames_ = 0;
    bool linked_ = false;
    bool drop_requested_ = false;

    int listen_fd_ = -1;
    int client_fd_ = -1;  // used only by the simulator's thread
    int wake_[2] = {-1, -1};
    int port_ = 0;
    bool stopping_ = false;
    std::thread thread_;
};

}  // namespace headsim
