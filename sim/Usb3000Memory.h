#pragma once

// The USB3000's DSP memories and TTL port as the uncalled operations reach them: sparse, so
// that every instance stays small; unwritten cells read 0.

#include <cstdint>
#include <unordered_map>

#include "sim/SimApi.h"

namespace sim {

class Usb3000Memory {
 public:
  template <typename T>
  struct Space {
    std::unordered_map<uint16_t, T> cells;
    void Put(uint16_t address, T value) { cells[address] = value; }
    T Get(uint16_t address) const {
      const auto it = cells.find(address);
      return it == cells.end() ? T{} : it->second;
    }
    // Array transfers wrap round the 16-bit address space like the address register does.
    void PutArray(uint16_t base, uint16_t count, const T* data) {
      for (uint16_t i = 0; i < count; ++i) Put(static_cast<uint16_t>(base + i), data[i]);
    }
    void GetArray(uint16_t base, uint16_t count, T* data) const {
      for (uint16_t i = 0; i < count; ++i) data[i] = Get(static_cast<uint16_t>(base + i));
    }
  };

  Space<int16_t> Var;
  Space<int16_t> Data;
  Space<int32_t> Program;
  bool TtlEnabled = false;
  uint16_t TtlOut = 0;
  // What the TTL inputs read: the outputs are looped back while enabled.
  uint16_t TtlIn() const { return TtlEnabled ? TtlOut : 0; }
};

// CRC of the flash record's bytes after the CRC word (CCITT polynomial, initial 0xFFFF).
SIM_API uint16_t FlashCrc16(const uint8_t* bytes, size_t size);

}  // namespace sim
