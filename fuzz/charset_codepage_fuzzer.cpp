// The code page in both directions over arbitrary input, for each ANSI code
// page the editor can use (the first byte picks it).
#include "CodePage.h"
#include "FuzzSupport.h"
#include "UnicodeConverters.h"

#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size == 0)
        return 0;
    static const unsigned pages[] = {932, 936, 949, 950, 1252, 1251, 1250, 874};
    const CodePage& cp = CodePage::get(pages[data[0] % std::size(pages)]);
    const QByteArray in = fuzz::bytes(data + 1, size - 1);

    QString text;
    fuzz::check(AnsiToUtf16(in, cp, text) == rc::SUCCESS);
    if (!in.isEmpty()) {
        // The size query and the conversion agree with the string form.
        const int needed = cp.MultiByteToWideChar(in.constData(), int(in.size()), nullptr, 0);
        fuzz::check(needed == text.size());
        std::vector<char16_t> wide(static_cast<size_t>(needed));
        fuzz::check(cp.MultiByteToWideChar(in.constData(), int(in.size()), wide.data(), needed) ==
                    needed);
        if (needed > 1)
            fuzz::check(cp.MultiByteToWideChar(in.constData(), int(in.size()), wide.data(),
                                               needed - 1) == 0);
    }

    const QString units = fuzz::utf16(data + 1, size - 1);
    QByteArray ansi;
    const RESULT r = Utf16ToAnsi(units, cp, ansi);
    fuzz::check(units.isEmpty() ? r == rc::CONVERSION_EMPTY : r == rc::SUCCESS);
    if (!units.isEmpty()) {
        const auto* src = reinterpret_cast<const char16_t*>(units.utf16());
        fuzz::check(cp.WideCharToMultiByte(src, int(units.size()), nullptr, 0) == ansi.size());
        // What the code page wrote reads back to the same bytes once more.
        QString again;
        fuzz::check(AnsiToUtf16(ansi, cp, again) == rc::SUCCESS);
        QByteArray twice;
        if (!again.isEmpty()) {
            fuzz::check(Utf16ToAnsi(again, cp, twice) == rc::SUCCESS);
            fuzz::check(twice == ansi);
        }
    }
    return 0;
}
