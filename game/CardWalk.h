// Walks over the game's cards in list order, from the head.
#pragma once
#include "game/Card.h"

#include <afxtempl.h>

// Calls f on every card; the next position is taken before each call.
template <class F>
void ForEachCard(CList<Card*, Card*>& list, F f)
{
    POSITION pos = list.GetHeadPosition();
    while (pos)
        f(list.GetNext(pos));
}

// The first card for which the test holds, or NULL.
template <class P>
Card* FirstCard(CList<Card*, Card*>& list, P test)
{
    POSITION pos = list.GetHeadPosition();
    while (pos) {
        Card* pCard = list.GetNext(pos);
        if (test(pCard))
            return pCard;
    }
    return NULL;
}
