#pragma once
// An empty window with the name, caption and size of a window still to be
// built, so that the menus can open and close it.

#include "platform/form.h"

namespace qv {

class StandInForm : public Form {
public:
    StandInForm(const wchar_t* className, const wchar_t* caption, int widthTwips, int heightTwips)
        : className_(className), caption_(caption), widthTwips_(widthTwips), heightTwips_(heightTwips)
    {
    }

    bool Load(HINSTANCE instance)
    {
        return createCentred(instance, className_, caption_, WS_POPUP | WS_CAPTION | WS_SYSMENU,
                             WS_EX_TOOLWINDOW, widthTwips_, heightTwips_);
    }

private:
    const wchar_t* className_;
    const wchar_t* caption_;
    int widthTwips_;
    int heightTwips_;
};

}  // namespace qv
