#pragma once
// Check marks of the twin menu items: each pair (one item in the face menu,
// one in the tray menu) has one mark, so the two can never disagree.

#include <optional>

#include "face/menus.h"

namespace qv {

enum class Twin { Clock, Options, CdDoor };

struct TwinItems {
    MenuId faceItem;
    MenuId trayItem;
};

TwinItems itemsOf(Twin twin);
std::optional<Twin> twinOf(MenuId id);

enum class WindowStep { Show, Close };
enum class DoorCommand { Open, Close };

// The strings handed to the media control interface, as they stand.
const wchar_t* doorCommandText(DoorCommand command);

class TwinMarks {
public:
    bool checked(Twin twin) const { return marks_[index(twin)]; }

    // A click on either item of a window pair: an unchecked pair shows the
    // window (an open one is brought forward) and checks both; a checked
    // pair closes it and clears both.
    WindowStep toggleWindow(Twin twin);

    // The window closed, by whatever means: both marks clear.
    void windowClosed(Twin twin) { marks_[index(twin)] = false; }

    // A click on either CD item: checked means the door was last sent open.
    DoorCommand toggleDoor();

    // True once, at the face's first paint: close a door left open before
    // the program started. The marks stay as they are.
    bool takeStartupClose();

private:
    static int index(Twin twin) { return static_cast<int>(twin); }
    bool marks_[3] = {false, false, false};
    bool startupCloseSent_ = false;
};

}  // namespace qv
