#pragma once
// Fills a combo box's list without disturbing the text it shows: Qt would
// show the first item when items are added to an empty list.
#include <QComboBox>
#include <QString>
#include <QStringList>

namespace quillary {

inline void replaceList(QComboBox& combo, const QStringList& items, const QString& text) {
  combo.clear();
  combo.addItems(items);
  combo.setEditText(text);
}

}  // namespace quillary
