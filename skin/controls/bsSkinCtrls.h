#pragma once
// The skinned controls: the control bases and the standard skinned controls.

#include "skin/controls/bsSkinCtrls_Base.h"
#include "skin/controls/bsSkinCtrls_Button.h"
#include "skin/controls/bsSkinCtrls_CheckRadio.h"
#include "skin/controls/bsSkinCtrls_StdLabel.h"
#include "skin/controls/bsSkinCtrls_Panel.h"
#include "skin/controls/bsSkinCtrls_SpeedButton.h"
#include "skin/controls/bsSkinCtrls_StatusBar.h"
#include "skin/controls/bsSkinCtrls_TextLabel.h"
#include "skin/controls/bsSkinCtrls_ToolBar.h"
#include "skin/controls/bsSkinCtrls_Bevel.h"
#include "skin/controls/bsSkinCtrls_ScrollBar.h"
#include "skin/controls/bsSkinCtrls_Splitter.h"
#include "skin/controls/bsSkinCtrls_Slider.h"
#include "skin/controls/bsSkinHint.h"
