#include "game/AThing.h"

#include "game/MemWin.h"

namespace {
// Where a sprite counts as drawn before its first draw: far off the board, so that no
// mouse position hits it, and far enough from the limits that adding a size cannot overflow.
const int kNeverDrawn = -0x40000000;
} // namespace

template <class TOwner>
AThing<TOwner>::AThing(TOwner pOwner)
    : m_x(kNeverDrawn)
    , m_y(kNeverDrawn)
    , m_xDrawn(kNeverDrawn)
    , m_yDrawn(kNeverDrawn)
    , m_nWidth(10)
    , m_nHeight(10)
    , m_nFrame(0)
    , m_pOwner(pOwner)
    , m_bClip(false)
    , m_dwBltFlags(0)
    , m_ppSheet(NULL)
    , m_bMouseInside(false)
{
}

template <class TOwner>
AThing<TOwner>::~AThing()
{
}

template <class TOwner>
void AThing<TOwner>::SetPos(int x, int y)
{
    m_x = x;
    m_y = y;
}

template <class TOwner>
bool AThing<TOwner>::HitTest()
{
    return m_xDrawn < g_nMouseX && g_nMouseX < m_xDrawn + m_nWidth && m_yDrawn < g_nMouseY &&
           g_nMouseY < m_yDrawn + m_nHeight;
}

template <class TOwner>
void AThing<TOwner>::UpdateHover()
{
    if (HitTest()) {
        if (!m_bMouseInside) {
            OnMouseEnter();
            m_bMouseInside = true;
        }
    } else if (m_bMouseInside) {
        OnMouseLeave();
        m_bMouseInside = false;
    }
}

template <class TOwner>
void AThing<TOwner>::Draw()
{
    // Recorded first: hit tests answer where the sprite was meant to be, drawn or not.
    m_xDrawn = m_x;
    m_yDrawn = m_y;
    const int nFrameTop = m_nFrame * m_nHeight;
    const DWORD dwFlags = m_dwBltFlags | DDBLTFAST_WAIT;

    if (!m_bClip) {
        RECT rcSrc = {0, nFrameTop, m_nWidth, nFrameTop + m_nHeight};
        m_pOwner->m_pBackBuffer->BltFast(m_x, m_y, *m_ppSheet, &rcSrc, dwFlags);
        return;
    }

    const int nRight = m_pOwner->m_rcDisplay.right;
    const int nBottom = m_pOwner->m_rcDisplay.bottom;
    int x = m_x;
    int y = m_y;
    int nCutLeft = 0;
    int nCutTop = 0;
    int nSrcRight = m_nWidth;
    int nSrcBottom = m_nHeight;
    if (x > nRight - m_nWidth) {
        nSrcRight = nRight - x;
    } else if (x < 0) {
        nCutLeft = -x;
        x = 0;
    }
    if (y > nBottom - m_nHeight) {
        nSrcBottom = nBottom - y;
    } else if (y < 0) {
        nCutTop = -y;
        y = 0;
    }
    if (nCutLeft >= m_nWidth || nSrcRight <= 0 || nSrcBottom <= 0 || nCutTop >= m_nHeight)
        return;
    RECT rcSrc = {nCutLeft, nFrameTop + nCutTop, nSrcRight, nFrameTop + nSrcBottom};
    m_pOwner->m_pBackBuffer->BltFast(x, y, *m_ppSheet, &rcSrc, dwFlags);
}

template <class TOwner>
void AThing<TOwner>::ThingHookA()
{
}

template <class TOwner>
void AThing<TOwner>::ThingHookB()
{
}

template <class TOwner>
void AThing<TOwner>::OnMouseMove()
{
}

template <class TOwner>
void AThing<TOwner>::OnMouseEnter()
{
}

template <class TOwner>
void AThing<TOwner>::OnMouseLeave()
{
}

template class AThing<MemWin*>;
