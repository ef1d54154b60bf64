// The firmware rule against a camera written here over plain sockets, whose
// answers and temperature frames are bytes spelled out in this file: which
// commands a camera of each firmware gets at connect, and in which byte order
// its temperature frames are read.
#include "streamnet.h"

#include <gtest/gtest.h>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <condition_variable>
#include <cstring>
#include <mutex>
#include <random>
#include <string>
#include <thread>
#include <utility>
#include <vector>

namespace {

using Bytes = std::vector<uint8_t>;

const int kWaitMs = 20000;

void append(Bytes& out, const char* text)
{
    out.insert(out.end(), text, text + std::strlen(text));
}

void append_u32(Bytes& out, uint32_t value)
{
    out.insert(out.end(), {static_cast<uint8_t>(value >> 24), static_cast<uint8_t>(value >> 16),
                           static_cast<uint8_t>(value >> 8), static_cast<uint8_t>(value)});
}

// One camera packet inside the transport's frame: "VYSTART", length, the
// packet ("VYSTART", total length, type, main, vice, code, sequence, payload
// length, payload, "VYEND"), "VYEND".
Bytes framed_packet(uint8_t type, uint8_t main_cmd, uint8_t vice_cmd, uint32_t sequence, const Bytes& payload)
{
    Bytes packet;
    append(packet, "VYSTART");
    append_u32(packet, static_cast<uint32_t>(payload.size() + 28));
    packet.insert(packet.end(), {type, main_cmd, vice_cmd, 0});
    append_u32(packet, sequence);
    append_u32(packet, static_cast<uint32_t>(payload.size()));
    packet.insert(packet.end(), payload.begin(), payload.end());
    append(packet, "VYEND");
    Bytes frame;
    append(frame, "VYSTART");
    append_u32(frame, static_cast<uint32_t>(packet.size()));
    frame.insert(frame.end(), packet.begin(), packet.end());
    append(frame, "VYEND");
    return frame;
}

// The device description: 309 bytes, all zero but the firmware text at
// payload offset 49 and no lenses.
Bytes description(const std::string& firmware)
{
    Bytes payload(309, 0);
    std::memcpy(payload.data() + 49, firmware.data(), firmware.size());
    return payload;
}

bool wait_readable(int fd)
{
    pollfd p{fd, POLLIN, 0};
    return poll(&p, 1, kWaitMs) == 1;
}

bool read_exact(int fd, uint8_t* out, std::size_t size)
{
    while (size > 0) {
        if (!wait_readable(fd)) {
            return false;
        }
        ssize_t got = recv(fd, out, size, 0);
        if (got <= 0) {
            return false;
        }
        out += got;
        size -= static_cast<std::size_t>(got);
    }
    return true;
}

uint32_t be32(const uint8_t* p)
{
    return static_cast<uint32_t>(p[0]) << 24 | static_cast<uint32_t>(p[1]) << 16 |
           static_cast<uint32_t>(p[2]) << 8 | p[3];
}

class HandCamera {
public:
    explicit HandCamera(std::string firmware) : firmware_(std::move(firmware)) {}
    ~HandCamera() { stop(); }

    // Listens on 63201 and 63202 of a free 127.a.b.c address.
    bool start()
    {
        std::mt19937 random(std::random_device{}());
        std::uniform_int_distribution<int> part(1, 254);
        for (int attempt = 0; attempt < 64; ++attempt) {
            address_ = "127." + std::to_string(part(random)) + "." + std::to_string(part(random)) + "." +
                       std::to_string(part(random));
            listeners_[0] = listen_on(63201);
            listeners_[1] = listeners_[0] < 0 ? -1 : listen_on(63202);
            if (listeners_[1] >= 0) {
                thread_ = std::thread(&HandCamera::serve, this);
                return true;
            }
            close_all();
        }
        return false;
    }

    void stop()
    {
        {
            std::lock_guard<std::mutex> lock(send_mutex_);
            for (int fd : {listeners_[0], listeners_[1], links_[0], links_[1]}) {
                if (fd >= 0) {
                    shutdown(fd, SHUT_RDWR);
                }
            }
        }
        if (thread_.joinable()) {
            thread_.join();
        }
        close_all();
    }

    const std::string& address() const { return address_; }

    // Requests other than keep-alives, in order of arrival.
    std::vector<std::pair<int, int>> requests()
    {
        std::lock_guard<std::mutex> lock(mutex_);
        return requests_;
    }

    bool send_on_data_link(const Bytes& frame)
    {
        std::lock_guard<std::mutex> lock(send_mutex_);
        return links_[1] >= 0 && send(links_[1], frame.data(), frame.size(), MSG_NOSIGNAL) ==
                                     static_cast<ssize_t>(frame.size());
    }

private:
    int listen_on(int port)
    {
        int fd = socket(AF_INET, SOCK_STREAM, 0);
        sockaddr_in where{};
        where.sin_family = AF_INET;
        where.sin_port = htons(static_cast<uint16_t>(port));
        inet_pton(AF_INET, address_.c_str(), &where.sin_addr);
        if (fd < 0 || bind(fd, reinterpret_cast<sockaddr*>(&where), sizeof(where)) != 0 || listen(fd, 2) != 0) {
            if (fd >= 0) {
                close(fd);
            }
            return -1;
        }
        return fd;
    }

    void close_all()
    {
        for (int* fd : {&listeners_[0], &listeners_[1], &links_[0], &links_[1]}) {
            if (*fd >= 0) {
                close(*fd);
                *fd = -1;
            }
        }
    }

    void serve()
    {
        for (int i = 0; i < 2; ++i) {
            if (!wait_readable(listeners_[i])) {
                return;
            }
            int fd = accept(listeners_[i], nullptr, nullptr);
            std::lock_guard<std::mutex> lock(send_mutex_);
            links_[i] = fd;
        }
        for (;;) {
            pollfd p[2] = {{links_[0], POLLIN, 0}, {links_[1], POLLIN, 0}};
            if (poll(p, 2, kWaitMs) <= 0) {
                return;
            }
            for (int i = 0; i < 2; ++i) {
                if (p[i].revents != 0 && !answer_one(i)) {
                    return;
                }
            }
        }
    }

    // Reads one request on link i and answers it.
    bool answer_one(int i)
    {
        uint8_t head[11];
        if (!read_exact(links_[i], head, sizeof(head))) {
            return false;
        }
        Bytes rest(be32(head + 7) + 5);
        if (rest.size() < 28 || !read_exact(links_[i], rest.data(), rest.size())) {
            return false;
        }
        const uint8_t main_cmd = rest[12];
        const uint8_t vice_cmd = rest[13];
        const uint32_t sequence = be32(&rest[15]);
        if (main_cmd != 173) {
            std::lock_guard<std::mutex> lock(mutex_);
            requests_.emplace_back(main_cmd, vice_cmd);
        }
        Bytes payload;
        if (main_cmd == 172 && vice_cmd == 128) {
            payload = {0, 0, 0, 7};  // link id 7
        } else if (main_cmd == 160 && vice_cmd == 129) {
            payload = description(firmware_);
        } else if (main_cmd == 169 && vice_cmd == 183) {
            payload = {1};  // big-endian temperatures
        } else if (main_cmd == 170 && vice_cmd == 138) {
            payload = {0, 0, 0, 0, 0, 0};  // current preset 0, no presets
        }
        Bytes frame = framed_packet(1, main_cmd, vice_cmd, sequence, payload);
        std::lock_guard<std::mutex> lock(send_mutex_);
        return send(links_[i], frame.data(), frame.size(), MSG_NOSIGNAL) == static_cast<ssize_t>(frame.size());
    }

    std::string firmware_;
    std::string address_;
    int listeners_[2] = {-1, -1};
    int links_[2] = {-1, -1};
    std::thread thread_;
    std::mutex mutex_;
    std::mutex send_mutex_;
    std::vector<std::pair<int, int>> requests_;
};

struct Temperatures {
    std::mutex mutex;
    std::condition_variable arrived;
    std::vector<float> values;

    static void on_frame(float* values, int32_t bytes, void* user)
    {
        auto* self = static_cast<Temperatures*>(user);
        {
            std::lock_guard<std::mutex> lock(self->mutex);
            self->values.assign(values, values + bytes / 4);
        }
        self->arrived.notify_all();
    }
};

}  // namespace

TEST(firmware_rule, connect_commands_and_temperature_byte_order_per_firmware)
{
    struct Case {
        const char* firmware;
        bool newer;       // major >= 1, minor >= 1, patch >= 39, each by itself
        Bytes frame;      // 3000 and 3366 (0.0 and 36.6 degrees) in the camera's order
    };
    const Bytes big = {0x0B, 0xB8, 0x0D, 0x26};
    const Bytes little = {0xB8, 0x0B, 0x26, 0x0D};
    const Case cases[] = {
        {"1.1.38", false, little},
        {"1.1.39", true, big},
        {"2.0.50", false, little},
        {"2.1.40", true, big},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.firmware);
        HandCamera camera(c.firmware);
        ASSERT_TRUE(camera.start());
        void* stream = nullptr;
        ASSERT_TRUE(vy_nvs_init(&stream, NVS_STREAM_IR));
        Temperatures temperatures;
        ASSERT_TRUE(vy_nvs_set_cb_one_temperature_frame_received(stream, Temperatures::on_frame, &temperatures));
        EXPECT_TRUE(vy_nvs_connect(stream, camera.address().c_str(), nullptr, nullptr));

        std::vector<std::pair<int, int>> expected = {{172, 128}, {160, 129}};
        if (c.newer) {
            expected.push_back({169, 183});
            expected.push_back({170, 138});
        }
        EXPECT_EQ(camera.requests(), expected);

        ASSERT_TRUE(camera.send_on_data_link(framed_packet(2, 161, 134, 0, c.frame)));
        {
            std::unique_lock<std::mutex> lock(temperatures.mutex);
            ASSERT_TRUE(temperatures.arrived.wait_for(lock, std::chrono::milliseconds(kWaitMs),
                                                      [&] { return !temperatures.values.empty(); }));
            ASSERT_EQ(temperatures.values.size(), 2u);
            EXPECT_NEAR(temperatures.values[0], 0.0f, 1e-3f);
            EXPECT_NEAR(temperatures.values[1], 36.6f, 1e-3f);
        }
        EXPECT_TRUE(vy_nvs_uninit(&stream));
        camera.stop();
    }
}
