#pragma once
#include <gtest/gtest.h>

#include "ui/Application.h"
#include "ui/Controls.h"
#include "ui/ScriptedFrontEnd.h"

// A form whose dialogs, message boxes and clipboard go to a scripted front end for one test.
class ScriptedFormTest : public ::testing::Test {
protected:
    void SetUp() override { ui::Application.SetFrontEnd(&frontEnd); }
    void TearDown() override { ui::Application.SetFrontEnd(nullptr); }

    ui::ScriptedFrontEnd frontEnd;
    ui::Form form;
};
