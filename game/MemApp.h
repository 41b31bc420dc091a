// The game's application object.
#pragma once
#include "frame/DirectDrawApp.h"

class MemApp : public DirectDrawApp {
public:
    virtual BOOL InitInstance();

    afx_msg void OnAppAbout();

    DECLARE_MESSAGE_MAP()
};
