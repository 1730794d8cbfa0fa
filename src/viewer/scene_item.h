#pragma once

#include <cstddef>
#include <cstdint>

namespace ft::viewer {

// One thing drawn: which drawing, which list of its scene, which entry.
struct SceneItem {
    enum class Kind : std::uint8_t { Outline, MapSheet, Frame, Point, ControlPoint };
    std::size_t drawing = 0;
    Kind kind = Kind::Outline;
    std::size_t index = 0;

    friend bool operator==(const SceneItem&, const SceneItem&) = default;
};

} // namespace ft::viewer
