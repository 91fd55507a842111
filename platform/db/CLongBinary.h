#pragma once
#include <cstdint>
#include <vector>

// Binary data of any length.
class CLongBinary {
public:
    std::vector<uint8_t> m_data;
    size_t GetLength() const { return m_data.size(); }
};
