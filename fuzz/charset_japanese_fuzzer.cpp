// The EUC, JIS and Shift-JIS byte converters over arbitrary bytes (a user may
// force EUC or JIS on any file). The first byte picks the converter.
#include "FuzzSupport.h"
#include "JapaneseConverters.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size == 0)
        return 0;
    const QByteArray in = fuzz::bytes(data + 1, size - 1);
    QByteArray out;
    RESULT r = rc::SUCCESS;
    switch (data[0] % 5) {
    case 0:
        r = EucToShiftJis(in, out);
        // Never more bytes than the input, save one ■ for a cut-off end.
        fuzz::check(out.size() <= in.size() + 2);
        break;
    case 1:
        r = JisToShiftJis(in, out);
        fuzz::check(out.size() <= in.size() + 2);
        break;
    case 2:
        r = ShiftJisToEuc(in, out);
        fuzz::check(out.size() <= 2 * in.size());
        break;
    case 3:
        r = ShiftJisToJis(in, out, JisKatakanaMode::FullWidth);
        break;
    default:
        r = ShiftJisToJis(in, out, JisKatakanaMode::HalfWidth);
        break;
    }
    fuzz::check(r == rc::SUCCESS);
    if (data[0] % 5 >= 3 && !out.isEmpty()) {
        // Whatever came in, the JIS written ends in the single-byte set and
        // reads back without failing.
        QByteArray back;
        fuzz::check(JisToShiftJis(out, back) == rc::SUCCESS);
    }
    return 0;
}
