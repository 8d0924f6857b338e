#pragma once
// The settings window. For now an empty stand-in of its final size.

#include "platform/standin_form.h"

namespace qv {

class Frmoptions final : public StandInForm {
public:
    static constexpr wchar_t kClassName[] = L"qorvane.Frmoptions";
    Frmoptions() : StandInForm(kClassName, L"系统设置", 4455, 6060) {}
};

}  // namespace qv
