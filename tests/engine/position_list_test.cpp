#include "engine/position_list.h"

#include <gtest/gtest.h>

#include <numeric>
#include <optional>
#include <string>
#include <vector>

namespace {

using Positions = std::vector<std::uint32_t>;

Positions Ascending(std::uint32_t first, std::uint32_t last) {
    Positions positions(last - first + 1);
    std::iota(positions.begin(), positions.end(), first);
    return positions;
}

struct ListCase {
    std::string token;
    std::optional<Positions> positions;  // nullopt: not a position list
    bool isRange = false;
};

TEST(ParsePositionList, Forms) {
    const std::vector<ListCase> cases = {
        {"(1,3)", Positions{1, 3}},
        {"(3,1,3)", Positions{3, 1, 3}},
        {"(%f,%l)", Positions{1, 300}},
        {"( 2 , x )", Positions{2, 0}},
        {"(1-3)", Positions{1}},
        {"(1,,3)", Positions{1, 0, 3}},
        {"(1,3,)", Positions{1, 3}},
        {"(%f0)", Positions{10}},
        {"( )", Positions{0}},
        {"[2-5]", Ascending(2, 5), true},
        {"[5-2]", Ascending(2, 5), true},
        {"[3-3]", Positions{3}, true},
        {"[ 2 - 4 ]", Ascending(2, 4), true},
        {"[%f-%l]", Ascending(1, 300), true},
        {"[2-%l]", Ascending(2, 300), true},
        {"[-2]", Ascending(0, 2), true},
        {"[1-4096]", Ascending(1, 4096), true},
        {"[4294967295-4294963200]", Ascending(4294963200u, 4294967295u), true},
        {"()", std::nullopt},
        {"12", std::nullopt},
        {"123", std::nullopt},
        {"(1,2]", std::nullopt},
        {"[1,3]", std::nullopt},
        {"[1-]", std::nullopt},
        {"[1-2-3]", std::nullopt},
        {"[0-4096]", std::nullopt},
        {"[1-4294967295]", std::nullopt},
        {"[0-4294967295]", std::nullopt},
        {"(1", std::nullopt},
        {"", std::nullopt},
    };
    for (const ListCase& c : cases) {
        PositionList list;
        EXPECT_EQ(ParsePositionList(c.token, list), c.positions.has_value()) << c.token;
        if (!c.positions) continue;
        EXPECT_EQ(list.positions, *c.positions) << c.token;
        EXPECT_EQ(list.isRange, c.isRange) << c.token;
    }
}

}  // namespace
