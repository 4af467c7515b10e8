#include "rename/index_table.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "rename/name_store.h"

namespace {

// Keys held outside the table, as the job holds its steps; `spread` false
// gives every key one hash, so every lookup walks a full run of collisions.
struct Keys {
    std::vector<std::string> keys;
    IndexTable table;
    bool spread = true;

    std::size_t Hash(const std::string& key) const {
        return spread ? std::hash<std::string>{}(key) : 42;
    }
    std::uint32_t Add(const std::string& key) {
        keys.push_back(key);
        const auto index = static_cast<std::uint32_t>(keys.size() - 1);
        const std::uint32_t holder = table.Insert(
            Hash(key), index, [&](std::uint32_t i) { return keys[i] == key; },
            [&](std::uint32_t i) { return Hash(keys[i]); });
        return holder;
    }
    std::uint32_t Find(const std::string& key) const {
        return table.Find(Hash(key), [&](std::uint32_t i) { return keys[i] == key; });
    }
};

TEST(IndexTable, FindsEveryKeyAndRefusesASecondHolder) {
    for (const bool spread : {true, false}) {
        for (const std::size_t reserved : {0u, 3000u}) {
            Keys keys;
            keys.spread = spread;
            keys.table.Reserve(reserved);
            for (int i = 0; i < 3000; ++i) {
                ASSERT_EQ(keys.Add("k" + std::to_string(i)), static_cast<std::uint32_t>(i));
            }
            EXPECT_EQ(keys.Add("k17"), 17u) << "the first holder keeps the key";
            for (int i = 0; i < 3000; i += 7) {
                EXPECT_EQ(keys.Find("k" + std::to_string(i)), static_cast<std::uint32_t>(i));
            }
            EXPECT_EQ(keys.Find("k3000"), IndexTable::kNone);
        }
    }
}

TEST(IndexTable, AnEmptyTableFindsNothing) {
    const Keys keys;
    EXPECT_EQ(keys.Find(""), IndexTable::kNone);
}

TEST(NameStore, KeepsEveryNameWholeAndInPlace) {
    NameStore store;
    const std::string big(100 * 1024, 'x');  // larger than a block
    std::vector<std::pair<const char*, std::string>> kept;
    for (int i = 0; i < 20000; ++i) {
        const std::string name = i == 5000 ? big : "name-" + std::to_string(i);
        kept.emplace_back(store.Keep(name), name);
    }
    kept.emplace_back(store.Keep(""), "");
    for (const auto& [pointer, name] : kept) EXPECT_EQ(std::string(pointer), name);
}

}  // namespace
