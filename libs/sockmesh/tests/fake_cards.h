// A card provider fed by the tests.
#pragma once

#include "net_cards.h"

#include <mutex>

namespace sockmesh_test {

class FakeCards : public sockmesh::detail::NetCardProvider {
public:
    bool list_cards(std::vector<sockmesh::detail::NetCard>* cards) override
    {
        std::lock_guard<std::mutex> lock(mutex);
        if (fail) {
            return false;
        }
        *cards = list;
        return true;
    }
    std::string route_text() override
    {
        std::lock_guard<std::mutex> lock(mutex);
        return route;
    }
    std::string resolver_text() override
    {
        std::lock_guard<std::mutex> lock(mutex);
        return resolver;
    }

    void set_ip(std::size_t index, const std::string& ip)
    {
        std::lock_guard<std::mutex> lock(mutex);
        list[index].ip = ip;
    }

    std::mutex mutex;
    bool fail = false;
    std::vector<sockmesh::detail::NetCard> list;
    std::string route;
    std::string resolver;
};

inline sockmesh::detail::NetCard card(const std::string& name, const std::string& mac, const std::string& ip,
                                      const std::string& netmask, bool physical = true)
{
    sockmesh::detail::NetCard c;
    c.name = name;
    c.description = physical ? name : name + " Virtual";
    c.mac = mac;
    c.ip = ip;
    c.netmask = netmask;
    c.physical = physical;
    return c;
}

}  // namespace sockmesh_test
