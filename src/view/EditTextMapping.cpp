#include "EditTextMapping.h"

#include <algorithm>
#include <array>
#include <bitset>

namespace edittext {

int StandIns::kindOf(char16_t c) const {
    for (int k = 0; k < kStandInKindCount; ++k) {
        if (chars[size_t(k)] == c)
            return k;
    }
    return -1;
}

char16_t StandIns::meaningOf(char16_t c) const {
    const int kind = kindOf(c);
    return kind < 0 ? 0 : kStandInKinds[size_t(kind)].meaning;
}

char16_t StandIns::standInFor(char16_t meaning) const {
    for (int k = 0; k < kStandInKindCount; ++k) {
        if (kStandInKinds[size_t(k)].meaning == meaning)
            return chars[size_t(k)];
    }
    return meaning;
}

char16_t StandIns::lowest() const {
    return *std::min_element(chars.begin(), chars.end());
}

bool StandIns::usedIn(QStringView text) const {
    const char16_t low = lowest();
    return std::any_of(text.begin(), text.end(),
                       [&](QChar c) { return c.unicode() >= low && isStandIn(c); });
}

namespace {
// The characters a stand-in may be, in the order they are tried: the
// noncharacters U+FDD2-U+FDEF, U+FFFE and U+FFFF, then the private use area
// from its top (U+F8FF) down, where a text's own private characters (such
// as gaiji, which start at U+E000) are least likely.
constexpr int kNoncharacters = 32;
constexpr int kCandidates = kNoncharacters + (0xF8FF - 0xE000 + 1);
using CandidateSet = std::bitset<kCandidates>;

int candidateIndex(char16_t c) {
    if (c >= 0xFDD2 && c <= 0xFDEF)
        return c - 0xFDD2;
    if (c >= 0xFFFE)
        return 30 + (c - 0xFFFE);
    if (c >= 0xE000 && c <= 0xF8FF)
        return kNoncharacters + (0xF8FF - c);
    return -1;
}

char16_t candidateAt(int index) {
    if (index < 30)
        return char16_t(0xFDD2 + index);
    if (index < kNoncharacters)
        return char16_t(0xFFFE + (index - 30));
    return char16_t(0xF8FF - (index - kNoncharacters));
}

void markUsed(QStringView text, CandidateSet& used) {
    const char16_t* p = text.utf16();
    const char16_t* const end = p + text.size();
    for (; p != end; ++p) {
        if (*p < 0xE000)
            continue; // nearly every character of a text
        if (const int i = candidateIndex(*p); i >= 0)
            used.set(size_t(i));
    }
}
} // namespace

StandIns chooseStandIns(QStringView text, QStringView more) {
    const StandIns defaults;
    CandidateSet used;
    markUsed(text, used);
    markUsed(more, used);
    // Each kind keeps its default where the texts leave it free; the others
    // take the first free candidates in order.
    CandidateSet taken = used;
    for (char16_t c : defaults.chars)
        taken.set(size_t(candidateIndex(c)));
    StandIns chosen = defaults;
    int next = 0;
    for (char16_t& c : chosen.chars) {
        if (!used.test(size_t(candidateIndex(c))))
            continue;
        while (next < kCandidates && taken.test(size_t(next)))
            ++next;
        if (next == kCandidates)
            return defaults; // the text uses every candidate: nothing better exists
        c = candidateAt(next);
        taken.set(size_t(next));
    }
    return chosen;
}

namespace {
// The characters the mapping passes on unchanged without a look at the
// table: kana and kanji lie between U+2029 and U+FDD0, ASCII below U+2028.
constexpr bool passesUnchanged(char16_t c) {
    return (c > 0x2029 && c < 0xFDD0) || (c > u'\r' && c < 0x2028) || c > 0xFDD1;
}

constexpr bool everyKindIsLookedUp() {
    for (const StandInKindInfo& k : kStandInKinds) {
        if (passesUnchanged(k.meaning))
            return false;
    }
    return true;
}
static_assert(everyKindIsLookedUp(), "a stand-in kind's character must not pass unchanged");

// The mapping of toControlText; `breakFor` chooses the character of each
// CR LF from the length of the output so far.
template <typename BreakFor>
QString mapToControl(QStringView deviceText, const StandIns& s, BreakFor breakFor) {
    const qsizetype n = deviceText.size();
    QString out(n, Qt::Uninitialized);
    const char16_t* in = deviceText.utf16();
    char16_t* const begin = reinterpret_cast<char16_t*>(out.data());
    char16_t* o = begin;
    for (qsizetype i = 0; i < n; ++i) {
        const char16_t c = in[i];
        if (passesUnchanged(c)) {
            *o++ = c;
            continue;
        }
        if (c == u'\r' && i + 1 < n && in[i + 1] == u'\n') {
            *o = breakFor(o - begin);
            ++o;
            ++i;
        } else {
            *o++ = s.standInFor(c);
        }
    }
    out.truncate(o - begin);
    return out;
}
} // namespace

QString toControlText(QStringView deviceText, const StandIns& standIns) {
    return mapToControl(deviceText, standIns, [](qsizetype) { return u'\n'; });
}

qsizetype chunkCut(QStringView text, qsizetype from, qsizetype limit) {
    const qsizetype reach = std::max<qsizetype>(1, (limit - from) / 8);
    for (qsizetype p = limit; p > limit - reach; --p) {
        const char16_t c = text[p - 1].unicode();
        if (c == u' ' || c == u'\t' || c == 0x3000 || c == 0x3001 || c == 0x3002)
            return p;
    }
    qsizetype p = limit;
    while (p > from + 1 && (text[p].isLowSurrogate() || text[p].isMark()))
        --p;
    return p;
}

namespace {

// Cuts the blocks of grouped control text that are longer than the chunk
// length (see toGroupedControlText).
QString cutLongBlocks(const QString& control, qsizetype chunk) {
    QString out;
    out.reserve(control.size() + control.size() / chunk + 1);
    const qsizetype n = control.size();
    qsizetype start = 0;
    while (start <= n) {
        qsizetype end = control.indexOf(u'\n', start);
        if (end < 0)
            end = n;
        qsizetype s = start;
        while (end - s > chunk) {
            const qsizetype brk = QStringView(control).mid(s, chunk + 1).lastIndexOf(QChar(kInBlockBreak));
            if (brk > 0) {
                out.append(QStringView(control).mid(s, brk));
                out.append(u'\n');
                s += brk + 1;
                continue;
            }
            const qsizetype cut = chunkCut(control, s, s + chunk);
            out.append(QStringView(control).mid(s, cut - s));
            out.append(QChar(kBlockJoin));
            s = cut;
        }
        out.append(QStringView(control).mid(s, end - s));
        if (end < n)
            out.append(u'\n');
        start = end + 1;
    }
    return out;
}
} // namespace

QString toGroupedControlText(QStringView deviceText, const StandIns& standIns, int chunkLength) {
    qsizetype blockStart = 0;
    int linesInBlock = 1;
    const QString control =
        mapToControl(deviceText, standIns, [&](qsizetype at) -> char16_t {
            if (linesInBlock < kMaxLinesPerBlock && at - blockStart < kMaxBlockLength) {
                ++linesInBlock;
                return kInBlockBreak;
            }
            blockStart = at + 1;
            linesInBlock = 1;
            return u'\n';
        });
    // A block gets long only through a long line, which is rare: the check
    // looks at the length between block breaks only.
    const qsizetype chunk = std::max(16, chunkLength);
    if (control.size() <= chunk)
        return control;
    qsizetype last = -1;
    for (qsizetype at = control.indexOf(u'\n'); ; at = control.indexOf(u'\n', at + 1)) {
        const qsizetype end = at < 0 ? control.size() : at;
        if (end - last - 1 > chunk)
            return cutLongBlocks(control, chunk);
        if (at < 0)
            return control;
        last = at;
    }
}

QString fromControlText(QStringView controlText, const StandIns& standIns) {
    const qsizetype n = controlText.size();
    const char16_t* in = controlText.utf16();
    qsizetype breaks = 0;
    for (qsizetype i = 0; i < n; ++i)
        breaks += isLineBreak(in[i]) ? 1 : 0;
    QString out(n + breaks, Qt::Uninitialized);
    char16_t* const begin = reinterpret_cast<char16_t*>(out.data());
    char16_t* o = begin;
    const char16_t lowest = std::min(standIns.lowest(), kBlockJoin);
    for (qsizetype i = 0; i < n; ++i) {
        const char16_t c = in[i];
        if (c < lowest && !isLineBreak(c)) {
            *o++ = c;
        } else if (isLineBreak(c)) {
            *o++ = u'\r';
            *o++ = u'\n';
        } else if (c == kBlockJoin) {
            continue;
        } else if (const int kind = standIns.kindOf(c); kind >= 0) {
            *o++ = kStandInKinds[size_t(kind)].meaning;
        } else {
            *o++ = c;
        }
    }
    out.truncate(o - begin);
    return out;
}

qsizetype deviceLength(QStringView controlText) {
    qsizetype n = controlText.size();
    for (QChar ch : controlText) {
        if (isLineBreak(ch))
            ++n;
        else if (ch.unicode() == kBlockJoin)
            --n;
    }
    return n;
}

qsizetype countInBlockBreaks(QStringView controlText) {
    return controlText.count(QChar(kInBlockBreak));
}

} // namespace edittext
