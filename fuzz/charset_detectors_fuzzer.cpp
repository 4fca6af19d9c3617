// Every detector over arbitrary bytes: no crash, no read past the input, and
// answers in their ranges.
#include "CharSetDetector.h"
#include "FuzzSupport.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    // An exact-size copy, so that any read past the end is caught.
    const QByteArray in = fuzz::bytes(data, size);
    const QByteArrayView view(in.constData(), in.size());
    bool ascii = false;
    // Only a true answer says anything about asciiOnly.
    if (IsUtf8Text(view, ascii) && ascii)
        fuzz::check(!in.contains('\0') && !in.contains('\x1b'));
    IsShiftJisText(view);
    IsEucText(view);
    const CharSetId ja = DetectCharSetJapanese(view);
    const CharSetId gen = DetectCharSetGeneric(view);
    fuzz::check(ja >= -1 && ja <= 8 && gen >= -1 && gen <= 8);
    for (CharSetId set = 1; set <= 8; ++set) {
        const LineEndingId le = DetectLineEndingFor(view, set);
        fuzz::check(le >= 0 && le <= 2);
    }
    fuzz::check(DetectLineEnding(view) <= 3 && DetectLineEndingUtf16(view, true) <= 3);
    const CharSetId chosen = DetectCharSet(view, 0x0411);
    fuzz::check(chosen >= 1 && chosen <= 8);
    return 0;
}
