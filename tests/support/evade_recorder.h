#pragma once
// The pushes SetPersonEvade is asked for, recorded in place of the push while a recorder lives.

#include <cstdint>
#include <vector>

#include "persons/person_evade.h"

namespace kv::test {

struct EvadeCall {
    std::int16_t person = -1;
    float x = 0;
    float y = 0;
    std::int32_t strength = 0;
    std::int8_t ticks = 0;
    std::uint8_t kind = 0;
    std::int16_t id = -1;
    bool operator==(const EvadeCall&) const = default;
};

class EvadeRecorder {
  public:
    EvadeRecorder() {
        Calls().clear();
        PersonEvadeWatcher.set = [](std::int16_t person, float x, float y, std::int32_t strength,
                                    std::int8_t ticks, std::uint8_t kind, std::int16_t id) {
            Calls().push_back({person, x, y, strength, ticks, kind, id});
        };
    }
    ~EvadeRecorder() { PersonEvadeWatcher = {}; }
    EvadeRecorder(const EvadeRecorder&) = delete;
    EvadeRecorder& operator=(const EvadeRecorder&) = delete;

    static std::vector<EvadeCall>& Calls() {
        static std::vector<EvadeCall> calls;
        return calls;
    }
};

}  // namespace kv::test
