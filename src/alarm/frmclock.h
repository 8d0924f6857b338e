#pragma once
// The alarm window. For now an empty stand-in of its final size.

#include "platform/standin_form.h"

namespace qv {

class frmclock final : public StandInForm {
public:
    static constexpr wchar_t kClassName[] = L"qorvane.frmclock";
    frmclock() : StandInForm(kClassName, L"闹钟设置", 3450, 4485) {}
};

}  // namespace qv
