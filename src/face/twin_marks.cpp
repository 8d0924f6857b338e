#include "face/twin_marks.h"

namespace qv {

TwinItems itemsOf(Twin twin)
{
    switch (twin) {
    case Twin::Clock: return {MenuId::showclock, MenuId::hidefrmclock};
    case Twin::Options: return {MenuId::showfrmoptions, MenuId::frmop};
    case Twin::CdDoor: break;
    }
    return {MenuId::opencddrive, MenuId::opencd};
}

std::optional<Twin> twinOf(MenuId id)
{
    for (Twin t : {Twin::Clock, Twin::Options, Twin::CdDoor}) {
        const TwinItems items = itemsOf(t);
        if (id == items.faceItem || id == items.trayItem)
            return t;
    }
    return std::nullopt;
}

const wchar_t* doorCommandText(DoorCommand command)
{
    return command == DoorCommand::Open ? L"set CDAudio door open" : L"set CDAudio door closed";
}

WindowStep TwinMarks::toggleWindow(Twin twin)
{
    bool& mark = marks_[index(twin)];
    mark = !mark;
    return mark ? WindowStep::Show : WindowStep::Close;
}

DoorCommand TwinMarks::toggleDoor()
{
    bool& mark = marks_[index(Twin::CdDoor)];
    mark = !mark;
    return mark ? DoorCommand::Open : DoorCommand::Close;
}

bool TwinMarks::takeStartupClose()
{
    if (startupCloseSent_)
        return false;
    startupCloseSent_ = true;
    return true;
}

}  // namespace qv
