// What a card shows and which effect runs on it.
#pragma once

enum CardState {
    CARD_HIDDEN = 0,
    CARD_FACE_UP = 1,
    CARD_FACE_DOWN = 2,
    CARD_TURN_UP_VERTICAL = 3,
    CARD_TURN_UP_HORIZONTAL = 4,
    CARD_TURN_UP_VH = 5,
    CARD_TURN_UP_HV = 6,
    CARD_TURN_UP_SQUARE = 7,
    CARD_TURN_DOWN_VERTICAL = 8,
    CARD_TURN_DOWN_HORIZONTAL = 9,
    CARD_TURN_DOWN_VH = 10,
    CARD_TURN_DOWN_HV = 11,
    CARD_TURN_DOWN_SQUARE = 12,
    CARD_VANISH = 13,
    // 14 has no name: nothing sets it and no step runs for it.
    CARD_APPEAR = 15,
};
