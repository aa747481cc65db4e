#pragma once
// A drop-down list a user can also type into to jump to an item (the
// 256-step PWM duty lists). The list stays a list: typing completes to
// listed items only, and the selected index stays the field value. Text that
// is no item is refused as it is typed; leaving the box with an unfinished
// text puts the selected item's text back.

class QComboBox;

namespace ui {

void makeTypeable(QComboBox* list);

}  // namespace ui
