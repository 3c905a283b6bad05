#pragma once
#include <cstdint>

// A cell coordinate, the element of the route search queues.
class FieldArea {
public:
    FieldArea(std::uint32_t c, std::uint32_t r) : column(c), row(r) {}
    virtual ~FieldArea() = default;

    std::uint32_t column;
    std::uint32_t row;
};
