#include <QCheckBox>
#include <QComboBox>
#include <QFocusEvent>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QPointer>
#include <QRadioButton>
#include <QSlider>
#include <QTabWidget>
#include <QTest>
#include <QTimer>
#include <QToolButton>

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <string>
#include <utility>

#include "BinderTestSupport.h"
#include "qt/QtFrontEnd.h"
#include "qt/StaticBinders.h"

namespace {

TEST(CheckBoxBinder, ShowsTheModelAndRunsTheHandlerOncePerOperatorClick) {
  BoundForm form;
  auto* box = form.Model().Add<ui::CheckBox>("Box", 8, 8, 80, 17);
  Counter clicks;
  box->OnClick = clicks.Handler();
  form.Show();
  auto* widget = BoundForm::WidgetOf<QCheckBox>(*box);
  ASSERT_NE(widget, nullptr);

  box->SetChecked(true);  // from code: the model's own rule runs the handler once
  EXPECT_TRUE(widget->isChecked());
  EXPECT_EQ(clicks.runs, 1);

  widget->click();
  EXPECT_FALSE(box->Checked());
  EXPECT_FALSE(widget->isChecked());
  EXPECT_EQ(clicks.runs, 2);
}

TEST(SpeedButtonBinder, PressesFollowTheGroupRulesAndPictureButtonsGetAnIcon) {
  BoundForm form;
  auto* timing = form.Model().Add<ui::SpeedButton>("SpeedButtonTiming", 1, 8, 22, 22);
  timing->SetGroupIndex(6);
  timing->SetCaption("T");
  auto* open = form.Model().Add<ui::SpeedButton>("SpeedButtonOpen", 4, 14, 40, 40);
  auto* a = form.Model().Add<ui::SpeedButton>("A", 50, 14, 40, 40);
  auto* b = form.Model().Add<ui::SpeedButton>("B", 90, 14, 40, 40);
  a->SetGroupIndex(3);
  b->SetGroupIndex(3);
  a->SetDown(true);
  Counter clicks;
  timing->OnClick = clicks.Handler();
  form.Show();
  auto* widget = BoundForm::WidgetOf<QToolButton>(*timing);
  ASSERT_NE(widget, nullptr);
  EXPECT_EQ(widget->text(), "T");
  EXPECT_FALSE(BoundForm::WidgetOf<QToolButton>(*open)->icon().isNull());

  for (int press = 1; press <= 3; ++press) {
    widget->click();
    EXPECT_TRUE(widget->isChecked()) << "a button that may not come up stays down, press " << press;
  }
  EXPECT_EQ(clicks.runs, 3);

  BoundForm::WidgetOf<QToolButton>(*b)->click();
  EXPECT_TRUE(BoundForm::WidgetOf<QToolButton>(*b)->isChecked());
  EXPECT_FALSE(BoundForm::WidgetOf<QToolButton>(*a)->isChecked()) << "its group mate pops up";
}

TEST(RadioButtonBinder, ClickOnTheCheckedButtonRunsNothingAndKeepsIt) {
  BoundForm form;
  auto* first = form.Model().Add<ui::RadioButton>("First", 8, 8, 80, 17);
  auto* second = form.Model().Add<ui::RadioButton>("Second", 8, 28, 80, 17);
  first->SetChecked(true);
  Counter clicks;
  first->OnClick = clicks.Handler();
  second->OnClick = clicks.Handler();
  form.Show();

  BoundForm::WidgetOf<QRadioButton>(*first)->click();
  EXPECT_EQ(clicks.runs, 0);
  EXPECT_TRUE(BoundForm::WidgetOf<QRadioButton>(*first)->isChecked());

  BoundForm::WidgetOf<QRadioButton>(*second)->click();
  EXPECT_EQ(clicks.runs, 1);
  EXPECT_TRUE(second->Checked());
  EXPECT_FALSE(BoundForm::WidgetOf<QRadioButton>(*first)->isChecked());
}

TEST(EditBinder, TypingChangesTheTextAndLeavingRunsTheExitHandler) {
  BoundForm form;
  auto* edit = form.Model().Add<ui::Edit>("EditFT", 17, 40, 30, 21);
  auto* other = form.Model().Add<ui::Edit>("Other", 17, 70, 30, 21);
  edit->SetText("10");
  Counter changes, exits;
  edit->OnChange = changes.Handler();
  edit->OnExit = exits.Handler();
  form.Show();
  auto* line = BoundForm::WidgetOf<QLineEdit>(*edit);
  EXPECT_EQ(line->text(), "10");

  line->selectAll();
  QTest::keyClicks(line, "14");
  EXPECT_EQ(edit->Text(), "14");
  EXPECT_EQ(changes.runs, 2);  // one per key, as typing does

  QFocusEvent toOther(QEvent::FocusOut, Qt::TabFocusReason);
  QApplication::sendEvent(line, &toOther);
  EXPECT_EQ(exits.runs, 1);
  // Another program taking the focus is not leaving the edit.
  QFocusEvent toAnotherWindow(QEvent::FocusOut, Qt::ActiveWindowFocusReason);
  QApplication::sendEvent(line, &toAnotherWindow);
  EXPECT_EQ(exits.runs, 1);

  other->SetText("x");  // from code: shown, no handler of the first edit
  EXPECT_EQ(BoundForm::WidgetOf<QLineEdit>(*other)->text(), "x");
  EXPECT_EQ(changes.runs, 2);
}

// What a text widget shows and where its cursor stands.
std::pair<std::string, int> TextAndCursor(QWidget* widget) {
  if (auto* line = qobject_cast<QLineEdit*>(widget))
    return {line->text().toStdString(), line->cursorPosition()};
  auto* memo = qobject_cast<QPlainTextEdit*>(widget);
  return {memo->toPlainText().toStdString(), memo->textCursor().position()};
}

TEST(EditBinders, KeysShowAsTypedWhereTheOperatorPutsTheCursorAndAHandlersTextShows) {
  BoundForm form;
  auto* edit = form.Model().Add<ui::Edit>("EditFT", 8, 8, 120, 21);
  auto* masked = form.Model().Add<ui::MaskEdit>("EditKH", 8, 40, 120, 21);
  auto* memo = form.Model().Add<ui::Memo>("MemoMetGarm", 8, 70, 120, 41);
  // Handlers that put the text back their own way: a decimal comma becomes a point.
  auto pointFor = [](std::string text) {
    std::replace(text.begin(), text.end(), ',', '.');
    return text;
  };
  edit->OnChange = [&](ui::Control*) { edit->SetText(pointFor(edit->Text())); };
  masked->OnChange = [&](ui::Control*) { masked->SetText(pointFor(masked->Text())); };
  memo->OnChange = [&](ui::Control*) { memo->SetText(pointFor(memo->Text())); };
  form.Show();
  const std::pair<ui::Control*, std::function<std::string()>> controls[] = {
      {edit, [&] { return edit->Text(); }},
      {masked, [&] { return masked->Text(); }},
      {memo, [&] { return memo->Lines().Empty() ? std::string() : memo->Lines()[0]; }},
  };
  for (const auto& [control, modelText] : controls) {
    SCOPED_TRACE(control->Name());
    QWidget* widget = qtfront::Binder::WidgetOf(*control);
    widget->setFocus();
    QTest::keyClicks(widget, "12 345 6");
    EXPECT_EQ(TextAndCursor(widget), std::make_pair(std::string("12 345 6"), 8));
    EXPECT_EQ(modelText(), "12 345 6");

    QTest::keyClick(widget, Qt::Key_Home);
    QTest::keyClick(widget, Qt::Key_Right);
    QTest::keyClick(widget, Qt::Key_Right);
    QTest::keyClicks(widget, "0");
    EXPECT_EQ(TextAndCursor(widget), std::make_pair(std::string("120 345 6"), 3));
    EXPECT_EQ(modelText(), "120 345 6");

    QTest::keyClick(widget, Qt::Key_End);
    QTest::keyClicks(widget, ",5");
    EXPECT_EQ(TextAndCursor(widget), std::make_pair(std::string("120 345 6.5"), 11));
    EXPECT_EQ(modelText(), "120 345 6.5");
  }
  // A line break typed at the end stays, though the memo's lines have no empty last line.
  QWidget* lines = qtfront::Binder::WidgetOf(*memo);
  QTest::keyClick(lines, Qt::Key_Return);
  QTest::keyClicks(lines, "7");
  EXPECT_EQ(TextAndCursor(lines), std::make_pair(std::string("120 345 6.5\n7"), 13));
  EXPECT_EQ(memo->Lines().Strings(), (std::vector<std::string>{"120 345 6.5", "7"}));
}

TEST(ComboBoxBinder, IndexFromCodeShowsQuietlyAndTheOperatorsChoiceRunsOnChange) {
  BoundForm form;
  auto* combo = form.Model().Add<ui::ComboBox>("ComboBoxY", 8, 8, 60, 21);
  combo->Items().Assign({"шт", "мВ", " В"});
  Counter changes;
  combo->OnChange = changes.Handler();
  form.Show();
  auto* box = BoundForm::WidgetOf<QComboBox>(*combo);
  EXPECT_EQ(box->count(), 3);
  EXPECT_EQ(box->currentIndex(), -1);

  combo->SetItemIndex(1);
  EXPECT_EQ(box->currentIndex(), 1);
  EXPECT_EQ(changes.runs, 0);

  emit box->activated(2);
  EXPECT_EQ(combo->ItemIndex(), 2);
  EXPECT_EQ(changes.runs, 1);

  combo->Items().Assign({"a"});  // the selection falls off the shorter list
  EXPECT_EQ(box->count(), 1);
  EXPECT_EQ(box->currentIndex(), -1);
}

TEST(TrackBarBinder, PositionFromCodeRunsTheHandlerOnlyOnceAndTheSliderFollows) {
  BoundForm form;
  auto* track = form.Model().Add<ui::TrackBar>("TrackBarQ", 8, 8, 150, 30);
  track->SetRange(0, 10);
  Counter changes;
  track->OnChange = changes.Handler();
  form.Show();
  auto* slider = BoundForm::WidgetOf<QSlider>(*track);

  track->SetPosition(7);
  EXPECT_EQ(slider->value(), 7);
  EXPECT_EQ(changes.runs, 1);

  // The handler steps an out-of-range choice back; the slider shows where the model ended.
  track->OnChange = [&](ui::Control*) {
    ++changes.runs;
    if (track->Position() > 8) track->SetPosition(track->Position() - 1);
  };
  slider->setValue(10);
  EXPECT_EQ(track->Position(), 8);
  EXPECT_EQ(slider->value(), 8);
}

TEST(PageControlBinder, PagesShowCaptionsAndOnlyTheOperatorsChoiceRunsOnChange) {
  BoundForm form;
  auto* pages = form.Model().Add<ui::PageControl>("PageControl", 0, 0, 300, 69);
  for (const char* caption : {"Сбор данных", "АЧХ и ФЧХ", "Балансировка"}) {
    auto* sheet = pages->Add<ui::TabSheet>(caption, 4, 24, 292, 41);
    sheet->SetCaption(caption);
    sheet->SetHint(std::string("hint ") + caption);
  }
  Counter changes;
  pages->OnChange = changes.Handler();
  form.Show();
  auto* tabs = BoundForm::WidgetOf<QTabWidget>(*pages);
  ASSERT_EQ(tabs->count(), 3);
  EXPECT_EQ(tabs->tabText(1), "АЧХ и ФЧХ");
  EXPECT_EQ(tabs->tabToolTip(2), "hint Балансировка");

  pages->SetActivePageIndex(2);
  EXPECT_EQ(tabs->currentIndex(), 2);
  EXPECT_EQ(changes.runs, 0);

  tabs->setCurrentIndex(1);
  EXPECT_EQ(pages->ActivePageIndex(), 1);
  EXPECT_EQ(changes.runs, 1);
}

TEST(StaticBinders, LabelsShapesAndStatusPanelsFollowTheModel) {
  BoundForm form;
  auto* label = form.Model().Add<ui::Label>("LabelC3", 2, 30, 8, 24);
  auto* shape = form.Model().Add<ui::Shape>("ShapeADC", 10, 26, 20, 20);
  auto* bar = form.Model().Add<ui::StatusBar>("StatusBar", 0, 300, 400, 19);
  label->SetCaption("*");
  shape->SetType(ui::ShapeType::Circle);
  shape->SetColor(ui::clRed);
  bar->AddPanel({"Версия ОС :  ", 200, ui::Alignment::Center});
  Counter clicks;
  label->OnClick = clicks.Handler();
  form.Show();

  auto* text = BoundForm::WidgetOf<QLabel>(*label);
  EXPECT_EQ(text->text(), "*");
  label->SetFontColor(ui::clLime);
  EXPECT_EQ(text->palette().color(QPalette::WindowText), QColor(0, 255, 0));
  EXPECT_FALSE(text->font().underline());
  label->SetFont({.Name = "Arial", .Size = 10, .Color = ui::clLime, .Bold = true, .Underline = true});
  EXPECT_TRUE(text->font().underline());
  EXPECT_TRUE(text->font().bold());
  QTest::mouseClick(text, Qt::LeftButton);
  EXPECT_EQ(clicks.runs, 1);

  auto* circle = BoundForm::WidgetOf<qtfront::ShapeWidget>(*shape);
  EXPECT_EQ(circle->Brush(), QColor(255, 0, 0));
  shape->SetColor(ui::clGreen);
  EXPECT_EQ(circle->Brush(), QColor(0, 128, 0));

  bar->SetPanelText(0, "Версия ОС :  Linux");
  auto* panels = qobject_cast<qtfront::StatusBarBinder*>(qtfront::Binder::Of(*bar));
  ASSERT_NE(panels, nullptr);
  EXPECT_EQ(panels->PanelLabel(0)->text(), "Версия ОС :  Linux");
  EXPECT_EQ(panels->PanelLabel(0)->width(), 200);
}

TEST(MemoBinder, AppendedLinesAreAddedAndAClearEmptiesTheView) {
  BoundForm form;
  auto* memo = form.Model().Add<ui::Memo>("Memo", 24, 0, 300, 100);
  form.Show();
  auto* text = BoundForm::WidgetOf<QPlainTextEdit>(*memo);
  memo->Lines().Add("первая");
  memo->Lines().Add("вторая");
  EXPECT_EQ(text->toPlainText(), "первая\nвторая");
  memo->Lines().Clear();
  EXPECT_EQ(text->toPlainText(), "");
}

TEST(Binder, CommonPropertiesAndControlsAddedLaterShow) {
  BoundForm form;
  auto* group = form.Model().Add<ui::GroupBox>("GroupBoxQuev", 134, 2, 108, 63);
  group->SetCaption(" АЦП,  ЦАП ");
  form.Show();
  auto* box = BoundForm::WidgetOf<QGroupBox>(*group);
  EXPECT_EQ(box->title(), " АЦП,  ЦАП ");
  EXPECT_EQ(box->geometry(), QRect(134, 2, 108, 63));

  group->SetHint("Панель подключения модуля АЦП/ЦАП");
  group->SetEnabled(false);
  EXPECT_EQ(box->toolTip(), "Панель подключения модуля АЦП/ЦАП");
  EXPECT_FALSE(box->isEnabled());

  auto* late = group->Add<ui::CheckBox>("Late", 4, 20, 50, 17);
  late->SetVisible(false);
  auto* lateWidget = BoundForm::WidgetOf<QCheckBox>(*late);
  ASSERT_NE(lateWidget, nullptr);
  EXPECT_EQ(lateWidget->parentWidget(), box);
  EXPECT_FALSE(lateWidget->isVisibleTo(box));
}

TEST(Binder, AlignedChildrenShareTheClientAreaLikeTheInstrument) {
  BoundForm form;
  form.Model().SetBounds(0, 0, 1024, 700);
  auto* top = form.Model().Add<ui::Panel>("PanelLOptions", 0, 0, 1016, 69);
  auto* bottom = form.Model().Add<ui::StatusBar>("StatusBar", 0, 654, 1016, 19);
  auto* left = form.Model().Add<ui::Panel>("PanelChannel", 0, 69, 50, 585);
  auto* client = form.Model().Add<ui::Panel>("PanelChart", 50, 69, 966, 585);
  top->SetAlign(ui::Align::Top);
  bottom->SetAlign(ui::Align::Bottom);
  left->SetAlign(ui::Align::Left);
  client->SetAlign(ui::Align::Client);
  QWidget* window = form.Show();
  EXPECT_EQ(window->size(), QSize(1016, 673));
  EXPECT_EQ(qtfront::Binder::WidgetOf(*top)->geometry(), QRect(0, 0, 1016, 69));
  EXPECT_EQ(qtfront::Binder::WidgetOf(*bottom)->geometry(), QRect(0, 654, 1016, 19));
  EXPECT_EQ(qtfront::Binder::WidgetOf(*left)->geometry(), QRect(0, 69, 50, 585));
  EXPECT_EQ(qtfront::Binder::WidgetOf(*client)->geometry(), QRect(50, 69, 966, 585));

  window->resize(1216, 773);  // the chart takes what the window gains
  EXPECT_EQ(qtfront::Binder::WidgetOf(*client)->geometry(), QRect(50, 69, 1166, 685));
}

TEST(Binder, DestroyedControlTakesItsWidgetAlong) {
  QPointer<QWidget> window;
  QPointer<QWidget> child;
  {
    BoundForm form;
    auto* box = form.Model().Add<ui::CheckBox>("Box", 8, 8, 80, 17);
    window = form.Show();
    child = qtfront::Binder::WidgetOf(*box);
    ASSERT_TRUE(child);
  }
  EXPECT_TRUE(window.isNull());
  EXPECT_TRUE(child.isNull());
}

}  // namespace

namespace {

TEST(FormBinder, ClosingASecondaryWindowHidesItsFormAndTheMainWindowEndsTheLoop) {
  BoundForm options;
  QWidget* window = options.Show();
  ASSERT_TRUE(window->isVisible());
  window->close();
  EXPECT_FALSE(options.Model().Visible());
  options.Model().Show();
  EXPECT_TRUE(window->isVisible());

  BoundForm main;
  main.Model().SetCaption("  ДОРВАЛИН   в.1.02");
  qtfront::QtFrontEnd frontEnd;
  QWidget* mainWindow = frontEnd.BindForm(main.Model(), true);
  main.Model().Show();
  EXPECT_EQ(mainWindow->windowTitle(), "  ДОРВАЛИН   в.1.02");
  QTimer::singleShot(0, mainWindow, &QWidget::close);
  QTimer failsafe;
  failsafe.setSingleShot(true);
  QObject::connect(&failsafe, &QTimer::timeout, [] {
    ADD_FAILURE() << "the loop did not end";
    QCoreApplication::quit();
  });
  failsafe.start(5000);
  frontEnd.RunMessageLoop();
  EXPECT_TRUE(main.Model().Visible());  // the main form stays as it is: the program ends instead
}

}  // namespace
