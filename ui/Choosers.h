#pragma once
#include <string>

#include "ui/Control.h"
#include "ui/StringList.h"

namespace ui {

// A drop-down list. ItemIndex -1 means no selection. Setting the index from code runs nothing;
// only the operator's choice runs OnChange. An index outside the items becomes -1, and so does
// the selection when the items shrink below it.
class ComboBox : public Control {
public:
    ComboBox();
    ControlKind Kind() const override { return ControlKind::ComboBox; }

    StringList& Items() { return items_; }
    const StringList& Items() const { return items_; }
    int ItemIndex() const { return itemIndex_; }
    void SetItemIndex(int index);
    // The selected item's text, empty without a selection.
    std::string Text() const;

    NotifyEvent OnChange;

    // The operator picks item `index`.
    void Select(int index);

private:
    void ItemsChanged();

    StringList items_;
    int itemIndex_ = -1;
};

// A track bar. Moving it from code clamps the position to Min..Max and runs OnChange at once,
// nested in the caller, only when the position really changes. Narrowing the range clamps the
// position the same way.
class TrackBar : public Control {
public:
    ControlKind Kind() const override { return ControlKind::TrackBar; }

    int Position() const { return position_; }
    void SetPosition(int position);
    int Min() const { return min_; }
    int Max() const { return max_; }
    void SetMin(int min);
    void SetMax(int max);
    void SetRange(int min, int max);

    NotifyEvent OnChange;

    // The operator drags the bar to `position`.
    void MoveTo(int position);

private:
    int min_ = 0;
    int max_ = 10;
    int position_ = 0;
};

} // namespace ui
