#pragma once
#include <string>
#include <vector>

#include "ui/Control.h"

namespace ui {

class Panel : public Control {
public:
    ControlKind Kind() const override { return ControlKind::Panel; }
};

class GroupBox : public Control {
public:
    ControlKind Kind() const override { return ControlKind::GroupBox; }
};

// One page of a page control: create it as a child of the page control.
class TabSheet : public Control {
public:
    ControlKind Kind() const override { return ControlKind::TabSheet; }
    // The page's position among its page control's pages, -1 outside a page control.
    int PageIndex() const;
};

// Pages are the TabSheet children in the order they were added. Setting the active page from code
// runs nothing; the operator's choice runs OnChange.
class PageControl : public Control {
public:
    ControlKind Kind() const override { return ControlKind::PageControl; }

    int PageCount() const;
    TabSheet* Page(int index) const;
    // -1 when there are no pages.
    int ActivePageIndex() const;
    TabSheet* ActivePage() const;
    // An index outside the pages is ignored.
    void SetActivePageIndex(int index);
    void SetActivePage(TabSheet* page);

    NotifyEvent OnChange;

    void Select(int index);

private:
    int active_ = 0;
};

enum class FormPosition : std::uint8_t { Designed, ScreenCenter };
// Sizeable: a main window the operator may resize. Dialog: a fixed-size window with a caption and
// a close button only, kept in front of the main window.
enum class FormBorderStyle : std::uint8_t { Sizeable, Dialog };

// A top-level window: the root of its control tree.
class Form : public Control {
public:
    Form();
    ControlKind Kind() const override { return ControlKind::Form; }

    FormPosition Position() const { return position_; }
    void SetPosition(FormPosition position) { position_ = position; }
    FormBorderStyle BorderStyle() const { return borderStyle_; }
    // Set before the form is first shown.
    void SetBorderStyle(FormBorderStyle style) { borderStyle_ = style; }
    const std::string& HelpFile() const { return helpFile_; }
    void SetHelpFile(const std::string& file) { helpFile_ = file; }
    int HelpContext() const { return helpContext_; }
    void SetHelpContext(int context) { helpContext_ = context; }

    void Show() { SetVisible(true); }
    void Hide() { SetVisible(false); }

private:
    FormPosition position_ = FormPosition::Designed;
    FormBorderStyle borderStyle_ = FormBorderStyle::Sizeable;
    std::string helpFile_;
    int helpContext_ = 0;
};

} // namespace ui
