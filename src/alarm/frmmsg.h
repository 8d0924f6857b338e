#pragma once
// The alarm's alert window. For now an empty stand-in of its final size.

#include "platform/standin_form.h"

namespace qv {

class frmmsg final : public StandInForm {
public:
    static constexpr wchar_t kClassName[] = L"qorvane.frmmsg";
    frmmsg() : StandInForm(kClassName, L"墨蝉小闹钟", 3930, 2475) {}
};

}  // namespace qv
