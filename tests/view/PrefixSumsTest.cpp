#include "PrefixSums.h"

#include <gtest/gtest.h>
#include <numeric>

TEST(PrefixSums, AgreeWithPlainSumsThroughChanges) {
    std::vector<int> plain(37);
    for (size_t i = 0; i < plain.size(); ++i)
        plain[i] = int(i * 7 % 5);
    PrefixSums sums;
    sums.assign(plain);
    uint32_t seed = 99;
    for (int round = 0; round < 500; ++round) {
        seed = seed * 1103515245u + 12345u;
        const int at = int((seed >> 8) % plain.size());
        const int value = int((seed >> 20) % 40);
        plain[size_t(at)] = value;
        sums.set(at, value);
        ASSERT_EQ(sums.valueAt(at), value);
        for (int i = 0; i <= int(plain.size()) + 1; ++i) {
            const auto end = plain.begin() + std::min<ptrdiff_t>(i, ptrdiff_t(plain.size()));
            ASSERT_EQ(sums.sumBefore(i), std::accumulate(plain.begin(), end, 0))
                << "round " << round << " i " << i;
        }
    }
    sums.assign({});
    EXPECT_EQ(sums.size(), 0);
    EXPECT_EQ(sums.sumBefore(3), 0);
}
