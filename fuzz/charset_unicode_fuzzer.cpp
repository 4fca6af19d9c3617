// UTF-8 <-> UTF-16 over arbitrary input, with the round trips that must hold.
#include "FuzzSupport.h"
#include "UnicodeConverters.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QByteArray in = fuzz::bytes(data, size);
    QString text;
    fuzz::check(Utf8ToUtf16(in, text) == rc::SUCCESS);
    fuzz::check(text.size() <= in.size());

    // Arbitrary UTF-16 (lone surrogates too) survives UTF-8 and back.
    const QString units = fuzz::utf16(data, size);
    QByteArray utf8;
    fuzz::check(Utf16ToUtf8(units, utf8) == rc::SUCCESS);
    QString back;
    fuzz::check(Utf8ToUtf16(utf8, back) == rc::SUCCESS);
    fuzz::check(back == units);
    // Valid UTF-8 from Qt reads as Qt reads it.
    if (units.isValidUtf16()) {
        QString fromQt;
        fuzz::check(Utf8ToUtf16(units.toUtf8(), fromQt) == rc::SUCCESS && fromQt == units);
    }
    return 0;
}
