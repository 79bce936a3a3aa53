#include "ui/Edits.h"

#include "ui/Application.h"

namespace ui {

void Edit::SetText(const std::string& text) {
    if (Assign(text_, text, Property::Text)) Fire(OnChange);
}

void Edit::Type(const std::string& text) {
    if (!Operable()) return;
    Application.Dispatch([this, &text] { SetText(text); });
}

void Edit::Leave() {
    if (!Operable()) return;
    Application.Dispatch([this] { Fire(OnExit); });
}

void MaskEdit::SetEditMask(const std::string& mask) { Assign(editMask_, mask, Property::EditMask); }

Memo::Memo()
    : lines_([this] {
          Notify(Property::Lines);
          Fire(OnChange);
      }) {}

void Memo::Type(const std::string& text) {
    if (!Operable()) return;
    Application.Dispatch([this, &text] { SetText(text); });
}

void Memo::Leave() {
    if (!Operable()) return;
    Application.Dispatch([this] { Fire(OnExit); });
}

} // namespace ui
