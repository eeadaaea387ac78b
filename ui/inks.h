#pragma once
// The inks of texts whose layouts give no colour. The toolkit's middle grey
// (8) reads on neither the pale panels nor the dark button faces, so a text
// takes the ink of the ground it stands on.

#include <cstdint>

// Dark grey: 6:1 and more on the panels' pale stone (palette 12, 13).
constexpr uint8_t kInkOnPale = 4;
// Near white: 5.3:1 and more on the dark faces and scrolls (82, 86, 88, 193,
// 194).
constexpr uint8_t kInkOnDark = 14;
// Cream: the words the OK and Cancel pictures carry on the button faces. A
// button's written caption takes it too (5:1 and more on its face, 82 to 88),
// so that it does not read as the grey of a disabled button beside them.
constexpr uint8_t kInkOnButtonFace = 191;
