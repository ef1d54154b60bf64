#include "head_simulator.h"

#include <arpa/inet.h>
#include <cerrno>
#include <fcntl.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

namespace headsim {
namespace {

constexpr uint8_t kSync = 0xFF;

bool checksum_ok(const Frame& frame)
{
    unsigned sum = 0;
    for (int i = 1; i < 6; ++i) {
        sum += frame[i];
    }
    return static_cast<uint8_t>(sum) == frame[6];
}

}  // namespace

HeadSimulator::~HeadSimulator()
{
    stop();
}

bool HeadSimulator::start(int port)
{
    if (thread_.joinable()) {
        return false;
    }
    listen_fd_ = socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    int yes = 1;
    setsockopt(listen_fd_, SOL_SOCKET, SO_REUSEADDR, &yes, sizeof(yes));
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_port = htons(static_cast<uint16_t>(port));
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t size = sizeof(address);
    if (listen_fd_ < 0 || bind(listen_fd_, reinterpret_cast<sockaddr*>(&address), size) != 0 ||
        listen(listen_fd_, 4) != 0 || getsockname(listen_fd_, reinterpret_cast<sockaddr*>(&address), &size) != 0 ||
        pipe2(wake_, O_CLOEXEC | O_NONBLOCK) != 0) {
        stop();
        return false;
    }
    port_ = ntohs(address.sin_port);
    stopping_ = false;
    thread_ = std::thread(&HeadSimulator::run, this);
    return true;
}

void HeadSimulator::stop()
{
    {
        std::lock_guard<std::mutex> lock(mutex_);
        stopping_ = true;
    }
    if (wake_[1] >= 0) {
        char byte = 1;
        ssize_t ignored = write(wake_[1], &byte, 1);
        (void)ignored;
    }
    if (thread_.joinable()) {
        thread_.join();
    }
    close_client();
    for (int* fd : {&listen_fd_, &wake_[0], &wake_[1]}) {
        if (*fd >= 0) {
            close(*fd);
            *fd = -1;
        }
    }
}

std::string HeadSimulator::received()
{
    std::lock_guard<std::mutex> lock(mutex_);
    return received_;
}

std::vector<Frame> HeadSimulator::frames()
{
    std::lock_guard<std::mutex> lock(mutex_);
    return frames_;
}

int HeadSimulator::connections()
{
    std::lock_guard<std::mutex> lock(mutex_);
    return connections_;
}

int HeadSimulator::bad_frames()
{
    std::lock_guard<std::mutex> lock(mutex_);
    return bad_frames_;
}

bool HeadSimulator::wait_for_bytes(std::size_t count, std::chrono::milliseconds limit)
{
    std::unique_lock<std::mutex> lock(mutex_);
    return changed_.wait_for(lock, limit, [&] { return received_.size() >= count; });
}

bool HeadSimulator::wait_for_connections(int count, std::chrono::milliseconds limit)
{
    std::unique_lock<std::mutex> lock(mutex_);
    return changed_.wait_for(lock, limit, [&] { return connections_ >= count; });
}

bool HeadSimulator::wait_until_unlinked(std::chrono::milliseconds limit)
{
    std::unique_lock<std::mutex> lock(mutex_);
    return changed_.wait_for(lock, limit, [&] { return !linked_; });
}

void HeadSimulator::drop_link()
{
    {
        std::lock_guard<std::mutex> lock(mutex_);
        drop_requested_ = true;
    }
    char byte = 1;
    ssize_t ignored = write(wake_[1], &byte, 1);
    (void)ignored;
    wait_until_unlinked();
}

void HeadSimulator::clear()
{
    std::lock_guard<std::mutex> lock(mutex_);
    received_.clear();
    frames_.clear();
    bad_frames_ = 0;
}

void HeadSimulator::close_client()
{
    if (client_fd_ >= 0) {
        close(client_fd_);
        client_fd_ = -1;
    }
    std::lock_guard<std::mutex> lock(mutex_);
    pending_.clear();
    linked_ = false;
    changed_.notify_all();
}

void HeadSimulator::take_bytes(const char* data, std::size_t size)
{
    std::vector<uint8_t> answers;
    {
        std::lock_guard<std::mutex> lock(mutex_);
        received_.append(data, size);
        pending_.append(data, size);
        // Resynchronise on the sync byte; a frame with a bad checksum is
        // counted and skipped whole.
        std::size_t start;
        while ((start = pending_.find(static_cast<char>(kSync))) != std::string::npos &&
               pending_.size() - start >= 7) {
            Frame frame;
            for (int i = 0; i < 7; ++i) {
                frame[i] = static_cast<uint8_t>(pending_[start + i]);
            }
            pending_.erase(0, start + 7);
            if (!checksum_ok(frame)) {
                ++bad_frames_;
                continue;
            }
            frames_.push_back(frame);
            answers.insert(answers.end(), {kSync, frame[1], 0, frame[1]});
        }
        changed_.notify_all();
    }
    if (!answers.empty()) {
        ssize_t ignored = send(client_fd_, answers.data(), answers.size(), MSG_NOSIGNAL);
        (void)ignored;
    }
}

void HeadSimulator::run()
{
    for (;;) {
        {
            std::lock_guard<std::mutex> lock(mutex_);
            if (stopping_) {
                return;
            }
            if (drop_requested_) {
                drop_requested_ = false;
                if (client_fd_ >= 0) {
                    close(client_fd_);
                    client_fd_ = -1;
                    pending_.clear();
                    linked_ = false;
                    changed_.notify_all();
                }
            }
        }
        pollfd watched[3] = {{wake_[0], POLLIN, 0}, {listen_fd_, POLLIN, 0}, {client_fd_, POLLIN, 0}};
        if (poll(watched, client_fd_ >= 0 ? 3 : 2, -1) < 0) {
            if (errno == EINTR) {
                continue;
            }
            return;
        }
        if (watched[0].revents != 0) {
            char bytes[64];
            while (read(wake_[0], bytes, sizeof(bytes)) > 0) {
            }
        }
        if (watched[1].revents != 0) {
            int fd = accept4(listen_fd_, nullptr, nullptr, SOCK_CLOEXEC);
            if (fd >= 0) {
                // A new link replaces the old one, as a head with one serial
                // line behind a network adapter would.
                close_client();
                client_fd_ = fd;
                std::lock_guard<std::mutex> lock(mutex_);
                ++connections_;
                linked_ = true;
                changed_.notify_all();
            }
        }
        if (client_fd_ >= 0 && watched[2].revents != 0) {
            char bytes[512];
            ssize_t got = recv(client_fd_, bytes, sizeof(bytes), 0);
            if (got > 0) {
                take_bytes(bytes, static_cast<std::size_t>(got));
            } else if (got == 0 || (errno != EINTR && errno != EAGAIN)) {
                close_client();
            }
        }
    }
}

}  // namespace headsim
