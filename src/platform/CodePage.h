#pragma once

#include "Locale.h"
#include "RawBytes.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringView>
#include <memory>

// The device's code-page conversion (MultiByteToWideChar / WideCharToMultiByte
// without flags) over iconv. Undecodable input never ends or drops the rest of
// the text: each bad unit becomes U+30FB for CP932 and U+FFFD otherwise;
// characters the code page can't hold become its default character "?". A
// byte's stand-in (RawBytes.h) is written as the byte.
class CodePage {
  public:
    explicit CodePage(unsigned codePage);
    ~CodePage();
    CodePage(const CodePage&) = delete;
    CodePage& operator=(const CodePage&) = delete;

    // The ANSI code page of a system default language: 0x0411 -> 932,
    // 0x0804 -> 936, 0x0412 -> 949, 0x0404 -> 950, Western languages -> 1252, ...
    static unsigned ansiCodePageFor(LANGID systemDefaultLanguage);
    // The shared converter of a code page, built once per process.
    static const CodePage& get(unsigned codePage);
    static const CodePage& ansi(const Locale& locale);

    unsigned id() const { return codePage_; }

    // Device semantics: dstLen 0 asks for the needed size; returns the number
    // of units written (or needed), 0 on failure (too small a buffer included).
    int MultiByteToWideChar(const char* src, int srcLen, char16_t* dst, int dstLen) const;
    int WideCharToMultiByte(const char16_t* src, int srcLen, char* dst, int dstLen) const;

    // True when toUnicode always reads the byte as the one unit u of its own,
    // wherever it stands: decoding the bytes up to and including it and the
    // bytes after it apart gives the units of decoding them together.
    bool readsAlone(uint8_t byte, char16_t u) const;

    QString toUnicode(QByteArrayView bytes) const;
    // As toUnicode, but each byte of a character the code page can't read
    // becomes that byte's stand-in, counted in report (offsets into bytes),
    // so that fromUnicode gives every byte back.
    QString toUnicodeKeepingBytes(QByteArrayView bytes, rawbytes::Report& report) const;
    QByteArray fromUnicode(QStringView text) const;

    // The tables behind straight conversions between the code page and UTF-8
    // (no UTF-16 step), for text made of ordinary characters; anything else
    // is left to toUnicode and fromUnicode.
    class Utf8Forms {
      public:
        explicit Utf8Forms(const uint32_t* table) : table_(table) {}
        // The UTF-8 form of what toUnicode reads at a byte followed by next:
        // the UTF-8 bytes in bits 0-23 (the first one lowest), their count in
        // bits 24-27 and the bytes the character takes (1 or 2) in bits
        // 28-31. 0 when it doesn't read as one unit other than U+0000 and the
        // surrogates (a bad unit, a lead byte without its trail, a code read
        // as several units).
        uint32_t at(uint8_t byte, uint8_t next) const { return table_[byte << 8 | next]; }

      private:
        const uint32_t* table_;
    };
    Utf8Forms utf8Forms() const;

    class Codes {
      public:
        explicit Codes(const uint16_t* table) : table_(table) {}
        // What fromUnicode writes for a unit that is not a surrogate: one
        // byte, or (lead << 8 | trail) when above 0xFF.
        uint16_t of(char16_t unit) const { return table_[unit]; }

      private:
        const uint16_t* table_;
    };
    Codes codes() const;

  private:
    struct Impl;
    unsigned codePage_;
    std::unique_ptr<Impl> impl_;
};
