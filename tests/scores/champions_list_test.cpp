// The champions list stays sorted and ten long, and keeps earlier equals in front.
#include "scores/champions_list.h"
#include "scores/entry.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <iostream>
#include <random>

using namespace marvolen::scores;

namespace {

const QLocale kLocale(QLocale::English, QLocale::UnitedStates);

ChampionsList placeholders() {
    ChampionsList list(kLocale);
    for (int i = 0; i < ChampionsList::kRanks; ++i)
        list.add(kPlaceholder);
    return list;
}

} // namespace

TEST(ChampionsList, NewEntryTakesItsPlaceAndPushesTheTenthOut) {
    ChampionsList list = placeholders();
    EXPECT_EQ(list.add("0000500100Eve"), 0);
    EXPECT_EQ(list.add("0000300100Bob"), 0);
    EXPECT_EQ(list.add("0000400100Amy"), 1);
    EXPECT_EQ(list.size(), 10);
    EXPECT_EQ(list.at(0), QByteArray("0000300100Bob"));
    EXPECT_EQ(list.at(2), QByteArray("0000500100Eve"));
    EXPECT_EQ(list.last(), QByteArray(kPlaceholder));
}

TEST(ChampionsList, EqualEntryGoesAfterTheOneAlreadyThere) {
    ChampionsList list = placeholders();
    list.add("0000300075anna");
    EXPECT_EQ(list.add("0000300075ANNA"), 1);
    EXPECT_EQ(list.at(0), QByteArray("0000300075anna"));
}

TEST(ChampionsList, EntrySortingBelowTenthIsNotKept) {
    ChampionsList list(kLocale);
    for (int i = 0; i < ChampionsList::kRanks; ++i)
        list.add("00003000" + QByteArray::number(10 + i) + "x");
    EXPECT_EQ(list.add("0000300019x"), std::nullopt); // equal to the tenth: after it
    EXPECT_EQ(list.add("0000300099"), std::nullopt);
    EXPECT_EQ(list.last(), QByteArray("0000300019x"));
    EXPECT_EQ(list.add("0000300019"), 9); // no name: before the named tenth
    EXPECT_EQ(list.size(), 10);
}

TEST(ChampionsList, ShortListReadsPlaceholdersBeyondItsEnd) {
    ChampionsList list(kLocale);
    list.add("0000300075");
    EXPECT_EQ(list.at(5), QByteArray(kPlaceholder));
    EXPECT_EQ(list.last(), QByteArray(kPlaceholder));
}

TEST(ChampionsList, StaysSortedAndTenLongWhateverIsAdded) {
    const auto seed = std::random_device{}();
    std::cout << "[ seed     ] StaysSortedAndTenLongWhateverIsAdded " << seed << '\n';
    SCOPED_TRACE(testing::Message() << "seed " << seed);
    std::mt19937 random(seed);
    const EntryOrder order(kLocale);
    const QByteArray names[] = {"",     "a",  "A",  "ab",       "B",   "\xe4",
                                "\xc4", "zz", "Zz", "\xc9mile", "Emil"};
    std::uniform_int_distribution<int> small(0, 3), name(0, std::size(names) - 1), junk(0, 255);

    for (int round = 0; round < 50; ++round) {
        ChampionsList list = placeholders();
        std::vector<QByteArray> all(10, QByteArray(kPlaceholder));
        for (int n = 0; n < 60; ++n) {
            QByteArray entry;
            if (junk(random) < 8) { // now and then a damaged entry of any bytes
                for (int i = small(random) * 4; i > 0; --i)
                    entry.append(char(junk(random)));
            } else {
                entry = "0000" + QByteArray::number(small(random)) + "0000" +
                        QByteArray::number(small(random)) + names[name(random)];
            }
            list.add(entry);
            all.push_back(entry);
            ASSERT_EQ(list.size(), 10);
            ASSERT_TRUE(std::is_sorted(list.entries().begin(), list.entries().end(), order));
        }
        // The list is the ten best of everything added, equals in the order they came.
        std::stable_sort(all.begin(), all.end(), order);
        all.resize(10);
        ASSERT_EQ(list.entries(), all);
    }
}
