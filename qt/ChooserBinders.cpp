#include "qt/ChooserBinders.h"

#include <QSignalBlocker>

#include "qt/Convert.h"

namespace qtfront {

ComboBoxBinder::ComboBoxBinder(ui::ComboBox& combo, QComboBox* box)
    : Binder(combo, box), combo_(combo), box_(box) {
  connect(box_, &QComboBox::activated, this, [this](int index) {
    if (!CanOperate()) return;
    Operate([&] { combo_.Select(index); });
    if (Model() != nullptr) ShowIndex();
  });
}

void ComboBoxBinder::ShowItems() {
  const QSignalBlocker block(box_);
  box_->clear();
  // Blanks around an item centred it in the instrument's boxes; a Qt combo box draws its text
  // from the left, where they would only push it out of sight.
  for (const std::string& item : combo_.Items().Strings()) box_->addItem(ToQString(item).trimmed());
  ShowIndex();
  FitText();
}

void ComboBoxBinder::ShowIndex() {
  const QSignalBlocker block(box_);
  box_->setCurrentIndex(combo_.ItemIndex());
}

void ComboBoxBinder::Apply(ui::Property what) {
  switch (what) {
    case ui::Property::Items:
      ShowItems();
      break;
    case ui::Property::ItemIndex:
    case ui::Property::Text:
      ShowIndex();
      break;
    default:
      Binder::Apply(what);
  }
}

TrackBarBinder::TrackBarBinder(ui::TrackBar& track, QSlider* slider)
    : Binder(track, slider), track_(track), slider_(slider) {
  slider_->setOrientation(track.Height() > track.Width() ? Qt::Vertical : Qt::Horizontal);
  slider_->setTickPosition(QSlider::TicksBelow);
  slider_->setTickInterval(1);
  slider_->setPageStep(1);
  connect(slider_, &QSlider::valueChanged, this, [this](int position) {
    if (showing_ || !CanOperate()) return;
    Operate([&] { track_.MoveTo(position); });
    if (Model() != nullptr) ShowPosition();
  });
}

void TrackBarBinder::ShowPosition() {
  showing_ = true;
  slider_->setRange(track_.Min(), track_.Max());
  slider_->setValue(track_.Position());
  showing_ = false;
}

void TrackBarBinder::Apply(ui::Property what) {
  switch (what) {
    case ui::Property::Range:
    case ui::Property::Position:
      ShowPosition();
      break;
    case ui::Property::Bounds:
      slider_->setOrientation(track_.Height() > track_.Width() ? Qt::Vertical : Qt::Horizontal);
      Binder::Apply(what);
      break;
    default:
      Binder::Apply(what);
  }
}

}  // namespace qtfront
