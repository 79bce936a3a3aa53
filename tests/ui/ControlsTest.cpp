#include <stdexcept>
#include <vector>

#include "ScriptedFixture.h"

namespace {

using ControlsTest = ScriptedFormTest;

TEST_F(ControlsTest, TrackBarFromCodeClampsAndFiresNestedOnlyOnRealChange) {
    auto* bar = form.Add<ui::TrackBar>("bar");
    bar->SetRange(1, 26);
    std::vector<int> seen;
    bar->OnChange = [&](ui::Control*) {
        seen.push_back(bar->Position());
        // Stepping back from inside the handler runs the handler again, nested.
        if (bar->Position() > 20) bar->SetPosition(bar->Position() - 1);
    };
    bar->SetPosition(99);
    EXPECT_EQ(bar->Position(), 20);
    EXPECT_EQ(seen, (std::vector<int>{26, 25, 24, 23, 22, 21, 20}));

    seen.clear();
    bar->SetPosition(20);
    bar->SetPosition(-5);
    EXPECT_EQ(bar->Position(), 1);
    EXPECT_EQ(seen, (std::vector<int>{1}));

    seen.clear();
    bar->SetRange(5, 8);  // narrowing the range moves the position, which is a change
    EXPECT_EQ(seen, (std::vector<int>{5}));
}

TEST_F(ControlsTest, ComboBoxIndexFromCodeFiresNothingAndMinusOneMeansNoSelection) {
    auto* combo = form.Add<ui::ComboBox>("combo");
    int changes = 0;
    combo->OnChange = [&](ui::Control*) { ++changes; };
    EXPECT_EQ(combo->ItemIndex(), -1);
    EXPECT_EQ(combo->Text(), "");

    combo->Items().Assign({"шт", "мс", "с", "мин"});
    combo->SetItemIndex(2);
    EXPECT_EQ(changes, 0);
    EXPECT_EQ(combo->Text(), "с");

    combo->SetItemIndex(7);
    EXPECT_EQ(combo->ItemIndex(), -1);

    combo->Select(3);
    EXPECT_EQ(changes, 1);
    EXPECT_EQ(combo->ItemIndex(), 3);

    combo->Items().Delete(3);  // the selection shrinks away
    EXPECT_EQ(combo->ItemIndex(), -1);
    combo->Items().Clear();
    combo->Select(0);  // nothing to pick
    EXPECT_EQ(changes, 1);
}

TEST_F(ControlsTest, SpeedButtonGroupsChangeDownBeforeTheHandlerAndPopUpMates) {
    auto* a = form.Add<ui::SpeedButton>("a");
    auto* b = form.Add<ui::SpeedButton>("b");
    auto* other = form.Add<ui::SpeedButton>("other");
    for (auto* button : {a, b}) {
        button->SetGroupIndex(1);
        button->SetAllowAllUp(true);
    }
    other->SetGroupIndex(2);
    other->SetAllowAllUp(true);
    other->SetDown(true);

    bool downInHandler = false;
    a->OnClick = [&](ui::Control*) { downInHandler = a->Down(); };
    a->Click();
    EXPECT_TRUE(downInHandler);
    b->Click();
    EXPECT_FALSE(a->Down());
    EXPECT_TRUE(b->Down());
    EXPECT_TRUE(other->Down()) << "another group is not touched";
    b->Click();
    EXPECT_FALSE(b->Down()) << "all up is allowed";

    other->SetAllowAllUp(false);
    other->Click();
    other->SetDown(false);
    EXPECT_TRUE(other->Down()) << "without all up allowed it never comes up";

    auto* plain = form.Add<ui::SpeedButton>("plain");
    plain->SetDown(true);
    EXPECT_FALSE(plain->Down()) << "a button of group 0 is never down";
}

TEST_F(ControlsTest, CheckBoxChangeFromCodeRunsClickHandlerOnce) {
    auto* box = form.Add<ui::CheckBox>("box");
    int clicks = 0;
    box->OnClick = [&](ui::Control*) { ++clicks; };
    box->SetChecked(true);
    box->SetChecked(true);
    EXPECT_EQ(clicks, 1);
    box->Click();
    EXPECT_FALSE(box->Checked());
    EXPECT_EQ(clicks, 2);
    box->PerformClick();  // a click from code runs the handler only
    EXPECT_FALSE(box->Checked());
    EXPECT_EQ(clicks, 3);
}

TEST_F(ControlsTest, RadioButtonsOfOneParentAreExclusive) {
    auto* group1 = form.Add<ui::GroupBox>("g1");
    auto* group2 = form.Add<ui::GroupBox>("g2");
    auto* yes = group1->Add<ui::RadioButton>("yes");
    auto* no = group1->Add<ui::RadioButton>("no");
    auto* elsewhere = group2->Add<ui::RadioButton>("elsewhere");
    int clicks = 0;
    no->OnClick = [&](ui::Control*) { ++clicks; };
    yes->SetChecked(true);
    elsewhere->SetChecked(true);
    no->Click();
    EXPECT_TRUE(no->Checked());
    EXPECT_FALSE(yes->Checked());
    EXPECT_TRUE(elsewhere->Checked());
    no->Click();  // already checked: nothing
    EXPECT_EQ(clicks, 1);
}

TEST_F(ControlsTest, EditExitFiresOnEveryLeaveAndTextChangesFireOnChange) {
    auto* edit = form.Add<ui::Edit>("edit");
    int exits = 0, changes = 0;
    edit->OnExit = [&](ui::Control*) { ++exits; };
    edit->OnChange = [&](ui::Control*) { ++changes; };
    edit->Leave();
    edit->Leave();
    EXPECT_EQ(exits, 2);
    edit->SetText("10");
    edit->Type("10");
    edit->Type("12");
    EXPECT_EQ(changes, 2);
    EXPECT_EQ(edit->Text(), "12");
}

TEST_F(ControlsTest, MemoLinesBehaveAsAListOfStrings) {
    auto* memo = form.Add<ui::Memo>("memo");
    EXPECT_EQ(memo->Lines().Count(), 0);
    memo->Lines().Add("first");
    memo->Lines().Add("second");
    EXPECT_EQ(memo->Lines().Count(), 2);
    EXPECT_EQ(memo->Lines()[1], "second");
    EXPECT_EQ(memo->Text(), "first\r\nsecond\r\n");
    EXPECT_THROW(memo->Lines()[2], std::out_of_range);

    memo->SetText("a\r\nb\nc\r\n");
    EXPECT_EQ(memo->Lines().Strings(), (std::vector<std::string>{"a", "b", "c"}));
    memo->SetText("x\r\n\r\n");
    EXPECT_EQ(memo->Lines().Strings(), (std::vector<std::string>{"x", ""}));
}

TEST_F(ControlsTest, PageControlActivePageFromCodeFiresNothing) {
    auto* pages = form.Add<ui::PageControl>("pages");
    auto* first = pages->Add<ui::TabSheet>("first");
    auto* second = pages->Add<ui::TabSheet>("second");
    int changes = 0;
    pages->OnChange = [&](ui::Control*) { ++changes; };
    EXPECT_EQ(pages->ActivePage(), first);
    pages->SetActivePageIndex(1);
    EXPECT_EQ(pages->ActivePage(), second);
    EXPECT_EQ(second->PageIndex(), 1);
    pages->SetActivePageIndex(5);
    EXPECT_EQ(pages->ActivePageIndex(), 1);
    EXPECT_EQ(changes, 0);
    pages->Select(0);
    EXPECT_EQ(changes, 1);
}

TEST_F(ControlsTest, HiddenOrDisabledControlsIgnoreTheOperator) {
    auto* panel = form.Add<ui::Panel>("panel");
    auto* button = panel->Add<ui::Button>("button");
    auto* combo = panel->Add<ui::ComboBox>("combo");
    combo->Items().Add("one");
    int events = 0;
    button->OnClick = [&](ui::Control*) { ++events; };
    combo->OnChange = [&](ui::Control*) { ++events; };

    panel->SetEnabled(false);
    button->Click();
    combo->Select(0);
    EXPECT_EQ(events, 0);
    EXPECT_EQ(combo->ItemIndex(), -1);

    panel->SetEnabled(true);
    button->SetVisible(false);
    button->Click();
    EXPECT_EQ(events, 0);
    button->PerformClick();  // code may click a hidden button
    EXPECT_EQ(events, 1);
}

TEST_F(ControlsTest, ObserversHearWhichPropertyChangedAndUpdatesCoalesce) {
    auto* label = form.Add<ui::Label>("label");
    std::vector<ui::Property> heard;
    const auto id = label->Subscribe([&](ui::Control&, ui::Property what) { heard.push_back(what); });
    label->SetCaption("*");
    label->SetCaption("*");
    label->SetFontColor(ui::clRed);
    EXPECT_EQ(heard, (std::vector<ui::Property>{ui::Property::Caption, ui::Property::Font}));

    heard.clear();
    label->BeginUpdate();
    label->SetCaption("a");
    label->SetCaption("b");
    label->SetHint("h");
    EXPECT_TRUE(heard.empty());
    label->EndUpdate();
    EXPECT_EQ(heard, (std::vector<ui::Property>{ui::Property::Caption, ui::Property::Hint}));

    label->Unsubscribe(id);
    label->SetCaption("c");
    EXPECT_EQ(heard.size(), 2u);
}

} // namespace
