// The loopback card of unicast discovery.
#include "net_cards.h"

namespace sockmesh {
namespace detail {

namespace {

class LoopbackCardProvider : public NetCardProvider {
public:
    bool list_cards(std::vector<NetCard>* cards) override
    {
        NetCard card;
        card.name = "lo";
        card.description = "loopback";
        card.mac = kLoopbackCardMac;
        card.ip = "127.0.0.1";
        card.netmask = "255.0.0.0";
        card.physical = true;
        cards->assign(1, card);
        return true;
    }
    std::string route_text() override { return std::string(); }
    std::string resolver_text() override { return std::string(); }
};

}  // namespace

std::shared_ptr<NetCardProvider> loopback_card_provider()
{
    return std::make_shared<LoopbackCardProvider>();
}

bool is_loopback_address(const std::string& text)
{
    uint32_t number = 0;
    return !text.empty() && ipv4_text_to_number(text, &number) && (number >> 24) == 127;
}

}  // namespace detail
}  // namespace sockmesh
