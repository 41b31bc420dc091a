// The game model's construction and destruction, its queries and walks over the cards.
#include "game/AGame.h"

#include "game/Card.h"
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
    POSITION pos = m_listCards.GetHeadPosition();
    while (pos) {
        Card* p = m_listCards.GetNext(pos);
        if (p != pCard && p->m_nValue == nValue)
            return p;
    }
    return NULL;
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
    POSITION pos = m_listCards.GetHeadPosition();
    while (pos) {
        Card* p = m_listCards.GetNext(pos);
        if (p->HitTest())
            return p;
    }
    return NULL;
}

char* AGame::GetLevelName()
{
    return m_apszLevelNames[m_nLevel];
}

bool AGame::IsNoneFaceUp()
{
    POSITION pos = m_listCards.GetHeadPosition();
    while (pos) {
        if (m_listCards.GetNext(pos)->m_nState == CARD_FACE_UP)
            return false;
    }
    return true;
}

bool AGame::IsNoneFaceDown()
{
    POSITION pos = m_listCards.GetHeadPosition();
    while (pos) {
        if (m_listCards.GetNext(pos)->m_nState == CARD_FACE_DOWN)
            return false;
    }
    return true;
}

void AGame::OnMouseMove()
{
    POSITION pos = m_listCards.GetHeadPosition();
    while (pos)
        m_listCards.GetNext(pos)->OnMouseMove();
}

void AGame::Draw()
{
    POSITION pos = m_listCards.GetHeadPosition();
    while (pos)
        m_listCards.GetNext(pos)->Draw();
}
