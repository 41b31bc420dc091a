// Whether a deal runs and which turn-down effect it gives the cards.
#pragma once

enum DealMode {
    DEAL_NONE = 0,
    DEAL_VERTICAL = 1,
    DEAL_HORIZONTAL = 2,
    DEAL_SQUARE = 3,
    DEAL_VH = 4,
    DEAL_HV = 5,
    DEAL_RANDOM = 6,
    DEAL_COVER_ALL = 7,
    DEAL_LEVEL_CHANGED = 8,
    DEAL_REVEAL = 9,
    DEAL_VANISH = 10,
    DEAL_APPEAR = 11,
};
