#pragma once

#include "Locale.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringView>
#include <memory>

// The device's code-page conversion (MultiByteToWideChar / WideCharToMultiByte
// without flags) over iconv. Undecodable input never ends or drops the rest of
// the text: each bad unit becomes U+30FB for CP932 and U+FFFD otherwise;
// characters the code page can't hold become its default character "?".
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
    QByteArray fromUnicode(QStringView text) const;

  private:
    struct Impl;
    unsigned codePage_;
    std::unique_ptr<Impl> impl_;
};
