// Text conversions: UTF-8 inside the program, windows-1252 in the files it writes, UTF-16 at the
// Win32 boundary.
#pragma once

#include <string>
#include <string_view>

namespace plenvik {

std::u16string utf8ToUtf16(std::string_view utf8);
std::string utf16ToUtf8(std::u16string_view utf16);

// How a character that windows-1252 lacks is written.
enum class Unmappable { QuestionMark, XmlCharRef };

// UTF-8 to windows-1252 bytes. With XmlCharRef a missing character becomes "&#xHHHH;", which an XML
// reader turns back into the character: a label in any script survives a project file.
std::string utf8ToWindows1252(std::string_view utf8, Unmappable how);
std::string windows1252ToUtf8(std::string_view bytes);

// Decodes one code point at pos and advances pos; an invalid sequence gives U+FFFD and one byte.
char32_t nextCodePoint(std::string_view utf8, std::size_t& pos);
void appendUtf8(std::string& out, char32_t cp);

std::string trimRight(std::string_view text, std::string_view blanks = " ");
std::string trimLeft(std::string_view text, std::string_view blanks = " ");
std::string toUpperAscii(std::string_view text);
std::string toLowerAscii(std::string_view text);
bool equalsIgnoreCaseAscii(std::string_view a, std::string_view b);
// Case-insensitive for ASCII and the Latin-1 letters (the file names a German desktop holds).
std::string foldCase(std::string_view utf8);
std::string replaceAll(std::string text, std::string_view from, std::string_view to);

// The text up to, not including, its first NUL character; the whole text when it has none.
std::string trimAtNull(std::string_view text);

}  // namespace plenvik
