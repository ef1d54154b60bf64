// Network cards of this machine and the IPv4 text conversions used by the
// discovery messages.
#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <vector>

namespace sockmesh {
namespace detail {

// Dotted text of an address held with its first octet in the high byte.
std::string ipv4_number_to_text(uint32_t number);

// Strict: four decimal parts 0..255 joined by ".", nothing else. The empty
// text gives 0. False for anything malformed.
bool ipv4_text_to_number(const std::string& text, uint32_t* number);

// "00:1A:2B:..." of a hardware address.
std::string mac_text(const unsigned char* bytes, std::size_t count);

// One interface as the operating system describes it.
struct NetCard {
    std::string name;
    std::string description;
    std::string mac;  // MAC text; empty when the card has no hardware address
    std::string ip;   // first IPv4 address, "0.0.0.0" when it has none
    std::string netmask;
    bool physical = false;
    bool wireless = false;
};

struct CardInfo {
    std::string ip;
    std::string netmask;
    std::string gateway;
    std::string dns1;
    std::string dns2;
};

// Keyed by MAC text.
using CardTable = std::map<std::string, CardInfo>;

// Where the card facts come from. Tests inject their own.
class NetCardProvider {
public:
    virtual ~NetCardProvider() = default;
    virtual bool list_cards(std::vector<NetCard>* cards) = 0;
    // Text of the routing table in the form of /proc/net/route.
    virtual std::string route_text() = 0;
    // Text in the form of /etc/resolv.conf.
    virtual std::string resolver_text() = 0;
};

// getifaddrs, /sys/class/net, /proc/net/route and /etc/resolv.conf.
std::shared_ptr<NetCardProvider> system_card_provider();

// One card on 127.0.0.1 with the all-zero hardware address: discovery asks
// loopback addresses through it and never touches a real card.
std::shared_ptr<NetCardProvider> loopback_card_provider();
constexpr char kLoopbackCardMac[] = "00:00:00:00:00:00";

// A strict dotted address in 127.0.0.0/8.
bool is_loopback_address(const std::string& text);

// Interface name -> first default-or-other gateway, from /proc/net/route text.
std::map<std::string, std::string> parse_route_text(const std::string& text);
// The nameserver addresses of resolv.conf text, in order.
std::vector<std::string> parse_resolver_text(const std::string& text);

// Physical cards with a hardware address; true when at least one was entered.
bool get_all_card_info(NetCardProvider& provider, CardTable* table);

// MAC texts of the cards discovery may use: no "Virtual", "LTE" or
// "Bluetooth" in the description and an address other than 0.0.0.0.
// False only when the cards cannot be listed.
bool usable_card_list(NetCardProvider& provider, std::vector<std::string>* macs);

// Subnet broadcast address of a card (address | ~netmask), as text; empty
// when either text is malformed.
std::string subnet_broadcast(const CardInfo& card);

}  // namespace detail
}  // namespace sockmesh
