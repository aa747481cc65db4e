#pragma once
// A drop-down list as wide as its longest item, also after it is refilled.
// (QComboBox works out its smallest width once and keeps it, so a list
// refilled with shorter items would keep the width of its first ones.)

#include <QComboBox>

namespace ui {

class FieldList : public QComboBox {
public:
    explicit FieldList(QWidget* parent = nullptr) : QComboBox(parent) { setSizeAdjustPolicy(AdjustToContents); }
    QSize minimumSizeHint() const override { return sizeHint(); }
};

}  // namespace ui
