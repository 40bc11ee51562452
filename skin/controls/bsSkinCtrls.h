#pragma once
// The skinned controls: the control bases and the standard skinned controls.

#include "skin/controls/bsSkinCtrls_Base.h"
#include "skin/controls/bsSkinCtrls_Button.h"
#include "skin/controls/bsSkinCtrls_CheckRadio.h"
#include "skin/controls/bsSkinCtrls_StdLabel.h"
