// Text of a MIME part or header in a named charset, to and from UTF-16.
//
// Decoding never fails. Text without a charset, or with one nobody can
// convert, is taken as UTF-8 when it is well-formed UTF-8 and as windows-1252
// otherwise. The labels us-ascii and iso-8859-1 are read as windows-1252, its
// superset, since mail labelled so routinely carries its quotes and dashes;
// writing under those labels keeps strictly to what they name.
// A malformed byte in a declared charset becomes U+FFFD and decoding goes on.
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <string_view>

namespace skerrow::maildir {

struct DecodedText {
  std::u16string text;
  // The charset the bytes were actually read in, lower case: the declared
  // one, or "utf-8" / "windows-1252" after a fallback. Encoding back in it
  // always succeeds.
  std::string charset;
};

class CharsetCodec {
 public:
  // Called for a code point the target charset cannot represent; returns the
  // ASCII text written in its place.
  using Substitute = std::function<std::string(char32_t)>;

  static DecodedText Decode(std::string_view bytes, std::string_view charset);

  // How Decode reads a charset: Utf8 and Windows1252 one character at a
  // time, so that a text may be decoded piece by piece; Detect likewise,
  // once the whole text was checked for UTF-8; Converter all at once.
  enum class Reading { Utf8, Windows1252, Detect, Converter };
  static Reading ReadingOf(std::string_view charset);

  // Decode for a text in a charset read through a converter that comes in
  // pieces: a character cut between two pieces is joined up again, so that
  // the pieces decode as the whole does.
  class PieceDecoder {
   public:
    explicit PieceDecoder(std::string_view charset);
    ~PieceDecoder();
    PieceDecoder(const PieceDecoder&) = delete;
    PieceDecoder& operator=(const PieceDecoder&) = delete;
    // False when no converter knows the charset: Decode reads such a text as
    // one without a charset.
    bool HasConverter() const;
    // Appends the text of the next piece.
    void Add(std::string_view piece, std::u16string& text);
    // Appends what the end of the text leaves: U+FFFD for a character it
    // cuts short, the return to the initial state of a stateful charset.
    void Finish(std::u16string& text);

   private:
    struct State;
    std::unique_ptr<State> state_;
  };

  // The text in the charset; a code point it lacks is replaced by
  // substitute's text. A charset no converter knows is written as UTF-8.
  static std::string Encode(std::u16string_view text, std::string_view charset,
                            const Substitute& substitute);

  // Lower case, without blanks, quotes or an RFC 2231 language suffix.
  static std::string Normalize(std::string_view charset);
};

}  // namespace skerrow::maildir
