// The game model's construction and destruction, its queries and walks over the cards.
#include "game/AGame.h"

#include "game/Card.h"
#include "game/CardWalk.h"
#include "game/MemWin.h"

#include <cstdlib>
#include <ctime>

AGame::AGame(MemWin* pOwner)
    : m_pOwner(pOwner)
    , m_listCards(10)
    , m_pFirst(NULL)
    , m_pSecond(NULL)
    , m_nDealMode(DEAL_NONE)
    , m_nLevels(0)
    , m_nLevel(0)
    , m_apszLevelNames()
{
    for (int i = 0; i < 12; ++i) {
        Card* pCard = new Card(pOwner);
        m_listCards.AddTail(pCard);
        m_apCards[i] = pCard;
    }
    m_pHintCard = NULL;
    srand((unsigned)time(NULL));
}

AGame::~AGame()
{
    // The array holds the same cards: each is deleted once, from the list.
    while (!m_listCards.IsEmpty()) {
        Card* pCard = m_listCards.RemoveHead();
        if (pCard)
            delete pCard;
    }
    for (int i = 0; i < m_nLevels; ++i)
        free(m_apszLevelNames[i]);
}

void AGame::ResetLayout()
{
    SetLayout(0);
}

void AGame::AfterInit() {}

int AGame::GameHookA(int)
{
    return 0;
}

int AGame::GameHookB(int, int)
{
    return 0;
}

void AGame::GameHookC() {}

void AGame::GameHookD() {}

void AGame::GameHookE(int) {}

void AGame::GameHookF(int) {}

Card* AGame::FindPartner(Card* pCard)
{
    int nValue = pCard->m_nValue;
    return FirstCard(m_listCards, [&](Card* p) { return p != pCard && p->m_nValue == nValue; });
}

Card* AGame::GetFirstPartner()
{
    return m_pFirst ? FindPartner(m_pFirst) : NULL;
}

Card* AGame::GetCardAt(int nIndex)
{
    POSITION pos = m_listCards.FindIndex(nIndex);
    return pos ? m_listCards.GetAt(pos) : NULL;
}

Card* AGame::CardUnderMouse()
{
    return FirstCard(m_listCards, [](Card* p) { return p->HitTest(); });
}

char* AGame::GetLevelName()
{
    return m_apszLevelNames[m_nLevel];
}

bool AGame::IsNoneFaceUp()
{
    return FirstCard(m_listCards, [](Card* p) { return p->m_nState == CARD_FACE_UP; }) == NULL;
}

bool AGame::IsNoneFaceDown()
{
    return FirstCard(m_listCards, [](Card* p) { return p->m_nState == CARD_FACE_DOWN; }) == NULL;
}

void AGame::OnMouseMove()
{
    ForEachCard(m_listCards, [](Card* p) { p->OnMouseMove(); });
}

void AGame::Draw()
{
    ForEachCard(m_listCards, [](Card* p) { p->Draw(); });
}
