#pragma once

#include "CoordinateText.h"
#include "resource.h"

#include <algorithm>
#include <iterator>

// Where a coordinate pasted into an input field goes. It needs two operations of the window:
// dialog.GetDlgItem(id) reaches a field, and the field's SetWindowText(text) replaces its text.
// The program's dialog replaces a field's text so that the edit's undo gives it back; the tests
// run it on a fake window.

// The longitude and latitude input fields of one group.
struct InputGroup {
    int longitude;
    int latitude;
};

constexpr InputGroup kInputGroups[] = {{IDC_CORRECT_LON_IN, IDC_CORRECT_LAT_IN},
                                       {IDC_OFFSET_LON_IN, IDC_OFFSET_LAT_IN}};

// The group of an input field, or null for any other id.
inline const InputGroup* inputGroupOf(int id) {
    const InputGroup* found = std::find_if(
        std::begin(kInputGroups), std::end(kInputGroups),
        [id](const InputGroup& group) { return group.longitude == id || group.latitude == id; });
    return found != std::end(kInputGroups) ? found : nullptr;
}

// Which value an input field holds; Unnamed for any other id.
inline Axis axisOfField(int id) {
    const InputGroup* group = inputGroupOf(id);
    if (group == nullptr) {
        return Axis::Unnamed;
    }
    return group->longitude == id ? Axis::Longitude : Axis::Latitude;
}

// Writes what was recognised in a text pasted into field pastedInto to the fields of its group:
// a pair to both, longitude first, whichever was pasted into; one value to the field its axis
// names. Returns false, having written nothing, when the text is to be pasted as it stands.
template <class Dialog>
bool placePastedCoordinate(Dialog& dialog, int pastedInto, const RecognisedCoordinate& pasted) {
    const InputGroup* group = inputGroupOf(pastedInto);
    if (group == nullptr) {
        return false;
    }
    switch (pasted.form) {
    case PastedForm::Pair:
        dialog.GetDlgItem(group->longitude).SetWindowText(pasted.longitude.text);
        dialog.GetDlgItem(group->latitude).SetWindowText(pasted.latitude.text);
        return true;
    case PastedForm::OneValue: {
        const Axis axis = pasted.value.axis;
        const int field = axis == Axis::Longitude  ? group->longitude
                          : axis == Axis::Latitude ? group->latitude
                                                   : pastedInto;
        dialog.GetDlgItem(field).SetWindowText(pasted.value.text);
        return true;
    }
    case PastedForm::AsItStands:
        break;
    }
    return false;
}
