#include "net_cards.h"

#include "fake_cards.h"

#include <gtest/gtest.h>

using namespace sockmesh::detail;
using sockmesh_test::FakeCards;

namespace {

// Written the way the kernel formats /proc/net/route (host-order hex).
const char kRoute[] =
    "Iface\tDestination\tGateway \tFlags\tRefCnt\tUse\tMetric\tMask\t\tMTU\tWindow\tIRTT\n"
    "eth0\t0000A8C0\t00000000\t0001\t0\t0\t0\t00FFFFFF\t0\t0\t0\n"
    "eth0\t0010A8C0\t0201A8C0\t0003\t0\t0\t0\t00FFFFFF\t0\t0\t0\n"
    "eth0\t00000000\t0101A8C0\t0003\t0\t0\t100\t00000000\t0\t0\t0\n"
    "wlan0\t0000000A\t0100000A\t0003\t0\t0\t0\t000000FF\t0\t0\t0\n"
    "bad\tzz\t0101A8C0\t0003\n";

const char kResolver[] =
    "# written by the test\n"
    "search example.test\n"
    "nameserver 192.168.1.1\n"
    "nameserver fe80::1\n"
    "nameserver   8.8.4.4  \n"
    "nameserver 1.1.1.1\n";

}  // namespace

TEST(cards, ipv4_text_table)
{
    struct Case {
        const char* text;
        bool ok;
        uint32_t number;
    };
    const Case cases[] = {
        {"192.168.1.10", true, 0xC0A8010Au}, {"", true, 0},          {"0.0.0.0", true, 0},
        {"255.255.255.255", true, 0xFFFFFFFFu}, {"1.2.3", false, 0}, {"1.2.3.4.5", false, 0},
        {"256.1.1.1", false, 0},             {"1..2.3", false, 0},  {" 1.2.3.4", false, 0},
        {"1.2.3.4 ", false, 0},              {"a.b.c.d", false, 0}, {"0001.2.3.4", false, 0},
        {"-1.2.3.4", false, 0},
    };
    for (const Case& c : cases) {
        uint32_t number = 12345;
        EXPECT_EQ(ipv4_text_to_number(c.text, &number), c.ok) << c.text;
        if (c.ok) {
            EXPECT_EQ(number, c.number) << c.text;
        }
    }
    EXPECT_EQ(ipv4_number_to_text(0xC0A8010Au), "192.168.1.10");
    EXPECT_EQ(ipv4_number_to_text(0), "0.0.0.0");
    const unsigned char mac[] = {0x00, 0x0A, 0x1B, 0x2C, 0x3D, 0x4E};
    EXPECT_EQ(mac_text(mac, 6), "00:0A:1B:2C:3D:4E");
}

TEST(cards, route_and_resolver_text)
{
    auto gateways = parse_route_text(kRoute);
    ASSERT_EQ(gateways.size(), 2u);
    EXPECT_EQ(gateways["eth0"], "192.168.1.1");  // the default route wins
    EXPECT_EQ(gateways["wlan0"], "10.0.0.1");
    EXPECT_TRUE(parse_route_text("").empty());

    auto servers = parse_resolver_text(kResolver);
    ASSERT_EQ(servers.size(), 3u);
    EXPECT_EQ(servers[0], "192.168.1.1");
    EXPECT_EQ(servers[1], "8.8.4.4");
}

TEST(cards, table_keeps_physical_cards)
{
    FakeCards cards;
    cards.route = kRoute;
    cards.resolver = kResolver;
    cards.list = {sockmesh_test::card("eth0", "00:0A:1B:2C:3D:4E", "192.168.1.10", "255.255.255.0"),
                  sockmesh_test::card("veth1", "02:00:00:00:00:09", "172.17.0.1", "255.255.0.0", false),
                  sockmesh_test::card("eth1", "00:0A:1B:2C:3D:4F", "0.0.0.0", "0.0.0.0"),
                  sockmesh_test::card("eth0dup", "00:0A:1B:2C:3D:4E", "10.9.9.9", "255.0.0.0")};
    CardTable table;
    ASSERT_TRUE(get_all_card_info(cards, &table));
    ASSERT_EQ(table.size(), 2u);
    const CardInfo& eth0 = table["00:0A:1B:2C:3D:4E"];
    EXPECT_EQ(eth0.ip, "192.168.1.10");  // a second card with the same MAC keeps the first
    EXPECT_EQ(eth0.netmask, "255.255.255.0");
    EXPECT_EQ(eth0.gateway, "192.168.1.1");
    EXPECT_EQ(eth0.dns1, "192.168.1.1");
    EXPECT_EQ(eth0.dns2, "8.8.4.4");
    EXPECT_EQ(table["00:0A:1B:2C:3D:4F"].ip, "0.0.0.0");
    EXPECT_EQ(subnet_broadcast(eth0), "192.168.1.255");

    std::vector<std::string> usable;
    ASSERT_TRUE(usable_card_list(cards, &usable));
    // The 0.0.0.0 card and the virtual one are not usable.
    EXPECT_EQ(usable, (std::vector<std::string>{"00:0A:1B:2C:3D:4E", "00:0A:1B:2C:3D:4E"}));
}

TEST(cards, no_physical_card_or_listing_failure)
{
    FakeCards cards;
    cards.list = {sockmesh_test::card("lo", "", "127.0.0.1", "255.0.0.0", false)};
    CardTable table;
    EXPECT_FALSE(get_all_card_info(cards, &table));
    cards.fail = true;
    std::vector<std::string> usable;
    EXPECT_FALSE(usable_card_list(cards, &usable));
    EXPECT_FALSE(get_all_card_info(cards, &table));
}

TEST(cards, system_provider_lists_without_failing)
{
    // The machine's cards vary; the listing itself must work and every
    // entry must carry well-formed texts.
    auto provider = system_card_provider();
    std::vector<NetCard> list;
    ASSERT_TRUE(provider->list_cards(&list));
    for (const NetCard& c : list) {
        uint32_t number;
        EXPECT_TRUE(ipv4_text_to_number(c.ip, &number)) << c.name << " " << c.ip;
        EXPECT_TRUE(c.mac.empty() || c.mac.size() == 17) << c.name << " " << c.mac;
    }
}
