#pragma once

#include <algorithm>
#include <cassert>
#include <utility>
#include <vector>

// A sequence of counts, changed one at a time, that answers "how many before
// position i" in O(log n): a Fenwick tree. Built whole in O(n).
class PrefixSums {
  public:
    void assign(std::vector<int> values) {
        values_ = std::move(values);
        const int n = size();
        tree_.assign(values_.size(), 0);
        for (int i = 0; i < n; ++i) {
            tree_[size_t(i)] += values_[size_t(i)];
            if (const int parent = i | (i + 1); parent < n)
                tree_[size_t(parent)] += tree_[size_t(i)];
        }
    }

    int size() const { return int(values_.size()); }
    int valueAt(int i) const { return values_[size_t(i)]; }

    void set(int i, int value) {
        assert(i >= 0 && i < size());
        const int delta = value - values_[size_t(i)];
        values_[size_t(i)] = value;
        for (int k = i; k < size(); k |= k + 1)
            tree_[size_t(k)] += delta;
    }

    // The sum of the values before position i (of all of them for i >= size()).
    int sumBefore(int i) const {
        int sum = 0;
        for (int k = std::min(i, size()) - 1; k >= 0; k = (k & (k + 1)) - 1)
            sum += tree_[size_t(k)];
        return sum;
    }

  private:
    std::vector<int> values_;
    std::vector<int> tree_;
};
