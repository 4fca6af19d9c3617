// The straight conversions to and from UTF-8 over arbitrary bytes: where they
// take the bytes, they must give exactly what the way through UTF-16 gives,
// piece ends and JIS shift state included. The first byte picks.
#include "CodePage.h"
#include "FuzzSupport.h"
#include "JapaneseConverters.h"
#include "StraightConverters.h"
#include "UnicodeConverters.h"

namespace {

QByteArray utf8Of(const QString& text) {
    QByteArray out;
    fuzz::check(Utf16ToUtf8(text, out) == rc::SUCCESS);
    return out;
}

JisState stateOf(bool doubleByte, bool kana) {
    return doubleByte ? JisState::Double : kana ? JisState::Kana : JisState::Single;
}

// EUC or JIS a piece at a time, straight and through Shift-JIS.
void checkPieces(const QByteArray& in, qsizetype piece, bool jis) {
    const CodePage& cp932 = CodePage::get(932);
    bool doubleByte = false, kana = false;
    for (qsizetype at = 0; at < in.size();) {
        qsizetype straightEnd = at, throughEnd = at;
        JisState state = stateOf(doubleByte, kana);
        QByteArray straight, shiftJis;
        const bool ok = jis ? JisToUtf8Part(in, straightEnd, at + piece, state, straight)
                            : EucToUtf8Part(in, straightEnd, at + piece, straight);
        fuzz::check((jis ? JisToShiftJisPart(in, throughEnd, at + piece, doubleByte, kana, shiftJis)
                         : EucToShiftJisPart(in, throughEnd, at + piece, shiftJis)) == rc::SUCCESS);
        if (ok) {
            fuzz::check(straightEnd == throughEnd);
            fuzz::check(!jis || state == stateOf(doubleByte, kana));
            fuzz::check(straight == utf8Of(cp932.toUnicode(shiftJis)));
        }
        fuzz::check(throughEnd > at);
        at = throughEnd;
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size == 0)
        return 0;
    const uint8_t pick = data[0];
    const QByteArray in = fuzz::bytes(data + 1, size - 1);
    const CodePage& cp = CodePage::get(pick & 1 ? 932 : 1252);
    QByteArray straight;
    switch (pick >> 1 & 3) {
    case 0:
        if (CodePageToUtf8(in, cp, straight))
            fuzz::check(straight == utf8Of(cp.toUnicode(in)));
        break;
    case 1:
        if (Utf8ToCodePage(in, cp, straight)) {
            QString text;
            fuzz::check(Utf8ToUtf16(in, text) == rc::SUCCESS);
            fuzz::check(straight == cp.fromUnicode(text));
        }
        break;
    default:
        checkPieces(in, 1 + (pick >> 3), (pick >> 1 & 3) == 3);
        break;
    }
    return 0;
}
