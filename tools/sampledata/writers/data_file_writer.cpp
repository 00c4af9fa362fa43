#include "writers/data_file_writer.h"

namespace kv::sampledata {

void DataFileText::line(std::string_view text) {
    text_ += text;
    text_ += "\r\n";
}

void DataFileText::record(const std::vector<std::string>& fields) {
    for (std::size_t i = 0; i < fields.size(); ++i) {
        if (i > 0) text_ += '\t';
        text_ += fields[i];
    }
    text_ += "\r\n";
}

}  // namespace kv::sampledata
