#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace zorvex {

// Reads the comma-separated fields of a monitor data file as a stream. A field that begins
// with a double quote ends at the next double quote, and everything up to and including the
// comma or line end after it is skipped; any other field ends at the next comma or line end
// and loses its surrounding blanks. Line ends are CR LF, CR or LF. A field may continue on
// the next line when a record holds fewer fields than its reader asks for.
class MdfFieldStream {
  public:
    struct Field {
        std::string text;
        bool quoted = false;
    };

    explicit MdfFieldStream(std::string_view bytes) : bytes_(bytes) {}

    // The next field, or nothing when the input is used up.
    std::optional<Field> Next();

    bool AtEnd() const { return pos_ >= bytes_.size(); }
    // Whether only blanks and line ends are left.
    bool OnlyBlankLinesLeft() const;
    // Byte offset of the next field, counted from 0.
    std::size_t Offset() const { return pos_; }

  private:
    void SkipPastDelimiter();

    std::string_view bytes_;
    std::size_t pos_ = 0;
};

}  // namespace zorvex
