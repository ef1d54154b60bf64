#include "net_cards.h"

#include "sockmesh_log.h"

#include <arpa/inet.h>
#include <cstdio>
#include <fstream>
#include <ifaddrs.h>
#include <linux/if_packet.h>
#include <net/if.h>
#include <sstream>
#include <sys/stat.h>

namespace sockmesh {
namespace detail {

std::string ipv4_number_to_text(uint32_t number)
{
    char text[16];
    std::snprintf(text, sizeof(text), "%u.%u.%u.%u", (number >> 24) & 0xff, (number >> 16) & 0xff,
                  (number >> 8) & 0xff, number & 0xff);
    return text;
}

bool ipv4_text_to_number(const std::string& text, uint32_t* number)
{
    if (text.empty()) {
        *number = 0;
        return true;
    }
    uint32_t result = 0;
    std::size_t pos = 0;
    for (int part = 0; part < 4; ++part) {
        if (part > 0) {
            if (pos >= text.size() || text[pos] != '.') {
                return false;
            }
            ++pos;
        }
        std::size_t digits = 0;
        uint32_t value = 0;
        while (pos < text.size() && text[pos] >= '0' && text[pos] <= '9' && digits < 4) {
            value = value * 10 + static_cast<uint32_t>(text[pos] - '0');
            ++pos;
            ++digits;
        }
        if (digits == 0 || digits > 3 || value > 255) {
            return false;
        }
        result = (result << 8) | value;
    }
    if (pos != text.size()) {
        return false;
    }
    *number = result;
    return true;
}

std::string mac_text(const unsigned char* bytes, std::size_t count)
{
    std::string text;
    char part[4];
    for (std::size_t i = 0; i < count; ++i) {
        std::snprintf(part, sizeof(part), i == 0 ? "%02X" : ":%02X", bytes[i]);
        text += part;
    }
    return text;
}

std::map<std::string, std::string> parse_route_text(const std::string& text)
{
    // Columns: Iface Destination Gateway Flags ...; addresses are the raw
    // in_addr in host-order hex. A default route is preferred.
    std::map<std::string, std::string> gateways;
    std::map<std::string, bool> is_default;
    std::istringstream lines(text);
    std::string line;
    bool header = true;
    while (std::getline(lines, line)) {
        if (header) {
            header = false;
            if (line.rfind("Iface", 0) == 0) {
                continue;
            }
        }
        std::istringstream fields(line);
        std::string iface, destination, gateway, flags;
        if (!(fields >> iface >> destination >> gateway >> flags)) {
            continue;
        }
        unsigned long dest_value = 0, gate_value = 0, flag_value = 0;
        char* end = nullptr;
        dest_value = std::strtoul(destination.c_str(), &end, 16);
        if (*end != '\0' || destination.size() != 8) {
            continue;
        }
        gate_value = std::strtoul(gateway.c_str(), &end, 16);
        if (*end != '\0' || gateway.size() != 8) {
            continue;
        }
        flag_value = std::strtoul(flags.c_str(), &end, 16);
        // RTF_GATEWAY
        if (*end != '\0' || (flag_value & 0x2) == 0 || gate_value == 0) {
            continue;
        }
        bool default_route = dest_value == 0;
        auto known = gateways.find(iface);
        if (known != gateways.end() && (is_default[iface] || !default_route)) {
            continue;
        }
        in_addr address;
        address.s_addr = static_cast<in_addr_t>(gate_value);
        gateways[iface] = ipv4_number_to_text(ntohl(address.s_addr));
        is_default[iface] = default_route;
    }
    return gateways;
}

std::vector<std::string> parse_resolver_text(const std::string& text)
{
    std::vector<std::string> servers;
    std::istringstream lines(text);
    std::string line;
    while (std::getline(lines, line)) {
        std::istringstream fields(line);
        std::string keyword, address;
        if (!(fields >> keyword >> address) || keyword != "nameserver") {
            continue;
        }
        uint32_t unused;
        // Only IPv4 servers fit the discovery messages.
        if (ipv4_text_to_number(address, &unused) && !address.empty()) {
            servers.push_back(address);
        }
    }
    return servers;
}

bool get_all_card_info(NetCardProvider& provider, CardTable* table)
{
    std::vector<NetCard> cards;
    if (!provider.list_cards(&cards)) {
        SM_ERROR("GetAdaptersInfo operation failed!");
        return false;
    }
    std::vector<std::string> dns = parse_resolver_text(provider.resolver_text());
    std::map<std::string, std::string> gateways = parse_route_text(provider.route_text());
    bool any_physical = false;
    for (const NetCard& card : cards) {
        any_physical = any_physical || card.physical;
    }
    if (!any_physical) {
        SM_ERROR("No aviliable physic card exist!");
        return false;
    }
    CardTable result;
    for (const NetCard& card : cards) {
        if (!card.physical || card.mac.empty()) {
            SM_TRACE("Card %s is not physic card, ignore.", card.name.c_str());
            continue;
        }
        CardInfo info;
        info.ip = card.ip.empty() ? "0.0.0.0" : card.ip;
        info.netmask = card.netmask.empty() ? "0.0.0.0" : card.netmask;
        auto gateway = gateways.find(card.name);
        if (gateway != gateways.end()) {
            info.gateway = gateway->second;
        }
        if (!dns.empty()) {
            info.dns1 = dns[0];
        }
        if (dns.size() > 1) {
            info.dns2 = dns[1];
        }
        SM_TRACE("Get MAC = %s, str_ip = %s, type = %d.\n", card.mac.c_str(), info.ip.c_str(), card.wireless ? 1 : 0);
        result.emplace(card.mac, info);
    }
    if (result.empty()) {
        return false;
    }
    *table = std::move(result);
    return true;
}

bool usable_card_list(NetCardProvider& provider, std::vector<std::string>* macs)
{
    std::vector<NetCard> cards;
    if (!provider.list_cards(&cards)) {
        return false;
    }
    macs->clear();
    for (const NetCard& card : cards) {
        const std::string& d = card.description;
        if (card.mac.empty() || d.find("Virtual") != std::string::npos || d.find("LTE") != std::string::npos ||
            d.find("Bluetooth") != std::string::npos || card.ip.empty() ||
            card.ip.find("0.0.0.0") != std::string::npos) {
            continue;
        }
        macs->push_back(card.mac);
    }
    return true;
}

std::string subnet_broadcast(const CardInfo& card)
{
    uint32_t ip = 0, mask = 0;
    if (card.ip.empty() || !ipv4_text_to_number(card.ip, &ip) || !ipv4_text_to_number(card.netmask, &mask)) {
        return "";
    }
    return ipv4_number_to_text(ip | ~mask);
}

namespace {

std::string read_text_file(const char* path)
{
    std::ifstream in(path);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

bool exists(const std::string& path)
{
    struct stat info;
    return stat(path.c_str(), &info) == 0;
}

class SystemCardProvider : public NetCardProvider {
public:
    bool list_cards(std::vector<NetCard>* cards) override
    {
        ifaddrs* list = nullptr;
        if (getifaddrs(&list) != 0) {
            return false;
        }
        std::map<std::string, NetCard> by_name;
        std::vector<std::string> order;
        for (ifaddrs* it = list; it != nullptr; it = it->ifa_next) {
            if (it->ifa_name == nullptr || it->ifa_addr == nullptr) {
                continue;
            }
            std::string name = it->ifa_name;
            auto found = by_name.find(name);
            if (found == by_name.end()) {
                NetCard card;
                card.name = name;
                std::string sys = "/sys/class/net/" + name;
                // A card backed by a bus device is physical; virtual ones
                // (loopback, bridges, veth, tunnels) have no device link.
                card.physical = exists(sys + "/device");
                card.wireless = exists(sys + "/wireless") || exists(sys + "/phy80211");
                card.description = name + (card.physical ? "" : " Virtual");
                card.ip = "0.0.0.0";
                found = by_name.emplace(name, card).first;
                order.push_back(name);
            }
            NetCard& card = found->second;
            if (it->ifa_addr->sa_family == AF_PACKET && card.mac.empty()) {
                const auto* link = reinterpret_cast<const sockaddr_ll*>(it->ifa_addr);
                bool all_zero = true;
                for (int i = 0; i < link->sll_halen && i < 8; ++i) {
                    all_zero = all_zero && link->sll_addr[i] == 0;
                }
                if (link->sll_halen > 0 && link->sll_halen <= 8 && !all_zero) {
                    card.mac = mac_text(link->sll_addr, link->sll_halen);
                }
            } else if (it->ifa_addr->sa_family == AF_INET && card.ip == "0.0.0.0") {
                const auto* in = reinterpret_cast<const sockaddr_in*>(it->ifa_addr);
                card.ip = ipv4_number_to_text(ntohl(in->sin_addr.s_addr));
                if (it->ifa_netmask != nullptr) {
                    const auto* mask = reinterpret_cast<const sockaddr_in*>(it->ifa_netmask);
                    card.netmask = ipv4_number_to_text(ntohl(mask->sin_addr.s_addr));
                }
            }
        }
        freeifaddrs(list);
        cards->clear();
        for (const std::string& name : order) {
            cards->push_back(by_name[name]);
        }
        return true;
    }

    std::string route_text() override { return read_text_file("/proc/net/route"); }
    std::string resolver_text() override { return read_text_file("/etc/resolv.conf"); }
};

}  // namespace

std::shared_ptr<NetCardProvider> system_card_provider()
{
    return std::make_shared<SystemCardProvider>();
}

}  // namespace detail
}  // namespace sockmesh
