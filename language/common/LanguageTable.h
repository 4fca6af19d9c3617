#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_map>

// The translated texts of a language library, read from its table file:
// UTF-8 lines of tab-separated fields, "#" starting a comment line.
//
//   language <tab> 0x0409                      the language of the texts
//   name     <tab> * or 0x0411 <tab> English   the language's name, in the
//                                              language given ("*": any other)
//   string   <tab> 30006 <tab> text            string table entry
//   menu     <tab> 128.32788 <tab> text        menu 128, command 32788
//   menu     <tab> 128.p3 <tab> text           menu 128, pop-up 3
//   dialog   <tab> 158.1157 <tab> text         dialog 158, control 1157
//   dialog   <tab> 203.t1004 <tab> text        dialog 203, tooltip of 1004
//
// In texts "\n", "\t" and "\\" stand for a line break, a TAB and a backslash.
class LanguageTable {
  public:
    enum class Kind : uint64_t { String = 1, Menu = 2, Dialog = 3, Name = 4 };

    explicit LanguageTable(std::string_view text);

    uint16_t languageId() const { return languageId_; }
    // nullptr when the table lacks the text. The text ends with a NUL.
    const std::u16string* find(Kind kind, uint32_t id, uint32_t item = 0) const;

  private:
    void parseLine(std::string_view line);

    uint16_t languageId_ = 0;
    std::unordered_map<uint64_t, std::u16string> texts_;
};
