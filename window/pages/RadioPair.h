#pragma once
// A pair of radio buttons in a group box whose choice shows in the fonts: green for the chosen
// button, red for the other. The pages' handlers act only when the clicked button is still red.

#include <tuple>

#include "ui/Controls.h"

struct RadioPairLayout {
    const char* box;
    const char* caption;
    int left;
    const char* names[2];
    const char* captions[2];
    int chosen = 0;  // the button checked and green at the start
    int width = 96;  // of the group box; the buttons share it
};

std::tuple<ui::GroupBox*, ui::RadioButton*, ui::RadioButton*> AddRadioPair(ui::TabSheet& page,
                                                                           const RadioPairLayout& layout);

// Turns `chosen` green and `partner` red when `chosen` is red; true when it did. Choosing again
// what is chosen changes nothing.
bool ChooseInPair(ui::RadioButton* chosen, ui::RadioButton* partner);
