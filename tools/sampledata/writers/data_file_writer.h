#pragma once
// Text data files (DATAFILE): fields separated by TAB, every line ended by CR LF.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace kv::sampledata {

class DataFileText {
  public:
    // A line as it stands (a header line, or a record written by hand).
    void line(std::string_view text);
    // A record: the fields joined by TABs.
    void record(const std::vector<std::string>& fields);
    const std::string& text() const { return text_; }
    std::vector<std::uint8_t> bytes() const { return {text_.begin(), text_.end()}; }

  private:
    std::string text_;
};

}  // namespace kv::sampledata
