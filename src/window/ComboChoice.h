#pragma once
// The operator's choice in an editable combo box. Qt reports a pick from
// the list, and a typed text only when it matches an item; a text typed and
// ended with Return (or by leaving the box) that matches none would reach
// nothing. Both run the same handler here, once per choice.
#include <functional>

class QComboBox;

namespace quillary {

void onComboChoice(QComboBox& box, std::function<void()> chosen);

}  // namespace quillary
