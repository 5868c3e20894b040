// The bars, panes and tool buttons of the main window, for the tests that
// look at them. (The check boxes are in widgets/nvradchk.h; a test unit
// includes one of the two sets, see window_test_util.h.)
#pragma once

#include "widgets/tnvfieldstatus.h"
#include "widgets/tnvgroup.h"
#include "widgets/tnvgroupbar.h"
#include "widgets/tnvspacer.h"
#include "widgets/tnvstatusbar.h"
#include "widgets/tnvtoolbar.h"
#include "widgets/tnvtoolbutton.h"
