#pragma once

#include <QComboBox>
#include <QSlider>

#include "qt/Binder.h"
#include "ui/Choosers.h"

namespace qtfront {

// Only the operator's choice reaches the model (Select); an index set from code shows quietly.
class ComboBoxBinder : public Binder {
  Q_OBJECT
 public:
  ComboBoxBinder(ui::ComboBox& combo, QComboBox* box);

 protected:
  void Apply(ui::Property what) override;
  bool ColorIsBackground() const override { return true; }

 private:
  void ShowItems();
  void ShowIndex();

  ui::ComboBox& combo_;
  QComboBox* box_;
};

// The operator's drag becomes MoveTo; the model may step the position back, which the slider
// then follows.
class TrackBarBinder : public Binder {
  Q_OBJECT
 public:
  TrackBarBinder(ui::TrackBar& track, QSlider* slider);

 protected:
  void Apply(ui::Property what) override;

 private:
  void ShowPosition();

  ui::TrackBar& track_;
  QSlider* slider_;
  bool showing_ = false;
};

}  // namespace qtfront
