#pragma once
// The about window. For now an empty stand-in of its final size.

#include "platform/standin_form.h"

namespace qv {

class frmabout final : public StandInForm {
public:
    static constexpr wchar_t kClassName[] = L"qorvane.frmabout";
    frmabout() : StandInForm(kClassName, L"关于", 5325, 3795) {}
};

}  // namespace qv
