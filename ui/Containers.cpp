#include "ui/Containers.h"

#include "ui/Application.h"

namespace ui {

namespace {

std::vector<TabSheet*> PagesOf(const Control& pageControl) {
    std::vector<TabSheet*> pages;
    for (const auto& child : pageControl.Children()) {
        if (auto* page = dynamic_cast<TabSheet*>(child.get())) pages.push_back(page);
    }
    return pages;
}

} // namespace

int TabSheet::PageIndex() const {
    if (Parent() == nullptr || Parent()->Kind() != ControlKind::PageControl) return -1;
    const auto pages = PagesOf(*Parent());
    for (std::size_t i = 0; i < pages.size(); ++i) {
        if (pages[i] == this) return static_cast<int>(i);
    }
    return -1;
}

int PageControl::PageCount() const { return static_cast<int>(PagesOf(*this).size()); }

TabSheet* PageControl::Page(int index) const {
    const auto pages = PagesOf(*this);
    if (index < 0 || index >= static_cast<int>(pages.size())) return nullptr;
    return pages[static_cast<std::size_t>(index)];
}

int PageControl::ActivePageIndex() const { return PageCount() == 0 ? -1 : active_; }

TabSheet* PageControl::ActivePage() const { return Page(ActivePageIndex()); }

void PageControl::SetActivePageIndex(int index) {
    if (index < 0 || index >= PageCount()) return;
    Assign(active_, index, Property::ActivePage);
}

void PageControl::SetActivePage(TabSheet* page) {
    if (page != nullptr && page->Parent() == this) SetActivePageIndex(page->PageIndex());
}

void PageControl::Select(int index) {
    if (!Operable() || index < 0 || index >= PageCount()) return;
    Application.Dispatch([this, index] {
        if (Assign(active_, index, Property::ActivePage)) Fire(OnChange);
    });
}

Form::Form() { SetVisible(false); }

} // namespace ui
