#include "generate/topics.h"

namespace kv::sampledata {

// The data tree is its own CD directory: paths beginning with "CD" resolve inside it.
bool WriteSettings(const OutputTree& out) {
    return out.writeText("kestrivon.ini",
                         "; Kestrivon settings\n"
                         "; CD Path=<folder holding missions, videos and music>\n"
                         "; Windowed=1\n");
}

}  // namespace kv::sampledata
