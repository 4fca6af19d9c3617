#pragma once

#include <QByteArray>
#include <cstring>

// The converters' growing output buffer. It grows geometrically, so appending
// is amortised constant time; the bytes it holds are only what was appended.
class ByteSink {
  public:
    explicit ByteSink(qsizetype expected) { buf_.resize(std::max<qsizetype>(expected, 16)); }

    void put(char c) {
        if (used_ == buf_.size())
            grow(1);
        buf_.data()[used_++] = c;
    }
    void put(uint8_t c) { put(static_cast<char>(c)); }
    void put2(uint8_t a, uint8_t b) {
        if (used_ + 2 > buf_.size())
            grow(2);
        char* d = buf_.data() + used_;
        d[0] = static_cast<char>(a);
        d[1] = static_cast<char>(b);
        used_ += 2;
    }
    void put(const char* s, qsizetype n) {
        if (used_ + n > buf_.size())
            grow(n);
        std::memcpy(buf_.data() + used_, s, static_cast<size_t>(n));
        used_ += n;
    }
    QByteArray take() {
        buf_.truncate(used_);
        return std::move(buf_);
    }

  private:
    void grow(qsizetype atLeast) { buf_.resize(std::max(buf_.size() * 2, used_ + atLeast)); }

    QByteArray buf_;
    qsizetype used_ = 0;
};
