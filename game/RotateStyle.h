// How a card turns up, as chosen in the options dialog.
#pragma once

enum RotateStyle {
    ROTATE_VERTICAL = 0,
    ROTATE_HORIZONTAL = 1,
    ROTATE_SQUARE = 2,
    ROTATE_VH = 3,
    ROTATE_HV = 4,
    ROTATE_RANDOM = 5,
    ROTATE_IMMEDIATE = 6,
};
