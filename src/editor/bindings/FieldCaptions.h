#pragma once
// The one caption of each register field. Every page of both families takes
// the caption of a control from here, so a field reads the same wherever a
// user meets it. Captions carry no trailing colon; a list's label adds it, a
// tick box shows the caption as its own text.

#include <string_view>
#include <vector>

#include "device/HSSDeviceFamily.h"
#include "device/RegisterField.h"
#include "editor/bindings/FieldBinding.h"

namespace editor {

// Caption of a field in a family; "" when the field has none.
std::string_view fieldCaption(hss_device_family_t family, const RegisterField& field);

// Caption of a row's control on the pages of a family (the caption of the
// field it edits); "" when the row has no control there.
std::string_view rowCaption(const FieldBinding& binding, hss_device_family_t family);

// Every field of a family that has a caption, in the caption table's order.
std::vector<RegisterField> captionedFields(hss_device_family_t family);

}  // namespace editor
