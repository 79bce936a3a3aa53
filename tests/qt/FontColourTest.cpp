#include <QAbstractButton>
#include <QImage>
#include <QLabel>

#include <gtest/gtest.h>

#include <cstdlib>

#include "BinderTestSupport.h"

namespace {

// Whether some pixel of the widget is of the colour's hue: glyph edges are smoothed, so the
// exact colour may appear nowhere.
bool Shows(QWidget& widget, QColor colour) {
  const QImage image = widget.grab().toImage();
  for (int y = 0; y < image.height(); ++y)
    for (int x = 0; x < image.width(); ++x) {
      const QColor pixel = image.pixelColor(x, y);
      if (pixel.hsvSaturation() > 128 && std::abs(pixel.hsvHue() - colour.hsvHue()) < 20) return true;
    }
  return false;
}

// The font colours a page's handlers give its controls show from the first drawing on, inside
// the page control as anywhere else.
TEST(FontColour, ControlsOnAPageAreDrawnInTheirFontColourAtFirstShow) {
  BoundForm form;
  auto* pages = form.Model().Add<ui::PageControl>("PageControl", 0, 0, 400, 120);
  auto* sheet = pages->Add<ui::TabSheet>("TabSheetFurie", 4, 24, 392, 92);
  sheet->SetCaption("Обработка данных");
  auto* group = sheet->Add<ui::GroupBox>("GroupBoxFurie", 4, 0, 200, 40);
  auto* chosen = group->Add<ui::RadioButton>("RadioButtonAmpl", 4, 16, 90, 17);
  auto* other = group->Add<ui::RadioButton>("RadioButtonPhase", 100, 16, 90, 17);
  auto* box = sheet->Add<ui::CheckBox>("CheckBoxShow", 210, 16, 90, 17);
  auto* label = sheet->Add<ui::Label>("LabelShow", 300, 16, 80, 17);
  chosen->SetCaption("WWWWW");
  other->SetCaption("WWWWW");
  box->SetCaption("WWWWW");
  label->SetCaption("WWWWW");
  chosen->SetChecked(true);
  chosen->SetFontColor(ui::clGreen);
  other->SetFontColor(ui::clRed);
  box->SetFontColor(ui::clBlue);
  label->SetFontColor(ui::clRed);
  form.Show();

  const std::pair<ui::Control*, QColor> expected[] = {
      {chosen, QColor(0, 128, 0)}, {other, QColor(255, 0, 0)}, {box, QColor(0, 0, 255)},
      {label, QColor(255, 0, 0)}};
  for (const auto& [control, colour] : expected) {
    QWidget* widget = qtfront::Binder::WidgetOf(*control);
    ASSERT_NE(widget, nullptr);
    EXPECT_TRUE(Shows(*widget, colour)) << control->Name();
  }
}

}  // namespace
