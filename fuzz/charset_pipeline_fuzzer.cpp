// The loader's and the writer's pipelines: arbitrary bytes in any chosen set,
// then saving the text in any set and line ending. The first two bytes pick.
#include "CodePage.h"
#include "FuzzSupport.h"
#include "TextCodec.h"
#include "UnicodeConverters.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 2)
        return 0;
    const CharSetId readSet = data[0] % 9;
    const CharSetId writeSet = 1 + (data[0] / 9) % 8;
    const LineEndingId eol = data[1] % 3;
    const JisKatakanaMode mode =
        data[1] & 0x80 ? JisKatakanaMode::HalfWidth : JisKatakanaMode::FullWidth;
    const CodePage& ansi = CodePage::get(data[1] & 0x40 ? 932 : 1252);
    const QByteArray in = fuzz::bytes(data + 2, size - 2);

    const DecodedText d = DecodeFileText(in, readSet, ansi);
    fuzz::check(d.result == rc::SUCCESS);
    fuzz::check(d.lineEnding >= 0 && d.lineEnding <= 2);

    const EncodedText e = EncodeFileText(d.text, writeSet, eol, mode, ansi);
    fuzz::check(e.result == rc::SUCCESS);

    // Saved with its own set and line ending, a file comes back byte for byte
    // (mixed line endings included) when its bytes are the canonical form of
    // its text.
    const EncodedText same = EncodeFileText(d.text, readSet, d.lineEnding, mode, ansi);
    fuzz::check(same.result == rc::SUCCESS);
    if (readSet == 5 && !in.contains('\0')) {
        QString text;
        QByteArray canonical;
        Utf8ToUtf16(in, text);
        Utf16ToUtf8(text, canonical);
        if (canonical == in)
            fuzz::check(same.bytes == in);
    }
    if (readSet == 2 && in.size() % 2 == 0) {
        const QString units = fuzz::utf16(data + 2, size - 2);
        if (!units.contains(QChar(0)) && !units.startsWith(QChar(0xFFFE))) {
            const QByteArray expected = units.startsWith(QChar(0xFEFF)) ? in : "\xff\xfe" + in;
            fuzz::check(same.bytes == expected);
        }
    }
    return 0;
}
