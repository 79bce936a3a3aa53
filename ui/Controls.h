#pragma once
// Every control kind of the toolkit-free control layer.
#include "ui/Buttons.h"
#include "ui/Chart.h"
#include "ui/Choosers.h"
#include "ui/Containers.h"
#include "ui/Dialogs.h"
#include "ui/Edits.h"
#include "ui/Static.h"
