// Sprite base: a frame of a sprite sheet drawn into the owner's back buffer, with
// the place it was last drawn for hit tests and mouse enter/leave.
#pragma once
#include <ddraw.h>

template <class TOwner>
class AThing {
public:
    explicit AThing(TOwner pOwner);
    virtual ~AThing();

    virtual void UpdateHover();
    virtual void Draw();
    virtual void ThingHookA();
    virtual void ThingHookB();
    virtual void OnMouseMove();
    virtual void OnMouseEnter();
    virtual void OnMouseLeave();

    void SetPos(int x, int y);
    bool HitTest();

    int m_x;
    int m_y;
    int m_xDrawn;
    int m_yDrawn;
    int m_nWidth;
    int m_nHeight;
    int m_nFrame;
    TOwner m_pOwner;
    bool m_bClip;
    DWORD m_dwBltFlags;
    LPDIRECTDRAWSURFACE* m_ppSheet;
    bool m_bMouseInside;
};
