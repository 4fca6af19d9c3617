#pragma once

#include "CharSetDetector.h"
#include "CodePage.h"
#include "TextCodec.h"

#include <QByteArray>
#include <algorithm>
#include <string>

// Open and save without an edit, as the editor does, in one of the nine
// character-set choices; shared by the property test and the fuzz target.
namespace roundtrip {

// What a save must write for these bytes: the bytes themselves, with the
// set's byte-order mark as the set always writes it.
inline QByteArray normalForm(const QByteArray& bytes, CharSetId set) {
    auto without = [&](const char* mark, qsizetype length) {
        return bytes.startsWith(QByteArrayView(mark, length)) ? bytes.mid(length) : bytes;
    };
    switch (set) {
    case charset::UNICODE_LE:
        return "\xFF\xFE" + without(bytes.startsWith("\xFE\xFF") ? "\xFE\xFF" : "\xFF\xFE", 2);
    case charset::UNICODE_BE:
        return "\xFE\xFF" + without(bytes.startsWith("\xFF\xFE") ? "\xFF\xFE" : "\xFE\xFF", 2);
    case charset::UTF8:
        return "\xEF\xBB\xBF" + without("\xEF\xBB\xBF", 3);
    default:
        return bytes;
    }
}

// Whether the set's writer has a form of its own for some of these bytes:
// JIS escape sequences and katakana, and code page 932's duplicate codes
// (the NEC row 13, the NEC-selected IBM and the IBM extensions). Then only
// the characters must come back.
inline bool mayNormalise(const QByteArray& bytes, CharSetId set, unsigned ansiCodePage) {
    if (set == charset::JIS)
        return std::any_of(bytes.begin(), bytes.end(), [](char c) {
            const auto b = static_cast<uint8_t>(c);
            return b == 0x1B || (b >= 0xA1 && b <= 0xDF);
        });
    const bool cp932 = set == charset::SHIFT_JIS || set == charset::EUC ||
                       (set == charset::ANSI && ansiCodePage == 932);
    return cp932 && std::any_of(bytes.begin(), bytes.end(), [&](char c) {
               const auto b = static_cast<uint8_t>(c);
               if (set == charset::EUC)
                   return b == 0xAD;
               return b == 0x87 || b == 0xED || b == 0xEE || (b >= 0xFA && b <= 0xFC);
           });
}

// Empty when opening `bytes` in `choice` (0: detected as on a system of
// language `lang`) and saving gives them back; else what went wrong.
inline std::string problem(const QByteArray& bytes, CharSetId choice, LANGID lang) {
    const CodePage& ansi = CodePage::get(CodePage::ansiCodePageFor(lang));
    const CharSetId set = choice == 0 ? charset::usable(DetectCharSet(bytes, lang)) : choice;
    const DecodedText opened = DecodeFileText(bytes, set, ansi);
    if (opened.result != rc::SUCCESS)
        return "open failed";
    const EncodedText saved =
        EncodeFileText(opened.text, set, opened.lineEnding, JisKatakanaMode::HalfWidth, ansi);
    if (saved.result != rc::SUCCESS)
        return "save failed";
    const std::string where = " in set " + std::to_string(set) + ": " +
                              bytes.toHex(' ').toStdString() + " -> " +
                              saved.bytes.toHex(' ').toStdString();
    if (!mayNormalise(bytes, set, ansi.id()))
        return saved.bytes == normalForm(bytes, set) ? std::string() : "bytes differ" + where;
    // The characters, as they stand in the file: where the writer drops an
    // escape sequence between a CR and an LF, the two count as one line
    // break when the file is read again.
    const QString before = DecodeFileTextAsIs(bytes, set, ansi).text;
    const QString after = DecodeFileTextAsIs(saved.bytes, set, ansi).text;
    return after == before ? std::string() : "text differs" + where;
}

} // namespace roundtrip
