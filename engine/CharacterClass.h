// The two classes of bytes the tokenizer and the Chinese-symbol scan work
// with: separators, and word characters (every other byte).
#pragma once

namespace skerrow {

// Blanks and punctuation (TAB LF CR space ! , . : ?), quotes and brackets
// (" ' ( ) - 0xAB 0xBB), operators (* + / < = > @ [ \ ] { }) and ^ | ~ 0xA6.
// Letters, digits, # $ % & ; _ `, the other control bytes and every other
// byte from 0x80 up are word characters.
constexpr bool IsSeparator(unsigned char byte) {
  switch (byte) {
    case '\t':
    case '\n':
    case '\r':
    case ' ':
    case '!':
    case ',':
    case '.':
    case ':':
    case '?':
    case '"':
    case '\'':
    case '(':
    case ')':
    case '-':
    case 0xAB:
    case 0xBB:
    case '*':
    case '+':
    case '/':
    case '<':
    case '=':
    case '>':
    case '@':
    case '[':
    case '\\':
    case ']':
    case '{':
    case '}':
    case '^':
    case '|':
    case '~':
    case 0xA6:
      return true;
    default:
      return false;
  }
}

constexpr bool IsSeparator(char byte) {
  return IsSeparator(static_cast<unsigned char>(byte));
}

constexpr bool IsWordCharacter(unsigned char byte) {
  return !IsSeparator(byte);
}

constexpr bool IsWordCharacter(char byte) {
  return !IsSeparator(byte);
}

}  // namespace skerrow
